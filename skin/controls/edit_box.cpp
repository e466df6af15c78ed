#include "skin/controls/edit_box.h"

namespace tunelark {

void TakeEditBoxes(SkinEngine&, int, HWND) {}

}  // namespace tunelark
