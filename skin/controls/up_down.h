// The skinned up-down control family.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

class SkinEngine;

struct UpDownRecord : ControlRecord {
  static constexpr Family kFamily = Family::UpDown;
};

// Takes the parent's up-down controls.
void TakeUpDowns(SkinEngine& engine, int instance, HWND parent);

}  // namespace tunelark
