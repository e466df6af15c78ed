#include "skin/controls/edit_box.h"

#include <cstdint>

#include "gfx/pen.h"
#include "skin/background_snapshot.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/hover.h"
#include "skin/controls/paint_kit.h"
#include "skin/controls/scroll_watch.h"
#include "skin/skin_colour.h"
#include "skin/skin_geometry.h"
#include "skin/subclass.h"

namespace tunelark {

namespace {

constexpr int kFrameAlpha = 180;  // the accent outline of the hot and focused looks

bool HasScrollBars(HWND w) { return (GetWindowLongA(w, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL)) != 0; }

bool AlphaGiven() { return CurrentOptions().alphaGiven != 0; }

// The edit is the control the skin last drew hot.
bool IsDrawnHotEdit(const ControlContext& c, HWND w) {
  return c.skin && IsDrawnHot(*c.skin, c.position, HotKind::Edit) && c.skin->hotParent == GetParent(w);
}

bool IsFocused(HWND w) {
  const EditRecord* r = FindRecord<EditRecord>(w);
  return r && r->focused;
}

// Composes the frame ring off screen and copies it to the window DC around the inner
// rectangle, which the system keeps drawing. False when the edit has no skin background.
bool PaintFrame(HWND w, bool focused, bool hot) {
  const EditFrameGeometry frame = MeasureEditFrame(w);
  if (frame.width <= 0 || frame.height <= 0) return false;
  const RECT whole{0, 0, frame.width, frame.height};
  // A borderless edit (a combo box's field) has no ring: all of it is the system's.
  if (EqualRect(&frame.inner, &whole)) return true;
  // Never over the dialog colour: the edit shows it nowhere.
  ControlPaint paint(w, PaintTarget::WholeWindow, nullptr, &whole, Backdrop::SkinOnly);
  if (!paint.ok()) return false;
  PaintEditFrame(paint.canvas(), frame.inner, focused, hot);
  paint.ExcludeFromCopy(frame.inner);
  return true;
}

// The white wash behind the client area, into the given DC at (0, 0) or, without one, to
// the window DC at the client area's place. False when the edit has no skin background.
bool PaintClientWash(HWND w, HDC given) {
  const RECT area = ClientRectInWindow(w);
  if (area.right <= area.left || area.bottom <= area.top) return false;
  const RECT client{0, 0, area.right - area.left, area.bottom - area.top};
  ControlPaint paint(w, given ? PaintTarget::Given : PaintTarget::WholeWindow, given, given ? &client : &area,
                     Backdrop::SkinOnly);
  if (!paint.ok()) return false;
  PaintEditWash(paint.canvas());
  return true;
}

LRESULT InvalidateThenChain(HWND w, UINT m, WPARAM wp, LPARAM lp, bool invalidate) {
  if (invalidate) InvalidateRect(w, nullptr, TRUE);
  return CallPreviousProc(w, m, wp, lp);
}

LRESULT OnSetFocus(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (EditRecord* r = FindRecord<EditRecord>(w)) r->focused = true;
  const LRESULT result = CallPreviousProc(w, m, wp, lp);
  // The system redraws only the text on focus: the frame shows the focus at once.
  PaintFrame(w, IsFocused(w), IsDrawnHotEdit(FindControlContext(w), w));
  return result;
}

LRESULT OnKillFocus(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (EditRecord* r = FindRecord<EditRecord>(w)) r->focused = false;
  if (ClassNameOf(GetParent(w)) == "ComboBox")
    PaintFrame(w, false, false);
  else
    InvalidateRect(w, nullptr, TRUE);
  return CallPreviousProc(w, m, wp, lp);
}

LRESULT OnPaint(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  PaintFrame(w, IsFocused(w), false);
  return CallPreviousProc(w, m, wp, lp);
}

LRESULT OnEraseBackground(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (AlphaGiven()) {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetBkMode(dc, TRANSPARENT);
    if (PaintClientWash(w, dc)) return 1;
  }
  return CallPreviousProc(w, m, wp, lp);
}

// The skin paints the frame; the system paints only the scroll bars (through their
// region), or nothing of the non-client area when there are none.
LRESULT OnNcPaint(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (!PaintFrame(w, IsFocused(w), false)) return CallPreviousProc(w, m, wp, lp);
  if (HasScrollBars(w)) {
    RegionHandle bars = ScrollBarRegion(w);
    return DefWindowProcA(w, m, reinterpret_cast<WPARAM>(bars.get()), lp);
  }
  return DefWindowProcA(w, m, static_cast<WPARAM>(-1), lp);
}

LRESULT OnMouseMove(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  ControlContext c = FindControlContext(w);
  if (c.skin) {
    HWND parent = GetParent(w);
    if (c.skin->hotParent != parent) c.skin->lastHotIndex = 0;  // the hot edit at this position was another's
    if (HoverMove(*c.skin, w, c.position, HotKind::Edit)) {
      c.skin->hotParent = parent;
      PaintFrame(w, IsFocused(w), true);
    }
  }
  const EditRecord* r = FindRecord<EditRecord>(w);
  return InvalidateThenChain(w, m, wp, lp, r && r->mouseDown && !HasScrollBars(w));
}

LRESULT OnButton(HWND w, UINT m, WPARAM wp, LPARAM lp, bool down) {
  if (EditRecord* r = FindRecord<EditRecord>(w)) r->mouseDown = down;
  return InvalidateThenChain(w, m, wp, lp, down && AlphaGiven() && !HasScrollBars(w));
}

LRESULT OnMouseLeave(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (SkinInstance* skin = FindControlContext(w).skin) HoverLeave(*skin);
  PaintFrame(w, IsFocused(w), false);
  return CallPreviousProc(w, m, wp, lp);
}

LRESULT Dispatch(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_MOVE: return InvalidateThenChain(w, m, wp, lp, AlphaGiven());
    case WM_SETFOCUS: return OnSetFocus(w, m, wp, lp);
    case WM_KILLFOCUS: return OnKillFocus(w, m, wp, lp);
    case WM_PAINT: return OnPaint(w, m, wp, lp);
    case WM_ERASEBKGND: return OnEraseBackground(w, m, wp, lp);
    case WM_NCPAINT: return OnNcPaint(w, m, wp, lp);
    case WM_KEYDOWN: return InvalidateThenChain(w, m, wp, lp, AlphaGiven() && !HasScrollBars(w));
    case WM_HSCROLL:
    case WM_VSCROLL: return InvalidateThenChain(w, m, wp, lp, AlphaGiven());
    case WM_MOUSEMOVE: return OnMouseMove(w, m, wp, lp);
    case WM_LBUTTONDOWN: return OnButton(w, m, wp, lp, true);
    case WM_LBUTTONUP: return OnButton(w, m, wp, lp, false);
    case WM_MOUSELEAVE: return OnMouseLeave(w, m, wp, lp);
    default: return CallPreviousProc(w, m, wp, lp);
  }
}

// An edit box with scroll bars over the skin is painted again whole when it scrolls.
LRESULT DispatchWatched(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (!AlphaGiven() || !HasScrollBars(w)) return Dispatch(w, m, wp, lp);
  return WatchScrolling(w, m, [&] { return Dispatch(w, m, wp, lp); });
}

constexpr WNDPROC EditProc = FamilyProc<EditRecord, DispatchWatched>;

}  // namespace

EditFrameGeometry MeasureEditFrame(HWND edit) {
  EditFrameGeometry g;
  RECT window{};
  GetWindowRect(edit, &window);
  g.width = window.right - window.left;
  g.height = window.bottom - window.top;
  g.inner = FrameInnerRect(edit);
  return g;
}

void PaintEditFrame(Canvas& canvas, const RECT& inner, bool focused, bool hot) {
  const SkinOptions& options = CurrentOptions();
  Graphics& g = canvas.pixelGraphics();
  const int w = canvas.width(), h = canvas.height();
  g.SetClipRectI(0, 0, w, h, Gdiplus::CombineModeReplace);
  g.SetClipRectI(inner.left, inner.top, inner.right - inner.left, inner.bottom - inner.top, Gdiplus::CombineModeXor);
  if (options.alphaGiven)
    g.FillRectangleWithColour(ToArgb(kWhite, options.backdropAlpha, true),
                              Gdiplus::RectF(0, 0, static_cast<float>(w), static_cast<float>(h)));
  else
    g.Clear(ToArgb(kWhite, 255, true));
  Pen pen;
  if (hot) {
    if (pen.Create(ToArgb(options.accentColour, kFrameAlpha, true), 2.0f)) g.DrawRectangleI(pen, 1, 1, w - 2, h - 2);
  } else {
    const COLORREF colour = focused ? options.accentColour : kBlack;
    if (pen.Create(ToArgb(colour, focused ? kFrameAlpha : 80, true), 1.0f)) g.DrawRectangleI(pen, 0, 0, w - 1, h - 1);
  }
  g.ResetClip();
}

void PaintEditWash(Canvas& canvas) { canvas.Wash(CurrentOptions().backdropAlpha); }

int TakeEditBox(SkinEngine& engine, int instance, HWND edit) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !IsWindow(edit)) return 0;
  if (int position = skin->List<EditRecord>().Find(edit)) return position;
  // Taken already (by another instance or family, or made transparent): never twice.
  if (TakenBySkin(edit, EditProc)) return 0;
  const int position = TakeControl(*skin, instance, edit, EditProc, EditRecord{});
  SetIntProp(edit, prop::kTextColour, 0);
  return position;
}

void TakeEditBoxes(SkinEngine& engine, int instance, HWND parent) {
  ForEachChildOfClass(parent, "Edit", [&](HWND child) { TakeEditBox(engine, instance, child); });
}

}  // namespace tunelark
