#include "skin/controls/trackbar.h"

namespace tunelark {

void TakeTrackbars(SkinEngine&, int, HWND) {}

}  // namespace tunelark
