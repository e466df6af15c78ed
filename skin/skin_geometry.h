// Rectangle routines the painters share: where a window's client area lies inside its
// window rectangle, window rectangles relative to the root or to another window, and the
// class tests the colour replies use.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace tunelark {

// Where p's client area lies inside its window rectangle (window coordinates), as the
// system places it: exact whatever the borders and the scroll bars' width (17 pixels by
// default on Windows, 16 under Wine), so a control's picture lines up with its frame.
RECT ClientRectInWindow(HWND p);
// The width and height of p's client area.
struct Size {
  int w = 0, h = 0;
};
Size ClientSizeOf(HWND p);
// Cuts every visible child of window that does not let it show through (no
// WS_EX_TRANSPARENT) out of dc's clipping (dc in window's client coordinates): a copy into
// dc then leaves the controls that draw themselves alone.
void ExcludeVisibleChildren(HWND window, HDC dc);
// The same for the child window's visible siblings (but transparent ones) that its picture
// would cover: those above it in the z-order, and those below it that lie within it (a
// dialog's group box is drawn around controls that are its siblings). Nothing for a window
// that clips its siblings already, or a top-level one.
void ExcludeCoveringSiblings(HWND window, HDC dc);
// GetWindowRect(p) less the screen position of its root window's client origin: p's place
// in the root's client area, as its back buffer lies (the same as relative to the root's
// window rectangle when the root has no frame).
RECT RectRelativeToRoot(HWND p);
// GetWindowRect(p) less the screen position of a's client origin.
RECT RectRelativeToClient(HWND a, HWND p);
// GetWindowRect(p) less the top-left of a's window rectangle (for pictures of a's whole
// window rectangle).
RECT RectRelativeToWindow(HWND a, HWND p);
// The part of `length` pixels that value takes within the range low..high, rounded to the
// nearest pixel: (value - low) x length / (high - low) in 64 bits, clamped to 0..length.
// An empty or inverted range (high <= low) takes nothing.
int ScaleToLength(int64_t value, int64_t low, int64_t high, int length);
// GetClassNameA, up to 255 characters.
std::string ClassNameOf(HWND p);
// 1 for a window of class exactly "ListBox" with LBS_OWNERDRAWFIXED or LBS_OWNERDRAWVARIABLE.
bool IsOwnerDrawnListBox(HWND p);

}  // namespace tunelark
