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

void HoverLeave(SkinInstance& skin) { skin.lastHotIndex = 0; }

}  // namespace tunelark
