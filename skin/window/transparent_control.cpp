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

using Message = FamilyMessage<TransparentControlRecord>;

// Controls that paint into the device context WM_PAINT hands them.
bool PaintsIntoGivenDC(const std::string& cls) {
  return cls == "SysMonthCal32" || cls == "SysTabControl32" || cls == "ToolbarWindow32" ||
         cls == "msctls_statusbar32" || cls == "Button" || cls == "msctls_trackbar32";
}

// Common controls that draw into the given DC: they paint over the background behind them,
// and their key-coloured pixels let the washed background show.
LRESULT PaintIntoGivenDC(const Message& c, COLORREF key) {
  if (!HasSkinBackground(*c.engine, c.w)) return c.Chain();
  ControlPaint paint(c.w, PaintTarget::BeginPaint, nullptr, nullptr, Backdrop::SkinOnly);
  if (!paint.ok()) return 0;
  Canvas& canvas = paint.canvas();
  const int w = canvas.width(), h = canvas.height();
  OffscreenDC drawn(nullptr, w, h, OffscreenDC::Kind::Dib32);
  if (!drawn) {
    paint.Discard();
    return 0;
  }
  BitBlt(drawn.dc(), 0, 0, w, h, canvas.dc(), 0, 0, SRCCOPY);
  const LRESULT result = c.Chain(WM_PAINT, reinterpret_cast<WPARAM>(drawn.dc()), c.lp);
  canvas.Wash(c.engine->options.backdropAlpha);
  TransparentBlt(canvas.dc(), 0, 0, w, h, drawn.dc(), 0, 0, w, h, key);
  return result;
}

// Any other control. It is handed a key-filled memory DC: one that paints into it leaves
// its update region as it was, and the picture goes over the background here (validating
// what was painted); one that paints its own window instead (validating it) has its
// on-screen pixels laid over the background.
LRESULT PaintOverBackground(const Message& c, COLORREF key) {
  HWND w = c.w;
  RECT r{};
  const Size size = ClientSizeOf(w);
  if (!GetUpdateRect(w, &r, FALSE) || size.w <= 0 || size.h <= 0 || !HasSkinBackground(*c.engine, w))
    return c.Chain();
  OffscreenDC drawn(nullptr, size.w, size.h, OffscreenDC::Kind::Dib32);
  if (!drawn) return c.Chain();
  drawn.Fill(key);
  const LRESULT result = c.Chain(WM_PAINT, reinterpret_cast<WPARAM>(drawn.dc()), c.lp);
  if (GetUpdateRect(w, nullptr, FALSE)) {
    ControlPaint paint(w, PaintTarget::BeginPaint, nullptr, nullptr, Backdrop::SkinOnly);
    if (paint.ok()) TransparentBlt(paint.canvas().dc(), 0, 0, size.w, size.h, drawn.dc(), 0, 0, size.w, size.h, key);
  } else {
    ControlPaint paint(w, PaintTarget::WindowDC, nullptr, &r, Backdrop::SkinOnly);
    const int rw = r.right - r.left, rh = r.bottom - r.top;
    if (paint.ok()) TransparentBlt(paint.canvas().dc(), 0, 0, rw, rh, paint.screen(), r.left, r.top, rw, rh, key);
  }
  for (HWND child = FindWindowExA(w, nullptr, nullptr, nullptr); child; child = FindWindowExA(w, child, nullptr, nullptr))
    InvalidateRect(child, nullptr, TRUE);
  return result;
}

// --- the window procedure ----------------------------------------------------------------

LRESULT OnPaint(Message& c) {
  if (!c.engine->options.drawChildControls) return c.Chain();
  const COLORREF key = c.record->keyColour;
  return PaintsIntoGivenDC(ClassNameOf(c.w)) ? PaintIntoGivenDC(c, key) : PaintOverBackground(c, key);
}

LRESULT OnMove(Message& c) {
  if (c.engine->options.alphaGiven) InvalidateRect(c.w, nullptr, FALSE);
  return c.Chain();
}

LRESULT OnEraseBackground(Message& c) { return c.engine->options.alphaGiven ? EraseNothing(c.wp) : c.Chain(); }

LRESULT OnSetText(Message& c) {
  // Some controls draw a new text at once, straight over their old picture: paint the whole
  // control over its background again.
  const LRESULT result = c.Chain();
  InvalidateRect(c.w, nullptr, FALSE);
  return result;
}

LRESULT OnScroll(Message& c) {
  if (ClassNameOf(c.w) == "RichEdit20A") InvalidateRect(c.w, nullptr, FALSE);
  return c.Chain();
}

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_MOVE: return OnMove(c);
    case WM_PAINT: return OnPaint(c);
    case WM_ERASEBKGND: return OnEraseBackground(c);
    case WM_SETTEXT: return OnSetText(c);
    case WM_HSCROLL:
    case WM_VSCROLL: return OnScroll(c);
    default: return c.Chain();
  }
}

constexpr WNDPROC TransparentProc = FamilyProc<TransparentControlRecord, Dispatch, kTransparentLinkKeys>;

}  // namespace

bool IsTransparentControl(HWND control) {
  SkinEngine* engine = SkinEngine::Current();
  return control && engine && engine->RecordOf<TransparentControlRecord>(control, kTransparentLinkKeys);
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
