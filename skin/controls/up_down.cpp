#include "skin/controls/up_down.h"

#include <commctrl.h>

#include "gfx/graphics_path.h"
#include "gfx/pen.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/hover.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_geometry.h"
#include "skin/skin_images.h"
#include "skin/skin_paths.h"
#include "skin/subclass.h"

namespace tunelark {
namespace {

constexpr float kCornerRadius = 3;

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

SIZE WindowSize(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

int HalfUnder(HWND control, bool horizontal, LPARAM lParam) {
  const SIZE size = WindowSize(control);
  return UpDownHalfAt(horizontal, size.cx, size.cy, PointOf(lParam));
}

// --- painting -----------------------------------------------------------------------------

struct HalfRect {
  float x, y, w, h;
};

HalfRect HalfOf(int part, bool horizontal, int w, int h) {
  const int split = UpDownSplit(horizontal, w, h);
  if (horizontal)
    return part == kFirstHalf ? HalfRect{0, 0, float(split - 1), float(h - 1)}
                              : HalfRect{float(split), 0, float(w - split - 1), float(h - 1)};
  return part == kFirstHalf ? HalfRect{0, 0, float(w - 1), float(split - 1)}
                            : HalfRect{0, float(split), float(w - 1), float(h - split - 1)};
}

SkinImage ArrowOf(int part, bool horizontal) {
  if (horizontal) return part == kFirstHalf ? SkinImage::ArrowLeft : SkinImage::ArrowRight;
  return part == kFirstHalf ? SkinImage::ArrowUp : SkinImage::ArrowDown;
}

struct HalfColours {
  Gdiplus::ARGB from, to, outline;
};

HalfColours ColoursOf(int part, bool horizontal, bool lit, bool pressed, COLORREF accent) {
  if (lit && pressed) return {ToArgb(accent, 100, true), ToArgb(kWhite, 150, true), ToArgb(accent, 200, true)};
  if (lit) return {ToArgb(kWhite, 100, true), ToArgb(accent, 150, true), ToArgb(accent, 200, true)};
  const int fromAlpha = !horizontal && part == kFirstHalf ? 60 : 20;
  return {ToArgb(kWhite, fromAlpha, true), ToArgb(accent, 100, true), ToArgb(kBlack, 100, true)};
}

// The arrow centred in the half: 7 x 4 up and down, 4 x 7 left and right.
void DrawArrow(Graphics& g, int part, bool horizontal, const HalfRect& r) {
  const int iw = horizontal ? 4 : 7, ih = horizontal ? 7 : 4;
  DrawSkinImage(g, ArrowOf(part, horizontal), static_cast<int>(r.x) + (static_cast<int>(r.w) - iw) / 2,
                static_cast<int>(r.y) + (static_cast<int>(r.h) - ih) / 2);
}

void DrawHalf(Graphics& g, int part, bool horizontal, const HalfRect& r, const HalfColours& c) {
  GraphicsPath path;
  if (!path.Create() || !AddRoundedRectangle(path, r.x, r.y, r.w, r.h, kCornerRadius)) return;
  // The gradient runs along the half's long side from its start (mirrored beyond its end).
  const Gdiplus::PointF end = r.w >= r.h ? Gdiplus::PointF(r.x + r.w, r.y) : Gdiplus::PointF(r.x, r.y + r.h);
  LinearGradientBrush gradient;
  if (gradient.CreateFromPoints({r.x, r.y}, end, c.from, c.to, Gdiplus::WrapModeTileFlipXY)) g.FillPath(gradient, path);
  Pen pen;
  if (pen.Create(c.outline)) g.DrawPath(pen, path);
  DrawArrow(g, part, horizontal, r);
}

using Message = FamilyMessage<UpDownRecord>;

void PaintNow(Message& c, UpDownLook look) {
  ControlPaint paint(c.w, PaintTarget::WindowDC);
  if (ReadyToPaint(c, paint)) PaintUpDown(paint.canvas(), *c.record, look);
}

// The look from the record: the pressed half while pressed, else the half last hovered.
UpDownLook StoredLook(HWND control, const UpDownRecord& record) {
  UpDownLook look{record.hot != 0, record.pressed != 0, record.hotPart};
  if (record.pressed) look.part = HalfUnder(control, record.horizontal != 0, record.pressPoint);
  return look;
}

// --- messages -----------------------------------------------------------------------------

LRESULT OnPaint(Message& c) {
  HDC given = reinterpret_cast<HDC>(c.wp);
  ControlPaint paint(c.w, given ? PaintTarget::Given : PaintTarget::BeginPaint, given);
  if (ReadyToPaint(c, paint)) PaintUpDown(paint.canvas(), *c.record, StoredLook(c.w, *c.record));
  return 0;
}

LRESULT OnMove(Message& c) {
  PaintNow(c, StoredLook(c.w, *c.record));
  return c.Chain();
}

// Repaints lit when the mouse comes onto the control or crosses into the other half.
LRESULT OnMouseMove(Message& c) {
  UpDownRecord& record = *c.record;
  const int part = HalfUnder(c.w, record.horizontal != 0, c.lp);
  const bool crossed = part != record.hotPart;
  if (HoverMove(*c.skin, c.w, c.position, HotKind::UpDown) || crossed) {
    record.hot = 1;
    record.hotPart = part;
    PaintNow(c, {true, record.pressed != 0, part});
  }
  return c.Chain();
}

LRESULT OnButton(Message& c) {
  c.record->pressed = c.m == WM_LBUTTONUP ? 0 : 1;
  c.record->pressPoint = c.lp;
  return c.Chain();
}

// The capture went elsewhere before the button came up (another window took it, a menu or
// a dialog opened): the press is over, so the control is drawn unpressed at once. The
// system's own procedure ends its repeat here. A release on the control clears the press
// before it lets the capture go, so this draws nothing then.
LRESULT OnCaptureChanged(Message& c) {
  const bool ended = c.record->pressed != 0;
  c.record->pressed = 0;
  const LRESULT result = c.Chain();
  if (ended && c.Refind()) PaintNow(c, StoredLook(c.w, *c.record));
  return result;
}

LRESULT OnMouseLeave(Message& c) {
  HoverLeave(*c.skin);
  c.record->hot = 0;
  PaintNow(c, {false, c.record->pressed != 0, c.record->hotPart});
  return c.Chain();
}

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_MOVE: return OnMove(c);
    case WM_PAINT: return OnPaint(c);
    case WM_ERASEBKGND: return EraseNothing(c.wp);
    case WM_NCPAINT: return 1;
    case WM_MOUSEMOVE: return OnMouseMove(c);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: return OnButton(c);
    case WM_MOUSELEAVE: return OnMouseLeave(c);
    case WM_CAPTURECHANGED: return OnCaptureChanged(c);
    default: return c.Chain();
  }
}

constexpr WNDPROC UpDownProc = FamilyProc<UpDownRecord, Dispatch>;

}  // namespace

void TakeUpDowns(SkinEngine& engine, int instance, HWND parent) {
  if (!engine.options.drawChildControls) return;
  ForEachChildOfClass(parent, UPDOWN_CLASSA, [&](HWND control) { TakeUpDown(engine, instance, control); });
}

int TakeUpDown(SkinEngine& engine, int instance, HWND control) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !control || ClassNameOf(control) != UPDOWN_CLASSA || TakenBySkin(control, UpDownProc)) return 0;
  UpDownRecord record;
  record.horizontal = (GetWindowLongA(control, GWL_STYLE) & UDS_HORZ) ? 1 : 0;
  return TakeControl(*skin, instance, control, UpDownProc, record);
}

int UpDownSplit(bool horizontal, int w, int h) { return ((horizontal ? w : h) + 1) / 2; }

// A point on the split itself still belongs to the first half.
int UpDownHalfAt(bool horizontal, int w, int h, POINT p) {
  return (horizontal ? p.x : p.y) > UpDownSplit(horizontal, w, h) ? kSecondHalf : kFirstHalf;
}

void PaintUpDown(Canvas& canvas, const UpDownRecord& record, UpDownLook look) {
  const int w = canvas.width(), h = canvas.height();
  const bool horizontal = record.horizontal != 0;
  const COLORREF accent = Accent();
  Graphics& g = canvas.pixelGraphics();
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetCompositingQuality(Gdiplus::CompositingQualityHighQuality);
  GraphicsPath body;
  SolidBrush white;
  if (body.Create() && AddRoundedRectangle(body, 0, 0, float(w - 1), float(h - 1), kCornerRadius) &&
      white.Create(ToArgb(kWhite, 160, true)))
    g.FillPath(white, body);
  for (int part : {kFirstHalf, kSecondHalf}) {
    const bool lit = (look.hot || look.pressed) && look.part == part;
    DrawHalf(g, part, horizontal, HalfOf(part, horizontal, w, h), ColoursOf(part, horizontal, lit, look.pressed, accent));
  }
}

}  // namespace tunelark
