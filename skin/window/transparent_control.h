// Transparent controls: labels, picture boxes, drawing canvases, shape boxes and common
// controls (calendars, tab controls, toolbars, status bars, buttons, trackbars) that the skin
// does not redraw itself are subclassed so that their own painting is laid over the skin
// background with one colour of it (by default the button face colour) made transparent.
// A transparent control that has children is also taken as a container (its children are
// taken by their families; the system still paints it). Linked through "Kj_lbID",
// "Kj_FuID" and "Kj_hProc".
//
// And the text colour a control is drawn with ("Kj_Ztys"), read by the colour replies and
// the control painters.
#pragma once
#include <windows.h>

#include <optional>

#include "skin/control_list.h"

namespace tunelark {

class SkinEngine;

struct TransparentControlRecord : ControlRecord {
  static constexpr Family kFamily = Family::Transparent;

  COLORREF keyColour = 0;  // the colour of the control's own painting that becomes transparent
};

// Takes the control (not again when taken before). Returns 0 for a control without
// children, else the container position SkinContainer gives it (own paint 0, the tint and
// alpha given, no frame). A control with no skinned ancestor is left alone and gives 0.
int MakeControlTransparent(SkinEngine& engine, HWND control, std::optional<COLORREF> keyColour = std::nullopt,
                           std::optional<COLORREF> tintColour = std::nullopt,
                           std::optional<int> tintAlpha = std::nullopt);

// Whether the control is a transparent control of the skin (a container's procedure may lie
// in front of the transparent one).
bool IsTransparentControl(HWND control);

// The text colour of a control ("Kj_Ztys"); for a combo box, of its edit field (nothing
// when it has none). A null window does nothing.
void SetControlTextColour(HWND control, COLORREF colour);

}  // namespace tunelark
