#include "skin/controls/list_header.h"

namespace tunelark {

void TakeHeaders(SkinEngine&, int, HWND) {}

}  // namespace tunelark
