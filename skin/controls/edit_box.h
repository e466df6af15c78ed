// The skinned edit box family.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

class SkinEngine;

struct EditRecord : ControlRecord {
  static constexpr Family kFamily = Family::Edit;
};

// Takes the parent's edit boxes not yet taken.
void TakeEditBoxes(SkinEngine& engine, int instance, HWND parent);

// Takes one edit box (the edit field of a combo box, for one); returns its list position,
// 0 when it was not taken.
int TakeEditBox(SkinEngine& engine, int instance, HWND edit);

}  // namespace tunelark
