#include "skin/controls/framed_control.h"

namespace tunelark {

void TakeFramedControls(SkinEngine&, int, HWND) {}

int TakeFramedControl(SkinEngine&, int, HWND) { return 0; }

}  // namespace tunelark
