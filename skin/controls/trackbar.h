// The skinned trackbar family.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

class SkinEngine;

struct TrackbarRecord : ControlRecord {
  static constexpr Family kFamily = Family::Trackbar;
};

// Takes the parent's trackbars.
void TakeTrackbars(SkinEngine& engine, int instance, HWND parent);

}  // namespace tunelark
