// A device context of a window that leaves its visible children alone: every visible child
// without WS_EX_TRANSPARENT is excluded from the clipping, so a copy of the whole back
// buffer does not paint over controls that draw themselves; a child window's siblings that
// its picture would cover are left out the same way.
#pragma once
#include <windows.h>

#include "skin/skin_geometry.h"

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
    ExcludeCoveringSiblings(window_, dc_);
    // A window that clips its children has them all out of its DC already.
    if (GetWindowLongA(window_, GWL_STYLE) & WS_CLIPCHILDREN) return;
    ExcludeVisibleChildren(window_, dc_);
  }

  HWND window_;
  HDC dc_;
  bool owned_;
};

}  // namespace tunelark
