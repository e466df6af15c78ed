#include "skin/controls/combo_box.h"

namespace tunelark {

void TakeComboBoxes(SkinEngine&, int, HWND) {}

}  // namespace tunelark
