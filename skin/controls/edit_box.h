// The skinned edit box family: every "Edit" child of a skinned window, and the edit field
// of each skinned combo box, gets a frame ring painted over the skin background (a thin
// outline that changes on hover and focus); with the engine's alpha given, the client
// area's background becomes a white wash over the skin background. The system still
// draws the text, the caret and the scroll bars.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

struct EditRecord : ControlRecord {
  static constexpr Family kFamily = Family::Edit;

  bool focused = false;    // between WM_SETFOCUS and WM_KILLFOCUS
  bool mouseDown = false;  // between WM_LBUTTONDOWN and WM_LBUTTONUP
};

// Takes the parent's edit boxes not yet taken.
void TakeEditBoxes(SkinEngine& engine, int instance, HWND parent);
// Takes one edit box (a combo box's edit field, say); returns its position, or the one it
// already had. 0 when the instance does not exist or the edit is taken by another one.
int TakeEditBox(SkinEngine& engine, int instance, HWND edit);

// Where the frame ring lies: the window rectangle at (0, 0, width, height) less `inner`,
// the client area and the scroll bars the edit shows (window coordinates).
struct EditFrameGeometry {
  int width = 0;
  int height = 0;
  RECT inner{};
};
EditFrameGeometry MeasureEditFrame(HWND edit);

// Painters, on a canvas of the whole window rectangle holding the skin background.
// The frame ring: washed (engine alpha given) or white, outlined in the look of the state.
void PaintEditFrame(Canvas& canvas, const RECT& inner, bool focused, bool hot);
// The client area's background: white at the engine's backdropAlpha over the canvas.
void PaintEditWash(Canvas& canvas);

}  // namespace tunelark
