#include "skin/controls/framed_control.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>

#include "gfx/offscreen_dc.h"
#include "gfx/pen.h"
#include "base/message_copy.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/hover.h"
#include "skin/controls/paint_kit.h"
#include "skin/controls/scroll_watch.h"
#include "skin/skin_colour.h"
#include "skin/skin_geometry.h"
#include "skin/subclass.h"

namespace tunelark {

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
// List views with bit 0x10 are left to the system: the test the skin makes of a combo box's
// list (LBS_OWNERDRAWFIXED, whose owner paints it) is made of list views too, where that bit
// is LVS_SORTASCENDING. Knowingly kept: sorted list views stay unskinned.
constexpr LONG kUntakenListViewStyle = LVS_SORTASCENDING;

FramedKind KindOf(HWND control) {
  const std::string cls = ClassNameOf(control);
  if (cls == "ListBox") return IsOwnerDrawnListBox(control) ? FramedKind::OwnerDrawnListBox : FramedKind::ListBox;
  if (cls == "ComboLBox") return FramedKind::ComboList;
  if (cls == WC_LISTVIEWA) return FramedKind::ListView;
  if (cls == WC_TREEVIEWA) return FramedKind::TreeView;
  return FramedKind::Field;
}

LONG StyleOf(HWND w) { return GetWindowLongA(w, GWL_STYLE); }

using Message = FamilyMessage<FramedRecord>;

bool AlphaGiven(const Message& c) { return c.engine->options.alphaGiven != 0; }

// --- the frame ---------------------------------------------------------------------------

// Paints the control's frame from its record; the system's client area and scroll bars
// are excluded from the copy.
void PaintFrameOf(Message& c) {
  // A combo box's list and a borderless control show no frame at all.
  if (c.record->kind == FramedKind::ComboList || !HasFrameBorder(c.w)) return;
  const RECT inner = FrameInnerRect(c.w);
  ControlPaint paint(c.w, PaintTarget::WholeWindow, nullptr, nullptr, Backdrop::SkinOnly);
  if (!paint.ok()) return;
  PaintFrame(paint.canvas(), *c.record, inner, c.engine->options);
  // Only the ring reaches the screen: the clip keeps the client area (the magenta inside
  // the picture) out, so a plain copy does what a magenta-keyed one would, faster.
  paint.ExcludeFromCopy(inner);
}

// --- the translucent client area ---------------------------------------------------------

// List views (no text background) and owner-drawn list boxes (their owner's drawing) draw
// their items straight onto the washed picture. The children (the list view's header, an
// edit of a label being renamed) paint themselves.
LRESULT PaintOnWash(const Message& c) {
  ControlPaint paint(c.w, PaintTarget::BeginPaint);
  if (!paint.ok()) return 0;
  if (paint.onSkin()) paint.canvas().Wash(c.engine->options.backdropAlpha);
  c.Chain(WM_PAINT, reinterpret_cast<WPARAM>(paint.canvas().dc()), 0);
  paint.ExcludeVisibleChildren();
  return 0;
}

// --- items laid over the wash -------------------------------------------------------------

// The two plain backgrounds the items are drawn on: every channel is 0 in one and 255 in the
// other. Magenta is also the tree view's own background between paints.
constexpr COLORREF kGreen = RGB(0, 255, 0);

// The control's own WM_PAINT into `into` over a plain background: a list box fills its rows
// (and, under Wine, the rest of its client area) opaquely with the DC's background colour, a
// tree view fills with its own.
void DrawItemsOn(const Message& c, const OffscreenDC& into, const RECT& all, COLORREF background, bool listBox) {
  BrushHandle brush(CreateSolidBrush(background));
  FillRect(into.dc(), &all, brush.get());
  if (listBox) {
    SetBkColor(into.dc(), background);
  } else {
    SendMessageA(c.w, TVM_SETBKCOLOR, 0, background);
  }
  c.Chain(WM_PAINT, reinterpret_cast<WPARAM>(into.dc()), 0);
}

constexpr uint32_t kMagentaPixel = 0xFF00FF;  // a DIB pixel: 0x00RRGGBB

int Channel(uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

// One pixel of the items over the washed picture. A pixel the same over both backgrounds is
// the control's own. One that differs lets the background through, channel by channel (the
// smoothed edges of glyphs blend text and background, ClearType each channel apart): how far
// it followed the background tells how much, and that much of the washed picture takes the
// magenta's place.
uint32_t ItemOverWash(uint32_t onMagenta, uint32_t onGreen, uint32_t washed) {
  if (onMagenta == onGreen) return onMagenta;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int key = Channel(kMagentaPixel, shift), p = Channel(onMagenta, shift), q = Channel(onGreen, shift);
    const int through = std::clamp(key ? p - q : q - p, 0, 255);  // the background's share, of 255
    const int change = through * (Channel(washed, shift) - key);
    const int value = p + (change + (change >= 0 ? 127 : -127)) / 255;
    out |= static_cast<uint32_t>(std::clamp(value, 0, 255)) << shift;
  }
  return out;
}

// List boxes fill their rows and the rest of their client area opaquely with the background
// colour (Wine even ignores the null brush of the colour replies there); tree views fill with
// their own background colour. The items are drawn apart twice, over magenta and over green,
// and laid over the washed picture where they differ from both.
LRESULT PaintItemsOverWash(const Message& c, bool listBox) {
  HWND w = c.w;
  ControlPaint paint(w, PaintTarget::BeginPaint);
  if (!paint.ok()) return 0;
  Canvas& canvas = paint.canvas();
  const int width = canvas.width(), height = canvas.height();
  const RECT all{0, 0, width, height};
  const auto kind = OffscreenDC::Kind::Dib32;
  OffscreenDC washed(nullptr, width, height, kind), onMagenta(nullptr, width, height, kind),
      onGreen(nullptr, width, height, kind);
  if (!washed || !onMagenta || !onGreen) return 0;
  if (paint.onSkin()) canvas.Wash(c.engine->options.backdropAlpha);
  canvas.Flush();
  BitBlt(washed.dc(), 0, 0, width, height, canvas.dc(), 0, 0, SRCCOPY);
  DrawItemsOn(c, onMagenta, all, kMagenta, listBox);
  if (!IsWindow(w)) return 0;
  DrawItemsOn(c, onGreen, all, kGreen, listBox);
  if (!listBox && IsWindow(w)) {
    SendMessageA(w, TVM_SETBKCOLOR, 0, kMagenta);
    // The colour changes invalidated the tree (BeginPaint had validated it): what they
    // invalidated is what is being painted now.
    ValidateRect(w, nullptr);
  }
  GdiFlush();
  // 0x00RRGGBB each, read and written after GdiFlush().
  uint32_t* out = static_cast<uint32_t*>(washed.bits());
  const uint32_t* a = static_cast<const uint32_t*>(onMagenta.bits());
  const uint32_t* b = static_cast<const uint32_t*>(onGreen.bits());
  for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) out[i] = ItemOverWash(a[i], b[i], out[i]);
  BitBlt(canvas.dc(), 0, 0, width, height, washed.dc(), 0, 0, SRCCOPY);
  paint.ExcludeVisibleChildren();
  return 0;
}

// A list box redraws a row whose selection or focus changes at once, straight on the
// screen and opaquely: the washed look comes back with a repaint.
bool ListBoxDrawsDirectly(HWND w, UINT m) {
  switch (m) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_TIMER:
    case LB_SETCURSEL:
    case LB_SETSEL:
    case LB_SETCARETINDEX: return true;
    case WM_MOUSEMOVE: return GetCapture() == w;
    default: return false;
  }
}

// --- the window procedure ----------------------------------------------------------------

// A move or a scroll: the washed picture behind the control is painted again.
LRESULT InvalidateIfWashed(Message& c) {
  if (AlphaGiven(c)) InvalidateRect(c.w, nullptr, TRUE);
  return c.Chain();
}

LRESULT OnFocus(Message& c, bool focused) {
  c.record->focused = focused;
  PaintFrameOf(c);
  return c.Chain();
}

LRESULT OnPaint(Message& c) {
  PaintFrameOf(c);
  // A paint into a given DC (wParam) is someone else's picture: the system draws it.
  if (!AlphaGiven(c) || c.wp) return c.Chain();
  switch (c.record->kind) {
    case FramedKind::TreeView: return PaintItemsOverWash(c, false);
    case FramedKind::ListBox: return PaintItemsOverWash(c, true);
    case FramedKind::ListView:
    case FramedKind::OwnerDrawnListBox: return PaintOnWash(c);
    default: return c.Chain();
  }
}

LRESULT OnEraseBackground(Message& c) {
  HDC dc = reinterpret_cast<HDC>(c.wp);
  if (!AlphaGiven(c) || !dc) return c.Chain();
  switch (c.record->kind) {
    case FramedKind::TreeView:
    case FramedKind::ListView:
    case FramedKind::ListBox: SetBkMode(dc, TRANSPARENT); return 1;  // the paint lays the wash
    case FramedKind::ComboList:
    case FramedKind::OwnerDrawnListBox: return c.Chain();  // their own erase
    case FramedKind::Field: break;
  }
  SetBkMode(dc, TRANSPARENT);
  {
    ControlPaint paint(c.w, PaintTarget::Given, dc, nullptr, Backdrop::SkinOnly);
    if (paint.ok()) paint.canvas().Wash(c.engine->options.backdropAlpha);
  }
  SetTextColor(dc, static_cast<COLORREF>(GetIntProp(c.w, prop::kTextColour)));
  return 1;
}

LRESULT OnNcPaint(Message& c) {
  PaintFrameOf(c);
  // The system paints only the scroll bars; an empty region keeps it off the frame.
  RegionHandle region = ScrollBarRegion(c.w);
  if (!region) region.reset(CreateRectRgn(0, 0, 0, 0));
  return DefWindowProcA(c.w, WM_NCPAINT, reinterpret_cast<WPARAM>(region.get()), c.lp);
}

bool IsArrowKey(WPARAM key) { return key >= VK_LEFT && key <= VK_DOWN; }

LRESULT OnKeyDown(Message& c) {
  if (IsArrowKey(c.wp)) c.record->keyScrolling = 1;
  return c.Chain();
}

LRESULT OnKeyUp(Message& c) {
  // A capture left over from keyboard scrolling goes; a mouse drag keeps its capture.
  if (GetCapture() == c.w && !(GetKeyState(VK_LBUTTON) & 0x8000) && !(GetKeyState(VK_RBUTTON) & 0x8000)) {
    ReleaseCapture();  // sends WM_CAPTURECHANGED
    if (!c.Refind()) return c.Chain();
  }
  c.record->keyScrolling = 0;
  return c.Chain();
}

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_MOVE: return InvalidateIfWashed(c);
    case WM_SETFOCUS: return OnFocus(c, true);
    case WM_KILLFOCUS: return OnFocus(c, false);
    case WM_PAINT: return OnPaint(c);
    case WM_ERASEBKGND: return OnEraseBackground(c);
    case WM_NCPAINT: return OnNcPaint(c);
    case WM_KEYDOWN: return OnKeyDown(c);
    case WM_KEYUP: return OnKeyUp(c);
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: return InvalidateIfWashed(c);
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: return OnHoverChange(c, HotKind::ListLike, PaintFrameOf);
    default: return c.Chain();
  }
}

// A list view's header telling it that columns changed width or order: the list shifts the
// columns' pixels sideways.
bool IsHeaderNotification(UINT m, LPARAM lp) {
  NMHDR header{};
  if (m != WM_NOTIFY || !CopyMessageStruct(lp, header)) return false;
  switch (header.code) {
    case HDN_ITEMCHANGEDA:
    case HDN_ITEMCHANGEDW:
    case HDN_TRACKA:
    case HDN_TRACKW:
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
    case HDN_ENDDRAG: return true;
    default: return false;
  }
}

// Scrolling (of any cause) repaints the whole control over the skin; a plain list box draws
// some rows straight on the screen: they get the washed look back.
LRESULT DispatchAndRewash(Message& c) {
  if (!AlphaGiven(c)) return Dispatch(c);
  const FramedKind kind = c.record->kind;
  const HWND w = c.w;
  const UINT m = c.m;
  const LRESULT result = WatchScrolling(w, m, [&] { return Dispatch(c); }, IsHeaderNotification(m, c.lp));
  if (kind == FramedKind::ListBox && ListBoxDrawsDirectly(w, m) && IsWindow(w)) InvalidateRect(w, nullptr, FALSE);
  return result;
}

constexpr WNDPROC FramedProc = FamilyProc<FramedRecord, DispatchAndRewash>;

}  // namespace

// --- taking ------------------------------------------------------------------------------

int TakeFramedControl(SkinEngine& engine, int instance, HWND control) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !control || !IsWindow(control)) return 0;
  if (int position = skin->List<FramedRecord>().Find(control)) return position;
  // Taken already (by another instance or family, or made transparent): never twice.
  if (TakenBySkin(control, FramedProc)) return 0;
  FramedRecord record;
  record.kind = KindOf(control);
  const int position = TakeControl(*skin, instance, control, FramedProc, record);
  if (engine.options.alphaGiven) {
    if (record.kind == FramedKind::ListView) SendMessageA(control, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
    if (record.kind == FramedKind::TreeView) SendMessageA(control, TVM_SETBKCOLOR, 0, kMagenta);
  }
  return position;
}

void TakeFramedControls(SkinEngine& engine, int instance, HWND parent) {
  auto take = [&](HWND child) { TakeFramedControl(engine, instance, child); };
  ForEachChildOfClass(parent, "ListBox", take);
  ForEachChildOfClass(parent, "ComboBox", [&](HWND combo) {
    HWND list = FindWindowExA(combo, nullptr, "ComboLBox", nullptr);
    if (list && !(StyleOf(list) & LBS_OWNERDRAWFIXED)) take(list);
  });
  ForEachChildOfClass(parent, WC_LISTVIEWA, [&](HWND list) {
    if (!(StyleOf(list) & kUntakenListViewStyle)) take(list);
  });
  ForEachChildOfClass(parent, WC_TREEVIEWA, take);
  ForEachChildOfClass(parent, WC_IPADDRESSA, take);
  ForEachChildOfClass(parent, DATETIMEPICK_CLASSA, take);
}

// --- painting pieces ---------------------------------------------------------------------

bool HasFrameBorder(HWND control) {
  const LONG ex = GetWindowLongA(control, GWL_EXSTYLE);
  return (StyleOf(control) & WS_BORDER) || (ex & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE));
}

void PaintFrame(Canvas& canvas, const FramedRecord& record, const RECT& inner, const SkinOptions& options) {
  // The client area is keyed out with magenta, filled by GDI first (GDI+ fills large areas
  // slowly under Wine).
  BrushHandle magenta(CreateSolidBrush(kMagenta));
  FillRect(canvas.dc(), &inner, magenta.get());
  Graphics& g = canvas.pixelGraphics();
  const float width = static_cast<float>(canvas.width()), height = static_cast<float>(canvas.height());
  const int innerWidth = inner.right - inner.left, innerHeight = inner.bottom - inner.top;
  // The ring between the window's edge and the inner rectangle.
  g.SetClipRect(0, 0, width, height);
  g.SetClipRectI(inner.left, inner.top, innerWidth, innerHeight, Gdiplus::CombineModeXor);
  const Gdiplus::ARGB ring = options.alphaGiven ? ToArgb(0xFFFFFF, options.backdropAlpha, true) : 0xFFFFFFFF;
  g.FillRectangleWithColour(ring, Gdiplus::RectF(0, 0, width, height));
  g.ResetClip();
  Pen pen;
  if (record.hot) {
    if (pen.Create(ToArgb(options.accentColour, 200, true), 2.0f)) g.DrawRectangle(pen, 1, 1, width - 2, height - 2);
  } else if (record.focused) {
    if (pen.Create(ToArgb(options.accentColour, 200, true), 1.0f)) g.DrawRectangle(pen, 0, 0, width - 1, height - 1);
  } else if (pen.Create(ToArgb(0x000000, 90, true), 1.0f)) {
    g.DrawRectangle(pen, 0, 0, width - 1, height - 1);
  }
}

}  // namespace tunelark
