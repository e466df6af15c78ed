// The skinned framed controls: list boxes, list views, tree views and the other list-like controls.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

class SkinEngine;

struct ListLikeRecord : ControlRecord {
  static constexpr Family kFamily = Family::ListLike;
};

// Takes the parent's list boxes and list-like controls.
void TakeFramedControls(SkinEngine& engine, int instance, HWND parent);

// Takes one list-like control (the list child of a simple combo box, for one); returns its
// list position, 0 when it was not taken.
int TakeFramedControl(SkinEngine& engine, int instance, HWND control);

}  // namespace tunelark
