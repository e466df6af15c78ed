// A plain caption band for the frameless main window: title text, a close box, and
// dragging by the band. The window has no system frame (its controls are laid out
// from the top edge of the window), so without this it could not be moved or closed
// with the mouse.
#pragma once
#include <windows.h>

namespace tunelark {

inline constexpr int kCaptionHeight = 25;

// Paints the window background and the caption band into the paint DC.
void PaintPlainCaption(HWND window, HDC dc);
// HTCAPTION over the band outside the close box, HTCLIENT elsewhere.
LRESULT PlainCaptionHitTest(HWND window, LPARAM screenPoint);
// Brush of the window's ground colour, for the colour replies of static controls.
HBRUSH PlainGroundBrush();
// True when the client point lies on the close box.
bool PlainCaptionCloseBoxAt(HWND window, POINT clientPoint);

}  // namespace tunelark
