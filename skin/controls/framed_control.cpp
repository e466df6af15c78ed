#include "skin/controls/framed_control.h"

namespace tunelark {

void TakeFramedControls(SkinEngine&, int, HWND) {}

}  // namespace tunelark
