// The skinned up-down control family.
//
// A taken up-down control is drawn as two rounded arrow buttons over a translucent white
// body: up and down for a vertical control, left and right for a horizontal one
// (UDS_HORZ). The half under the mouse is lit in the accent colour, and shows a reversed
// gradient while the left button is held. The system control keeps its logic (value,
// buddy, auto-repeat); only the painting is the skin's.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

struct UpDownRecord : ControlRecord {
  static constexpr Family kFamily = Family::UpDown;
  int hot = 0;          // the mouse is over the control
  int hotPart = 0;      // half under the mouse at the last hover redraw (see UpDownHalf)
  int pressed = 0;      // between a left-button press and its release or the lost capture
  int horizontal = 0;   // UDS_HORZ
  LPARAM pressPoint = 0;  // client point of the last press or release, as the message gave it
};

// The halves of an up-down control.
enum UpDownHalf : int {
  kFirstHalf = 0,   // up (vertical) or left (horizontal)
  kSecondHalf = 1,  // down or right
};

// How an up-down control is drawn: the half `part` is lit while hot or pressed.
struct UpDownLook {
  bool hot = false;
  bool pressed = false;
  int part = kFirstHalf;
};

// Takes the parent's up-down controls that no family has taken yet (only while the skin
// draws child controls).
void TakeUpDowns(SkinEngine& engine, int instance, HWND parent);
// Takes one up-down control; returns its list position, 0 when it is not one, the instance
// does not exist or the window was taken before (by any family).
int TakeUpDown(SkinEngine& engine, int instance, HWND control);

// Where the halves of a w x h control split: the first half is [0, split) along x
// (horizontal) or y (vertical), the second [split, size).
int UpDownSplit(bool horizontal, int w, int h);
// The half of a w x h control under a client point.
int UpDownHalfAt(bool horizontal, int w, int h, POINT p);

// Composes the up-down control of record on canvas (its window rectangle, holding the
// background behind it).
void PaintUpDown(Canvas& canvas, const UpDownRecord& record, UpDownLook look);

}  // namespace tunelark
