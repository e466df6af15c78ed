#include "app/plain_caption.h"

#include <string>

#include "gfx/gdi_handles.h"

namespace tunelark {
namespace {

constexpr COLORREF kCaptionTop = RGB(58, 110, 165);
constexpr COLORREF kCaptionBottom = RGB(38, 84, 134);
constexpr COLORREF kWindowBack = RGB(240, 244, 248);
constexpr int kCloseBoxWidth = 38;

RECT CloseBox(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return RECT{client.right - kCloseBoxWidth - 4, 0, client.right - 4, kCaptionHeight - 5};
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  Brush brush(CreateSolidBrush(colour));
  FillRect(dc, &r, brush.get());
}

}  // namespace

void PaintPlainCaption(HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  RECT body{0, kCaptionHeight, client.right, client.bottom};
  FillSolid(dc, body, kWindowBack);

  // Vertical gradient band, one line at a time (25 lines: cheap).
  for (int y = 0; y < kCaptionHeight; ++y) {
    auto mix = [y](int a, int b) { return a + (b - a) * y / (kCaptionHeight - 1); };
    COLORREF c = RGB(mix(GetRValue(kCaptionTop), GetRValue(kCaptionBottom)),
                     mix(GetGValue(kCaptionTop), GetGValue(kCaptionBottom)),
                     mix(GetBValue(kCaptionTop), GetBValue(kCaptionBottom)));
    RECT line{0, y, client.right, y + 1};
    FillSolid(dc, line, c);
  }

  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SelectGuard selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  RECT text{8, 0, client.right - kCloseBoxWidth - 8, kCaptionHeight};
  DrawTextA(dc, title, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);

  RECT close = CloseBox(window);
  FillSolid(dc, close, RGB(196, 43, 28));
  DrawTextA(dc, "x", 1, &close, DT_SINGLELINE | DT_VCENTER | DT_CENTER);

  // One-pixel frame around the window.
  Brush frame(CreateSolidBrush(kCaptionBottom));
  FrameRect(dc, &client, frame.get());
}

HBRUSH PlainGroundBrush() {
  static const Brush ground(CreateSolidBrush(kWindowBack));  // one for the life of the program
  return ground.get();
}

LRESULT PlainCaptionHitTest(HWND window, LPARAM screenPoint) {
  POINT p{static_cast<short>(LOWORD(screenPoint)), static_cast<short>(HIWORD(screenPoint))};
  ScreenToClient(window, &p);
  if (p.y >= 0 && p.y < kCaptionHeight && !PlainCaptionCloseBoxAt(window, p)) return HTCAPTION;
  return HTCLIENT;
}

bool PlainCaptionCloseBoxAt(HWND window, POINT clientPoint) {
  RECT close = CloseBox(window);
  return PtInRect(&close, clientPoint) != FALSE;
}

}  // namespace tunelark
