// The skinned combo box family (simple, drop-down and drop-down list).
//
// A taken combo box is drawn over the skin background: a white (or, with an alpha given
// to the skin options, translucent white) body with a thin outline, and for the drop-down
// styles a rounded drop button with a gradient and the down arrow; a drop-down list also
// draws its selected text. The combo's own children (the edit field, the list of a simple
// combo box) are keyed out with magenta so that they keep drawing themselves; the edit
// field is taken as an edit box (with an alpha given) and the list of a simple combo box
// as a list-like control. Picking, typing and dropping stay the system's.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

struct ComboRecord : ControlRecord {
  static constexpr Family kFamily = Family::Combo;
  bool focused = false;  // the keyboard focus is in the combo box (itself or its edit field)
};

// How a combo box is drawn.
struct ComboLook {
  bool hot = false;
  bool focused = false;
};

// Takes the parent's combo boxes that no family has taken yet.
void TakeComboBoxes(SkinEngine& engine, int instance, HWND parent);
// Takes one combo box of the instance, with its edit field (an alpha given) or the list of
// a simple combo box; returns its list position, 0 when it is not a combo box, the
// instance does not exist or the window was taken before (by any family).
int TakeComboBox(SkinEngine& engine, int instance, HWND combo);

// The drop button inside a w x h combo box of this style: 17 wide for a drop-down list,
// 18 for a drop-down, 2 pixels in from the top, right and bottom edges. Empty for a
// simple combo box.
RECT ComboDropButton(DWORD style, int w, int h);

// Composes the combo box of record on canvas (its window rectangle, holding the background
// behind it): body, keyed-out children, outline, drop button and the drop-down list's text.
// The caller copies it keyed on magenta.
void PaintComboBox(Canvas& canvas, const ComboRecord& record, ComboLook look);

}  // namespace tunelark
