// The skinned progress bar family.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

class SkinEngine;

struct ProgressRecord : ControlRecord {
  static constexpr Family kFamily = Family::Progress;
};

// Takes the parent's progress bars.
void TakeProgressBars(SkinEngine& engine, int instance, HWND parent);

}  // namespace tunelark
