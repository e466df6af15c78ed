// "controls-buttons": the button and edit box families in every style they tell apart:
// push, default push, disabled push, an owner-drawn push button the application paints
// itself (solid green), an auto check box, two auto radio buttons; a single-line edit, a
// multi-line edit with both scroll bars, a read-only edit and a disabled edit.
#include "tests/gallery/gallery.h"

#include "skin/skin_images.h"

namespace {

// What the application paints into its own owner-drawn button.
constexpr COLORREF kOwnerGreen = RGB(0, 160, 0);
constexpr int kOwnerDrawnId = 103;

LRESULT CALLBACK FrameProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DRAWITEM && wp == kOwnerDrawnId) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    SetDCBrushColor(item->hDC, kOwnerGreen);
    FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    return TRUE;
  }
  return DefWindowProcA(w, m, wp, lp);
}

HWND Add(HWND parent, const char* cls, const char* text, RECT r, DWORD style, DWORD exStyle = 0, int id = 0) {
  HWND c = gallery::MakeControl(parent, cls, text, r.left, r.top, r.right, r.bottom, style, exStyle, id);
  SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return c;
}

HWND MakeButtonsWindow(tunelark::SkinEngine& engine) {
  engine.SetBackground(tunelark::CopySkinImage(tunelark::SkinImage::Background), {}, {}, 3);
  engine.SetSkinOptions(1, 100);
  HWND w = gallery::MakeFrame("Buttons and edit boxes", 60, 60, 440, 300,
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU);
  if (!w) return nullptr;
  SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc));
  const DWORD tab = WS_TABSTOP;
  Add(w, "Button", "Push", {20, 40, 100, 28}, BS_PUSHBUTTON | tab | WS_GROUP, 0, 101);
  Add(w, "Button", "Default", {130, 40, 100, 28}, BS_DEFPUSHBUTTON | tab, 0, 102);
  Add(w, "Button", "Owner", {240, 40, 100, 28}, BS_OWNERDRAW | tab, 0, kOwnerDrawnId);
  Add(w, "Button", "Disabled", {20, 80, 100, 28}, BS_PUSHBUTTON | WS_DISABLED, 0, 104);
  Add(w, "Button", "Check", {130, 84, 100, 20}, BS_AUTOCHECKBOX | tab, 0, 105);
  Add(w, "Button", "Radio A", {240, 74, 90, 20}, BS_AUTORADIOBUTTON | tab | WS_GROUP, 0, 106);
  Add(w, "Button", "Radio B", {240, 96, 90, 20}, BS_AUTORADIOBUTTON, 0, 107);
  Add(w, "Edit", "single line", {20, 130, 180, 24}, ES_AUTOHSCROLL | tab | WS_GROUP, WS_EX_CLIENTEDGE, 201);
  Add(w, "Edit", "read only", {20, 170, 180, 24}, ES_AUTOHSCROLL | ES_READONLY | tab, WS_EX_CLIENTEDGE, 203);
  Add(w, "Edit", "disabled", {20, 210, 180, 24}, ES_AUTOHSCROLL | WS_DISABLED, WS_EX_CLIENTEDGE, 204);
  Add(w, "Edit", "multi-line\r\nwith both\r\nscroll bars\r\nand more lines\r\nthan fit\r\nin the box",
      {220, 130, 190, 104}, ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | tab,
      WS_EX_CLIENTEDGE, 202);
  engine.ApplySkin(w, {});
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  return w;
}

}  // namespace

GALLERY_WINDOW("controls-buttons", MakeButtonsWindow);
