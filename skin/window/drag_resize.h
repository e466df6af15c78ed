// Moving and sizing a skinned top-level window, which has no system frame: a press on the
// caption band starts the system's move, a press near an edge or corner of a sizable
// window starts the system's size in that direction, and the mouse over the border shows
// the matching sizing cursor.
#pragma once
#include <windows.h>

namespace tunelark {

class SkinEngine;
class SkinInstance;

// A border zone: the cursor it shows and the SC_SIZE direction it starts (0 = none).
struct SizingZone {
  LPCSTR cursor = nullptr;
  int direction = 0;  // WMSZ_LEFT .. WMSZ_BOTTOMRIGHT
};

// The first zone of the client-area point (x, y) of a w x h client area with border b.
SizingZone ZoneAt(int x, int y, int w, int h, int b);

// WM_LBUTTONDOWN at (x, y): a move, a size or nothing. Runs the system's modal loop: the
// instance may be gone when it returns. Answers whether a loop ran (the button is up then).
bool PressFrame(SkinEngine& engine, SkinInstance& skin, int x, int y);
// WM_MOUSEMOVE at (x, y): the sizing cursor of the zone under the mouse.
// Answers whether it set one: WM_SETCURSOR must then keep it (the system would put the
// class cursor back on every move).
bool HoverFrame(SkinEngine& engine, const SkinInstance& skin, int x, int y);

}  // namespace tunelark
