// The skinned combo box family (simple, drop-down and drop-down list).
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

class SkinEngine;

struct ComboRecord : ControlRecord {
  static constexpr Family kFamily = Family::Combo;
};

// Takes the parent's combo boxes.
void TakeComboBoxes(SkinEngine& engine, int instance, HWND parent);

}  // namespace tunelark
