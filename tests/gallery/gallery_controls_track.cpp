// "controls-track": trackbars (horizontal with ticks below, one with a selection range,
// one disabled at its maximum, one vertical) and progress bars (smooth and segmented at
// 0, 37 and 100 percent, one over the range 50..150 at 100, one vertical at 37 percent).
#include <windows.h>
#include <commctrl.h>

#include "skin/skin_images.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_controls_track.h"

namespace {

using namespace gallery::track;

HWND Trackbar(HWND parent, int id, int x, int y, int w, int h, DWORD style, int position) {
  HWND t = gallery::MakeControl(parent, TRACKBAR_CLASSA, "", x, y, w, h, style, 0, id);
  SendMessageA(t, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendMessageA(t, TBM_SETPOS, TRUE, position);
  return t;
}

HWND Progress(HWND parent, int id, int x, int y, int w, int h, DWORD style, int low, int high, int position) {
  HWND p = gallery::MakeControl(parent, PROGRESS_CLASSA, "", x, y, w, h, style, 0, id);
  SendMessageA(p, PBM_SETRANGE32, low, high);
  SendMessageA(p, PBM_SETPOS, position, 0);
  return p;
}

HWND MakeTrackWindow(tunelark::SkinEngine& engine) {
  engine.SetBackground(tunelark::CopySkinImage(tunelark::SkinImage::Background), {}, {}, 3);
  engine.SetSkinOptions(1, 100);
  HWND w = gallery::MakeFrame("controls-track", 60, 60, 480, 340, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_SYSMENU);
  if (!w) return nullptr;
  Trackbar(w, kTrackPlain, 20, 40, 220, 32, TBS_AUTOTICKS, 30);
  HWND selection = Trackbar(w, kTrackSelection, 20, 80, 220, 40, TBS_ENABLESELRANGE | TBS_BOTH, 50);
  SendMessageA(selection, TBM_SETSEL, TRUE, MAKELPARAM(20, 60));
  Trackbar(w, kTrackDisabled, 20, 128, 220, 32, TBS_NOTICKS | WS_DISABLED, 100);
  Trackbar(w, kTrackVertical, 270, 40, 36, 130, TBS_VERT | TBS_BOTH, 40);
  const int percents[] = {0, 37, 100};
  for (int i = 0; i < 3; ++i) {
    Progress(w, kProgressSmooth + i, 20, 180 + 28 * i, 200, 18, PBS_SMOOTH, 0, 100, percents[i]);
    Progress(w, kProgressSegmented + i, 240, 180 + 28 * i, 200, 18, 0, 0, 100, percents[i]);
  }
  Progress(w, kProgressRange, 20, 270, 200, 18, PBS_SMOOTH, 50, 150, 100);
  Progress(w, kProgressVertical, 340, 40, 18, 130, PBS_VERTICAL | PBS_SMOOTH, 0, 100, 37);
  engine.ApplySkin(w, {});
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  return w;
}

}  // namespace

GALLERY_WINDOW("controls-track", MakeTrackWindow);
