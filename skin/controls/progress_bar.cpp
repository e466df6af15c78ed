#include "skin/controls/progress_bar.h"

namespace tunelark {

void TakeProgressBars(SkinEngine&, int, HWND) {}

}  // namespace tunelark
