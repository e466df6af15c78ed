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

using Message = FamilyMessage<EditRecord>;

// The edit is the control the skin last drew hot.
bool IsDrawnHotEdit(const Message& c) {
  return IsDrawnHot(*c.skin, c.position, HotKind::Edit) && c.skin->hotParent == GetParent(c.w);
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

LRESULT InvalidateThenChain(Message& c, bool invalidate) {
  if (invalidate) InvalidateRect(c.w, nullptr, TRUE);
  return c.Chain();
}

LRESULT OnSetFocus(Message& c) {
  c.record->focused = true;
  const LRESULT result = c.Chain();
  // The system redraws only the text on focus: the frame shows the focus at once.
  if (c.Refind()) PaintFrame(c.w, c.record->focused, IsDrawnHotEdit(c));
  return result;
}

LRESULT OnKillFocus(Message& c) {
  c.record->focused = false;
  if (ClassNameOf(GetParent(c.w)) == "ComboBox")
    PaintFrame(c.w, false, false);
  else
    InvalidateRect(c.w, nullptr, TRUE);
  return c.Chain();
}

LRESULT OnPaint(Message& c) {
  PaintFrame(c.w, c.record->focused, false);
  return c.Chain();
}

LRESULT OnEraseBackground(Message& c) {
  if (AlphaGiven()) {
    HDC dc = reinterpret_cast<HDC>(c.wp);
    SetBkMode(dc, TRANSPARENT);
    if (PaintClientWash(c.w, dc)) return 1;
  }
  return c.Chain();
}

// The skin paints the frame; the system paints only the scroll bars (through their
// region), or nothing of the non-client area when there are none.
LRESULT OnNcPaint(Message& c) {
  if (!PaintFrame(c.w, c.record->focused, false)) return c.Chain();
  if (HasScrollBars(c.w)) {
    RegionHandle bars = ScrollBarRegion(c.w);
    return DefWindowProcA(c.w, c.m, reinterpret_cast<WPARAM>(bars.get()), c.lp);
  }
  return DefWindowProcA(c.w, c.m, static_cast<WPARAM>(-1), c.lp);
}

LRESULT OnMouseMove(Message& c) {
  HWND parent = GetParent(c.w);
  SkinInstance& skin = *c.skin;
  if (skin.hotParent != parent) skin.lastHotIndex = 0;  // the hot edit at this position was another's
  if (HoverMove(skin, c.w, c.position, HotKind::Edit)) {
    skin.hotParent = parent;
    PaintFrame(c.w, c.record->focused, true);
  }
  return InvalidateThenChain(c, c.record->mouseDown && !HasScrollBars(c.w));
}

LRESULT OnButton(Message& c, bool down) {
  c.record->mouseDown = down;
  return InvalidateThenChain(c, down && AlphaGiven() && !HasScrollBars(c.w));
}

LRESULT OnMouseLeave(Message& c) {
  HoverLeave(*c.skin);
  PaintFrame(c.w, c.record->focused, false);
  return c.Chain();
}

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_MOVE: return InvalidateThenChain(c, AlphaGiven());
    case WM_SETFOCUS: return OnSetFocus(c);
    case WM_KILLFOCUS: return OnKillFocus(c);
    case WM_PAINT: return OnPaint(c);
    case WM_ERASEBKGND: return OnEraseBackground(c);
    case WM_NCPAINT: return OnNcPaint(c);
    case WM_KEYDOWN: return InvalidateThenChain(c, AlphaGiven() && !HasScrollBars(c.w));
    case WM_HSCROLL:
    case WM_VSCROLL: return InvalidateThenChain(c, AlphaGiven());
    case WM_MOUSEMOVE: return OnMouseMove(c);
    case WM_LBUTTONDOWN: return OnButton(c, true);
    case WM_LBUTTONUP: return OnButton(c, false);
    case WM_MOUSELEAVE: return OnMouseLeave(c);
    default: return c.Chain();
  }
}

// An edit box with scroll bars over the skin is painted again whole when it scrolls.
LRESULT DispatchWatched(Message& c) {
  if (!AlphaGiven() || !HasScrollBars(c.w)) return Dispatch(c);
  return WatchScrolling(c.w, c.m, [&] { return Dispatch(c); });
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
