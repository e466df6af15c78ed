#include "skin/window/drag_resize.h"

#include "skin/skin_engine.h"

namespace tunelark {

namespace {

// Corners reach 10 pixels in from each edge; the side zones stop 11 pixels from the corners.
constexpr int kCorner = 10;

// The system's move loop, as a press on a caption starts it; the press's screen position
// goes with it, as the message documents.
void StartMove(HWND window) {
  const DWORD pos = GetMessagePos();
  SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(LOWORD(pos), HIWORD(pos)));
}

}  // namespace

SizingZone ZoneAt(int x, int y, int w, int h, int b) {
  if (x <= b && y >= kCorner + 1 && y < h - kCorner) return {MAKEINTRESOURCEA(32644), WMSZ_LEFT};
  if (x >= w - b && y >= kCorner + 1 && y < h - kCorner) return {MAKEINTRESOURCEA(32644), WMSZ_RIGHT};
  if (x >= kCorner + 1 && y <= b && x < w - kCorner) return {MAKEINTRESOURCEA(32645), WMSZ_TOP};
  if (x >= kCorner + 1 && y >= h - b && x < w - kCorner) return {MAKEINTRESOURCEA(32645), WMSZ_BOTTOM};
  if (x <= kCorner && y <= kCorner) return {MAKEINTRESOURCEA(32642), WMSZ_TOPLEFT};
  if (x >= w - kCorner && y <= kCorner) return {MAKEINTRESOURCEA(32643), WMSZ_TOPRIGHT};
  if (x <= kCorner && y >= h - kCorner) return {MAKEINTRESOURCEA(32643), WMSZ_BOTTOMLEFT};
  if (x >= w - kCorner && y >= h - kCorner) return {MAKEINTRESOURCEA(32642), WMSZ_BOTTOMRIGHT};
  return {};
}

bool PressFrame(SkinEngine& engine, SkinInstance& skin, int x, int y) {
  const CaptionBar& bar = skin.caption;
  if (x >= bar.left && x <= bar.left + bar.width && y <= bar.height && y >= 3) return false;  // on the caption buttons
  if (!skin.frame.captionShown) return false;
  const HWND window = skin.window;
  const bool inCaption = y <= skin.frame.captionHeight;
  // A window that cannot be sized is only moved, by its caption band.
  if (skin.frame.sizable) {
    RECT client{};
    GetClientRect(window, &client);
    const SizingZone zone = ZoneAt(x, y, client.right, client.bottom, engine.borderWidth);
    if (zone.direction) {
      skin.back.renderPending = true;
      SetCursor(LoadCursorA(nullptr, zone.cursor));
      SendMessageA(window, WM_SYSCOMMAND, SC_SIZE + zone.direction, 0);
      return true;
    }
  }
  if (inCaption) StartMove(window);
  return inCaption;
}

bool HoverFrame(SkinEngine& engine, const SkinInstance& skin, int x, int y) {
  if (!skin.frame.sizable || skin.frame.maximised) return false;
  RECT client{};
  GetClientRect(skin.window, &client);
  const SizingZone zone = ZoneAt(x, y, client.right, client.bottom, engine.borderWidth);
  if (zone.direction) SetCursor(LoadCursorA(nullptr, zone.cursor));
  return zone.direction != 0;
}

}  // namespace tunelark
