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

}  // namespace tunelark
