// A device context of a window that leaves its visible children alone: every visible child
// without WS_EX_TRANSPARENT is excluded from the clipping, so a copy of the whole back
// buffer does not paint over controls that draw themselves.
#pragma once
#include <windows.h>

namespace tunelark {

class ChildExcludingDC {
 public:
  // Uses `given` (a BeginPaint DC, released by its owner) or takes GetDC(window), which it
  // releases itself.
  ChildExcludingDC(HWND window, HDC given = nullptr) : window_(window), dc_(given ? given : GetDC(window)), owned_(!given) {
    if (dc_) ExcludeChildren();
  }
  ~ChildExcludingDC() {
    if (owned_ && dc_) ReleaseDC(window_, dc_);
  }
  ChildExcludingDC(const ChildExcludingDC&) = delete;
  ChildExcludingDC& operator=(const ChildExcludingDC&) = delete;
  HDC get() const { return dc_; }

 private:
  void ExcludeChildren() {
    // A window that clips its children has them all out of its DC already.
    if (GetWindowLongA(window_, GWL_STYLE) & WS_CLIPCHILDREN) return;
    for (HWND child = FindWindowExA(window_, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(window_, child, nullptr, nullptr)) {
      if (!IsWindowVisible(child) || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) continue;
      RECT r{};
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
      ExcludeClipRect(dc_, r.left, r.top, r.right, r.bottom);
    }
  }

  HWND window_;
  HDC dc_;
  bool owned_;
};

}  // namespace tunelark
