#include "text/com_dispatch.h"
