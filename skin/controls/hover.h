// Hover tracking shared by every control family of one skin instance: which family and
// which list position were last drawn hot (SkinInstance::hotKind, lastHotIndex) and which
// is under the mouse now (hotIndex). A family calls HoverMove on WM_MOUSEMOVE and redraws
// hot when it answers true; it calls HoverLeave on WM_MOUSELEAVE and redraws normal.
#pragma once
#include <windows.h>

#include "skin/skin_instance.h"

namespace tunelark {

// Asks for WM_MOUSELEAVE on control (TrackMouseEvent, TME_LEAVE).
void TrackMouseLeave(HWND control);

// On WM_MOUSEMOVE over the control at `position` of family `kind`: tracks the leave, sets
// hotIndex = position, and answers whether the control must now be drawn hot (the hot
// position or family changed, and the family's own extra condition holds). When it
// answers true it has recorded the control as the one drawn hot.
bool HoverMove(SkinInstance& skin, HWND control, int position, HotKind kind, bool extraCondition = true);

// Whether the control at `position` of family `kind` is the one last drawn hot (the mouse
// is still over it).
bool IsDrawnHot(const SkinInstance& skin, int position, HotKind kind);

// On WM_MOUSELEAVE: nothing is drawn hot any more (lastHotIndex = 0).
void HoverLeave(SkinInstance& skin);

}  // namespace tunelark
