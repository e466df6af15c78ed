// Keeping the skin's picture in place when the system scrolls a control.
//
// List views, list boxes, tree views and edit boxes scroll by copying their own pixels
// (ScrollWindowEx) and repainting only the strip that comes into view. Over the skin that
// copy carries the washed picture behind the rows along with them. Whatever made the control
// scroll (the wheel, the scroll bar, keys, type-ahead, a click on a half-shown row, an
// ensure-visible, a drag that scrolls by itself), its scroll positions differ after the
// message: the control is then painted again whole. A list view's header shifting columns
// (a column resized or dragged) copies pixels the same way without scrolling.
#pragma once
#include <windows.h>

namespace tunelark {

struct ScrollPositions {
  int horizontal = 0;
  int vertical = 0;
  bool operator==(const ScrollPositions&) const = default;
};

// The positions of the scroll bars the style shows (0 for a bar it does not show).
inline ScrollPositions ScrollPositionsOf(HWND w) {
  const LONG style = GetWindowLongA(w, GWL_STYLE);
  ScrollPositions p;
  SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
  if ((style & WS_HSCROLL) && GetScrollInfo(w, SB_HORZ, &info)) p.horizontal = info.nPos;
  info.nPos = 0;
  if ((style & WS_VSCROLL) && GetScrollInfo(w, SB_VERT, &info)) p.vertical = info.nPos;
  return p;
}

// Messages during which nothing scrolls: painting, and the hit tests and cursor questions
// the mouse sends by the hundred.
inline bool CannotScroll(UINT m) {
  switch (m) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETDLGCODE:
    case WM_NCDESTROY: return true;
    default: return false;
  }
}

// Runs one message of the control and invalidates the whole control (with erase) when its
// scroll positions moved meanwhile or `alsoAfter` says its pixels were shifted.
template <typename F>
LRESULT WatchScrolling(HWND w, UINT m, F&& handle, bool alsoAfter = false) {
  if (CannotScroll(m)) return handle();
  const ScrollPositions before = ScrollPositionsOf(w);
  const LRESULT result = handle();
  if (IsWindow(w) && (alsoAfter || !(ScrollPositionsOf(w) == before))) InvalidateRect(w, nullptr, TRUE);
  return result;
}

}  // namespace tunelark
