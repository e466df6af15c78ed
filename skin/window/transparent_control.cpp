#include "skin/window/transparent_control.h"

#include <string>

#include "gfx/brushes.h"
#include "gfx/gdi_handles.h"
#include "gfx/graphics.h"
#include "gfx/offscreen_dc.h"
#include "skin/background_snapshot.h"
#include "skin/controls/family_proc.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/subclass.h"
#include "skin/window/colour_replies.h"
#include "skin/window/container.h"

namespace tunelark {

namespace {

LRESULT DispatchWithEngine(HWND w, UINT m, WPARAM wp, LPARAM lp);
constexpr WNDPROC TransparentProc = FamilyProc<TransparentControlRecord, DispatchWithEngine, kTransparentLinkKeys>;

LRESULT Chain(HWND w, UINT m, WPARAM wp, LPARAM lp) { return CallPreviousProc(w, m, wp, lp, prop::kTransparentProc); }

TransparentControlRecord* FindTransparentRecord(SkinEngine& engine, HWND w) {
  SkinInstance* skin = engine.Instance(GetIntProp(w, prop::kTransparentInstance));
  TransparentControlRecord* r =
      skin ? skin->List<TransparentControlRecord>().At(GetIntProp(w, prop::kTransparentPosition)) : nullptr;
  return r && r->window == w ? r : nullptr;
}

// Controls that paint into the device context WM_PAINT hands them.
bool PaintsIntoGivenDC(const std::string& cls) {
  return cls == "SysMonthCal32" || cls == "SysTabControl32" || cls == "ToolbarWindow32" ||
         cls == "msctls_statusbar32" || cls == "Button" || cls == "msctls_trackbar32";
}

// The background behind the client area washed with white at the engine's backdropAlpha.
SnapshotDC WashedClientPicture(SkinEngine& engine, HWND window, Size size) {
  SnapshotDC picture = BackgroundSnapshot(engine, window, ClientRectInWindow(window));
  if (picture) WashWithWhite(picture.get(), size.w, size.h, engine.options.backdropAlpha);
  return picture;
}

// Common controls that draw into the given DC: they paint over the background behind them,
// and their key-coloured pixels let the washed background show.
LRESULT PaintIntoGivenDC(SkinEngine& engine, HWND w, COLORREF key, WPARAM wp, LPARAM lp) {
  const Size size = ClientSizeOf(w);
  SnapshotDC picture = BackgroundSnapshot(engine, w, ClientRectInWindow(w));
  if (!picture) return Chain(w, WM_PAINT, wp, lp);
  PaintDC paint(w);
  const LRESULT result = Chain(w, WM_PAINT, reinterpret_cast<WPARAM>(picture.get()), lp);
  SnapshotDC washed = WashedClientPicture(engine, w, size);
  if (!washed) return result;
  TransparentBlt(washed.get(), 0, 0, size.w, size.h, picture.get(), 0, 0, size.w, size.h, key);
  BitBlt(paint.get(), 0, 0, size.w, size.h, washed.get(), 0, 0, SRCCOPY);
  return result;
}

// Any other control. It is handed a key-filled memory DC: one that paints into it leaves
// its update region as it was, and the picture goes over the background here (validating
// what was painted); one that paints its own window instead (validating it) has its
// on-screen pixels laid over the background.
LRESULT PaintOverBackground(SkinEngine& engine, HWND w, COLORREF key, WPARAM wp, LPARAM lp) {
  RECT r{};
  if (!GetUpdateRect(w, &r, FALSE)) return Chain(w, WM_PAINT, wp, lp);
  const Size size = ClientSizeOf(w);
  SnapshotDC picture = BackgroundSnapshot(engine, w, ClientRectInWindow(w));
  if (!picture || size.w <= 0 || size.h <= 0) return Chain(w, WM_PAINT, wp, lp);
  OffscreenDC control(picture.get(), size.w, size.h, OffscreenDC::Kind::LikeDC);
  if (!control) return Chain(w, WM_PAINT, wp, lp);
  control.Fill(key);
  const LRESULT result = Chain(w, WM_PAINT, reinterpret_cast<WPARAM>(control.dc()), lp);
  if (GetUpdateRect(w, nullptr, FALSE)) {
    TransparentBlt(picture.get(), 0, 0, size.w, size.h, control.dc(), 0, 0, size.w, size.h, key);
    PaintDC paint(w);
    BitBlt(paint.get(), 0, 0, size.w, size.h, picture.get(), 0, 0, SRCCOPY);
  } else {
    const int rw = r.right - r.left, rh = r.bottom - r.top;
    WindowDC screen(w);
    TransparentBlt(picture.get(), r.left, r.top, rw, rh, screen.get(), r.left, r.top, rw, rh, key);
    BitBlt(screen.get(), r.left, r.top, rw, rh, picture.get(), r.left, r.top, SRCCOPY);
  }
  for (HWND child = FindWindowExA(w, nullptr, nullptr, nullptr); child; child = FindWindowExA(w, child, nullptr, nullptr))
    InvalidateRect(child, nullptr, TRUE);
  return result;
}

// --- the window procedure ----------------------------------------------------------------

LRESULT OnPaint(SkinEngine& engine, HWND w, WPARAM wp, LPARAM lp) {
  const TransparentControlRecord* r = FindTransparentRecord(engine, w);
  if (!r || !engine.options.drawChildControls) return Chain(w, WM_PAINT, wp, lp);
  const COLORREF key = r->keyColour;
  if (PaintsIntoGivenDC(ClassNameOf(w))) return PaintIntoGivenDC(engine, w, key, wp, lp);
  return PaintOverBackground(engine, w, key, wp, lp);
}

LRESULT OnMove(SkinEngine& engine, HWND w, WPARAM wp, LPARAM lp) {
  if (engine.options.alphaGiven) InvalidateRect(w, nullptr, FALSE);
  return Chain(w, WM_MOVE, wp, lp);
}

LRESULT OnEraseBackground(SkinEngine& engine, HWND w, WPARAM wp, LPARAM lp) {
  if (!engine.options.alphaGiven) return Chain(w, WM_ERASEBKGND, wp, lp);
  return EraseNothing(wp);
}

LRESULT OnSetText(HWND w, WPARAM wp, LPARAM lp) {
  // Some controls draw a new text at once, straight over their old picture: paint the whole
  // control over its background again.
  const LRESULT result = Chain(w, WM_SETTEXT, wp, lp);
  InvalidateRect(w, nullptr, FALSE);
  return result;
}

LRESULT OnScroll(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (ClassNameOf(w) == "RichEdit20A") InvalidateRect(w, nullptr, FALSE);
  return Chain(w, m, wp, lp);
}

LRESULT Dispatch(SkinEngine& engine, HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_MOVE: return OnMove(engine, w, wp, lp);
    case WM_PAINT: return OnPaint(engine, w, wp, lp);
    case WM_ERASEBKGND: return OnEraseBackground(engine, w, wp, lp);
    case WM_SETTEXT: return OnSetText(w, wp, lp);
    case WM_HSCROLL:
    case WM_VSCROLL: return OnScroll(w, m, wp, lp);
  }
  return Chain(w, m, wp, lp);
}

LRESULT DispatchWithEngine(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  SkinEngine* engine = SkinEngine::Current();
  return engine ? Dispatch(*engine, w, m, wp, lp) : Chain(w, m, wp, lp);
}

}  // namespace

bool IsTransparentControl(HWND control) {
  return control && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)) == TransparentProc;
}

int MakeControlTransparent(SkinEngine& engine, HWND control, std::optional<COLORREF> keyColour,
                           std::optional<COLORREF> tintColour, std::optional<int> tintAlpha) {
  if (!control || !IsWindow(control)) return 0;
  const int instance = engine.FindOwningInstance(control);
  SkinInstance* skin = engine.Instance(instance);
  if (!skin) return 0;
  // Taken before (by this or another instance, or by a control family): a second procedure
  // in front would chain to itself, or paint the control twice.
  const bool taken =
      skin->List<TransparentControlRecord>().Find(control) != 0 || TakenBySkin(control, TransparentProc);
  if (!taken) {
    TransparentControlRecord record;
    record.keyColour = keyColour.value_or(GetSysColor(COLOR_BTNFACE));
    TakeControl(*skin, instance, control, TransparentProc, std::move(record), kTransparentLinkKeys);
    InvalidateRect(control, nullptr, FALSE);
  }
  if (!FindWindowExA(control, nullptr, nullptr, nullptr)) return 0;
  ContainerArgs args;
  args.ownPaint = 0;
  args.tintColour = tintColour;
  args.tintAlpha = tintAlpha;
  args.frameFlag = 0;
  return SkinContainer(engine, control, args);
}

void SetControlTextColour(HWND control, COLORREF colour) {
  if (!control) return;
  if (ClassNameOf(control) == "ComboBox") {
    control = FindWindowExA(control, nullptr, "Edit", nullptr);
    if (!control) return;
  }
  SetIntProp(control, prop::kTextColour, static_cast<int>(colour));
}

}  // namespace tunelark
