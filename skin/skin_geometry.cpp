#include "skin/skin_geometry.h"

namespace tunelark {

namespace {

RECT Offset(RECT r, int dx, int dy) {
  OffsetRect(&r, -dx, -dy);
  return r;
}

}  // namespace

Size ClientSizeOf(HWND p) {
  RECT r{};
  GetClientRect(p, &r);
  return {r.right - r.left, r.bottom - r.top};
}

RECT ClientRectInWindow(HWND p) {
  RECT window{}, client{};
  GetWindowRect(p, &window);
  GetClientRect(p, &client);
  POINT origin{0, 0};
  ClientToScreen(p, &origin);
  OffsetRect(&client, origin.x - window.left, origin.y - window.top);
  return client;
}

void ExcludeVisibleChildren(HWND window, HDC dc) {
  for (HWND child = FindWindowExA(window, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(window, child, nullptr, nullptr)) {
    if (!IsWindowVisible(child) || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

namespace {
bool PaintsItself(HWND w) { return IsWindowVisible(w) && !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TRANSPARENT); }
RECT RectInClientOf(HWND window, HWND other) {
  RECT r{};
  GetWindowRect(other, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
}  // namespace

void ExcludeCoveringSiblings(HWND window, HDC dc) {
  if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD) || (GetWindowLongA(window, GWL_STYLE) & WS_CLIPSIBLINGS)) return;
  RECT own{};
  GetClientRect(window, &own);
  for (HWND s = GetWindow(window, GW_HWNDPREV); s; s = GetWindow(s, GW_HWNDPREV)) {
    if (!PaintsItself(s)) continue;
    const RECT r = RectInClientOf(window, s);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  // Below it in the z-order but lying within it: the controls a group box is drawn around.
  RECT outer{};
  GetWindowRect(window, &outer);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&outer), 2);
  for (HWND s = GetWindow(window, GW_HWNDNEXT); s; s = GetWindow(s, GW_HWNDNEXT)) {
    if (!PaintsItself(s)) continue;
    const RECT r = RectInClientOf(window, s);
    RECT both{};
    if (IntersectRect(&both, &r, &outer) && EqualRect(&both, &r)) ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

RECT RectRelativeToRoot(HWND p) { return RectRelativeToClient(GetAncestor(p, GA_ROOT), p); }

RECT RectRelativeToClient(HWND a, HWND p) {
  POINT origin{0, 0};
  ClientToScreen(a, &origin);
  RECT pr{};
  GetWindowRect(p, &pr);
  return Offset(pr, origin.x, origin.y);
}

RECT RectRelativeToWindow(HWND a, HWND p) {
  RECT ar{}, pr{};
  GetWindowRect(a, &ar);
  GetWindowRect(p, &pr);
  return Offset(pr, ar.left, ar.top);
}

std::string ClassNameOf(HWND p) {
  char buffer[256] = {};
  int n = GetClassNameA(p, buffer, 255);
  return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

bool IsOwnerDrawnListBox(HWND p) {
  if (ClassNameOf(p) != "ListBox") return false;
  return (GetWindowLongA(p, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

int ScaleToLength(int64_t value, int64_t low, int64_t high, int length) {
  if (high <= low || length <= 0) return 0;
  const int64_t span = high - low;
  const int64_t part = (value < low ? low : (value > high ? high : value)) - low;
  return static_cast<int>((2 * part * length + span) / (2 * span));
}

}  // namespace tunelark
