// The skinned header of list views.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

class SkinEngine;

struct HeaderRecord : ControlRecord {
  static constexpr Family kFamily = Family::Header;
};

// Takes the headers of the parent's list views.
void TakeHeaders(SkinEngine& engine, int instance, HWND parent);

}  // namespace tunelark
