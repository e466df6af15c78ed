#include "skin/controls/edit_box.h"

namespace tunelark {

void TakeEditBoxes(SkinEngine&, int, HWND) {}

int TakeEditBox(SkinEngine&, int, HWND) { return 0; }

}  // namespace tunelark
