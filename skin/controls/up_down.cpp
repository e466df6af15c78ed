#include "skin/controls/up_down.h"

namespace tunelark {

void TakeUpDowns(SkinEngine&, int, HWND) {}

}  // namespace tunelark
