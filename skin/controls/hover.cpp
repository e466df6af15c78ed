#include "skin/controls/hover.h"

namespace tunelark {

void TrackMouseLeave(HWND control) {
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, control, 0};
  TrackMouseEvent(&track);
}

bool HoverMove(SkinInstance& skin, HWND control, int position, HotKind kind, bool extraCondition) {
  TrackMouseLeave(control);
  skin.hotIndex = position;
  if (!extraCondition || (skin.lastHotIndex == position && skin.hotKind == kind)) return false;
  skin.lastHotIndex = position;
  skin.hotKind = kind;
  return true;
}

bool IsDrawnHot(const SkinInstance& skin, int position, HotKind kind) {
  return position >= 1 && skin.lastHotIndex == position && skin.hotKind == kind;
}

void HoverLeave(SkinInstance& skin) { skin.lastHotIndex = 0; }

}  // namespace tunelark
