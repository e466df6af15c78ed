#include "skin/controls/button.h"

#include <cmath>
#include <optional>
#include <string>

#include "gfx/brushes.h"
#include "gfx/font.h"
#include "gfx/graphics_path.h"
#include "gfx/pen.h"
#include "gfx/string_format.h"
#include "skin/container_record.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/hover.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_images.h"
#include "skin/skin_paths.h"
#include "skin/subclass.h"

namespace tunelark {

namespace {

constexpr COLORREF kDisabledFill = 0xC0C0C0;
constexpr COLORREF kBodyShade = 0x808080;
constexpr COLORREF kGlow = 0xDDCA22;         // the focus and hover glow keeps the stock accent
constexpr COLORREF kDotSurround = 0x808000;  // teal rim of the radio button's dot

bool IsPushKind(ButtonKind kind) {
  return kind == ButtonKind::Push || kind == ButtonKind::PictureBeside || kind == ButtonKind::PictureStates;
}
bool IsCheckKind(ButtonKind kind) { return kind == ButtonKind::Radio || kind == ButtonKind::CheckBox; }

// --- style tests on the BS_* type bits -------------------------------------------------

// The types are told apart by their bits, not by equality: a type "has" another when it
// holds all of that one's bits (BS_AUTOCHECKBOX has BS_CHECKBOX).
bool Has(LONG type, LONG bits) { return (type | bits) == type; }
LONG TypeBits(HWND w) { return GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK; }
// BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_USERBUTTON.
bool IsPushButtonType(LONG t) {
  return !Has(t, BS_CHECKBOX) && !Has(t, BS_AUTORADIOBUTTON) && !Has(t, BS_RADIOBUTTON);
}
// BS_CHECKBOX, BS_AUTOCHECKBOX, BS_PUSHBOX (BS_OWNERDRAW is never taken).
bool IsCheckBoxType(LONG t) { return Has(t, BS_CHECKBOX) && !Has(t, BS_RADIOBUTTON); }
bool IsAutoRadioType(LONG t) {
  return !Has(t, BS_CHECKBOX) && Has(t, BS_AUTORADIOBUTTON) && !Has(t, BS_RADIOBUTTON);
}
bool IsOwnerDrawType(LONG t) { return Has(t, BS_OWNERDRAW); }

// --- drawing pieces ----------------------------------------------------------------------

GraphicsPath EllipsePath(float x, float y, float w, float h) {
  GraphicsPath path;
  if (path.Create()) path.AddEllipse(x, y, w, h);
  return path;
}

// A vertical gradient from top to bottom at x.
void FillVertical(Graphics& g, const GraphicsPath& path, float x, float top, float bottom, Gdiplus::ARGB first,
                  Gdiplus::ARGB second) {
  FillGradient(g, path, PointF(x, top), PointF(x, bottom), first, second);
}

// The disabled look shared by the radio button and the check box.
void PaintDisabledBox(Graphics& g, float w, float h) {
  g.FillRectangleWithColour(Colour(kDisabledFill, 255), RectF(0, 0, w, h));
  Outline(g, RoundedPath(0, 0, w - 1, h - 1), Colour(kBlack, 80));
}

void DrawCaption(Graphics& g, const ButtonRecord& record, COLORREF textColour, const RectF& layout,
                 Gdiplus::StringAlignment alignment) {
  if (record.caption.empty()) return;
  Font font;
  StringFormat format;
  SolidBrush brush;
  if (!MakeControlFont(record.font, font) || !format.Create() || !brush.Create(Colour(textColour, 255))) return;
  format.SetAlignment(alignment);
  format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
  g.DrawString(record.caption, font, layout, &format, brush);
}

// The hover glow over a square or a circle: accent gradient, soft outline, accent rim.
void PaintHotGlow(Graphics& g, const GraphicsPath& fillShape, const GraphicsPath& rim, PointF from, PointF to) {
  FillGradient(g, fillShape, from, to, Colour(Accent(), 100), Colour(kBlack, 0));
  DrawSoftOutline(g, rim, 2, kGlow, 30);
  Outline(g, rim, Colour(Accent(), 255));
}

void PaintKind(Canvas& canvas, const ButtonRecord& record, UINT state, bool checked, COLORREF textColour) {
  switch (record.kind) {
    case ButtonKind::Push: PaintPush(canvas, record, state, textColour); break;
    case ButtonKind::PictureBeside: PaintPictureBeside(canvas, record, state, textColour); break;
    case ButtonKind::PictureStates: PaintPictureStates(canvas, record, state, textColour); break;
    case ButtonKind::Radio: PaintRadioButton(canvas, record, state, checked, textColour); break;
    case ButtonKind::CheckBox: PaintCheckBox(canvas, record, state, checked, textColour); break;
  }
}

// --- the window side -------------------------------------------------------------------

using Message = FamilyMessage<ButtonRecord>;

COLORREF TextColourOf(HWND w) { return static_cast<COLORREF>(GetIntProp(w, prop::kTextColour)); }

bool IsChecked(HWND w) { return SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Push buttons are owner-drawn: the system asks their parent to draw them (WM_DRAWITEM), and
// a skinned window or container hands that to DispatchDrawItem. Any other parent (a plain
// panel, a plain popup owned by a skinned window) lets it go, so there the button draws
// itself: on WM_PAINT and after each change the system would have had the parent draw.
bool ParentDrawsItems(const Message& c) {
  HWND parent = GetParent(c.w);
  return parent && (c.engine->FindSkinInstance(parent) || c.engine->RecordOf<ContainerRecord>(parent));
}

bool DrawsItself(const Message& c) { return IsCheckKind(c.record->kind) || !ParentDrawsItems(c); }

// The state the system hands an owner-drawn button in WM_DRAWITEM.
UINT OwnerDrawState(HWND w) {
  UINT state = 0;
  if (SendMessageA(w, BM_GETSTATE, 0, 0) & BST_PUSHED) state |= ODS_SELECTED;
  if (GetFocus() == w) state |= ODS_FOCUS;
  if (!IsWindowEnabled(w)) state |= ODS_DISABLED;
  return state;
}

// Paints the button into the paint scope's target in the given state (plus disabled when
// the window is), composed off screen and copied once. checkKind: a check box or radio
// button, read by the caller before anything it sent.
void PaintInto(Message& c, PaintTarget target, UINT state, bool checkKind) {
  if (!IsWindowEnabled(c.w)) state |= ODS_DISABLED;
  const bool checked = checkKind && IsChecked(c.w);
  ControlPaint paint(c.w, target);
  if (ReadyToPaint(c, paint)) PaintKind(paint.canvas(), *c.record, state, checked, TextColourOf(c.w));
}

// Redraws the button on its window DC (hover and press looks).
void Redraw(Message& c, UINT state, bool hot) {
  PaintInto(c, PaintTarget::WindowDC, hot ? state | ODS_HOTLIGHT : state, IsCheckKind(c.record->kind));
}

// A push button drawing itself, after a change the system drew through WM_DRAWITEM: drawn
// as the parent would have been asked to draw it.
void RedrawSelfDrawnPush(Message& c) {
  if (IsPushKind(c.record->kind) && IsWindowVisible(c.w) && !ParentDrawsItems(c))
    PaintInto(c, PaintTarget::WindowDC, OwnerDrawState(c.w), false);
}

LRESULT ChainThenRedrawPush(Message& c) {
  const LRESULT result = c.Chain();
  if (c.Refind()) RedrawSelfDrawnPush(c);
  return result;
}

// Check boxes and radio buttons: the system draws them itself (with GetDC) when their
// check, press, focus, text or enabled state changes; the skin's look goes back over it,
// hot while the mouse is over the button. Push buttons that draw themselves likewise.
LRESULT ChainThenRedraw(Message& c) {
  const LRESULT result = c.Chain();
  if (!c.Refind()) return result;
  if (IsCheckKind(c.record->kind) && IsWindowVisible(c.w))
    Redraw(c, 0, IsDrawnHot(*c.skin, c.position, HotKind::Button));
  else
    RedrawSelfDrawnPush(c);
  return result;
}

LRESULT OnMove(Message& c) {
  InvalidateRect(c.w, nullptr, TRUE);
  return c.Chain();
}

LRESULT OnFocus(Message& c, bool focused) {
  c.record->focused = focused;
  return ChainThenRedraw(c);
}

LRESULT OnSetText(Message& c) {
  // A null text is legal and empties the caption.
  c.record->caption = c.lp ? reinterpret_cast<const char*>(c.lp) : "";
  return ChainThenRedraw(c);
}

LRESULT OnPaint(Message& c) {
  if (!DrawsItself(c)) return c.Chain();  // owner-drawn: WM_DRAWITEM
  const bool checkKind = IsCheckKind(c.record->kind);
  PaintInto(c, PaintTarget::BeginPaint, checkKind ? 0 : OwnerDrawState(c.w), checkKind);
  return 0;
}

LRESULT OnEraseBackground(Message& c) {
  HDC dc = reinterpret_cast<HDC>(c.wp);
  SetBkMode(dc, TRANSPARENT);
  return static_cast<LRESULT>(SetTextColor(dc, TextColourOf(c.w)));
}

// BM_SETSTATE, a press of the left button or of the space bar.
LRESULT OnPress(Message& c) {
  if (!IsCheckKind(c.record->kind)) return ChainThenRedrawPush(c);
  c.Chain();
  if (c.Refind()) Redraw(c, ODS_SELECTED, false);
  return 0;
}

LRESULT OnKeyDown(Message& c) { return c.wp == VK_SPACE ? OnPress(c) : c.Chain(); }

LRESULT OnMouseMove(Message& c) {
  if (HoverMove(*c.skin, c.w, c.position, HotKind::Button)) Redraw(c, 0, true);
  return c.Chain();
}

// The pressed look replaced the hot one: the next mouse move draws it hot again. The
// click's own check change (inside the system's handling) still redraws it hot.
LRESULT OnButtonUp(Message& c) {
  const LRESULT result = c.Chain();
  if (!c.Refind()) return result;
  c.skin->lastHotIndex = 0;
  RedrawSelfDrawnPush(c);
  return result;
}

LRESULT OnMouseLeave(Message& c) {
  HoverLeave(*c.skin);
  Redraw(c, c.record->focused ? ODS_FOCUS : 0, false);
  return c.Chain();
}

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_MOVE: return OnMove(c);
    case WM_SETFOCUS: return OnFocus(c, true);
    case WM_KILLFOCUS: return OnFocus(c, false);
    case WM_SETTEXT: return OnSetText(c);
    case WM_ENABLE:
    case BM_SETCHECK:
    case WM_UPDATEUISTATE: return ChainThenRedraw(c);
    case WM_PAINT: return OnPaint(c);
    case WM_ERASEBKGND: return OnEraseBackground(c);
    case WM_NCPAINT: return 1;
    case BM_SETSTATE:
    case WM_LBUTTONDOWN: return OnPress(c);
    case WM_KEYDOWN: return OnKeyDown(c);
    case WM_KEYUP:
    case WM_CAPTURECHANGED: return ChainThenRedrawPush(c);
    case WM_MOUSEMOVE: return OnMouseMove(c);
    case WM_LBUTTONUP: return OnButtonUp(c);
    case WM_LBUTTONDBLCLK: return 0;  // swallowed
    case WM_MOUSELEAVE: return OnMouseLeave(c);
    default: return c.Chain();
  }
}

constexpr WNDPROC ButtonProc = FamilyProc<ButtonRecord, Dispatch>;

}  // namespace

// --- painters ----------------------------------------------------------------------------

void PaintPush(Canvas& canvas, const ButtonRecord& record, UINT state, COLORREF textColour) {
  Graphics& g = canvas.pixelGraphics();
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  const GraphicsPath body = RoundedPath(0, 0, w - 1, h - 1);
  FillSolid(g, body, Colour(kWhite, 120));
  if (state & ODS_DISABLED) {
    g.FillRectangleWithColour(Colour(kDisabledFill, 255), RectF(0, 0, w, h));
    Outline(g, body, Colour(kBlack, 80));
  } else {
    FillVertical(g, body, 0, 0, h - 1, Colour(kWhite, 0), Colour(kBodyShade, 60));
    GraphicsPath gloss;
    if (gloss.Create() && AddTopRoundedRectangle(gloss, 0, 0, w - 1, std::floor(h / 2), 5))
      FillVertical(g, gloss, 0, 0, std::floor(h / 2), Colour(kWhite, 50), Colour(kWhite, 10));
    if (state & ODS_HOTLIGHT) {
      FillVertical(g, body, 0, 0, h - 1, Colour(Accent(), 60), Colour(Accent(), 10));
      Outline(g, body, Colour(Accent(), 255));
    } else if (state & ODS_FOCUS) {
      Outline(g, body, Colour(kBlack, 70));
      DrawSoftOutline(g, body, 3, kGlow, 120);
    } else {
      Outline(g, body, Colour(kBlack, 120));
    }
    if (state & ODS_SELECTED)
      FillVertical(g, RoundedPath(2, 2, w - 3, h - 3), 0, 2, h - 1, Colour(Accent(), 60), Colour(kWhite, 100));
  }
  DrawCaption(g, record, textColour, RectF(0, 2, w, h), Gdiplus::StringAlignmentCenter);
}

namespace {

// The check kinds' course: the disabled box or the kind's own, then the caption at captionLeft.
template <typename PaintBox>
void PaintCheckKind(Canvas& canvas, const ButtonRecord& record, UINT state, COLORREF textColour, float captionLeft,
                    float captionRightGap, PaintBox paintBox) {
  Graphics& g = canvas.pixelGraphics();
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  if (state & ODS_DISABLED)
    PaintDisabledBox(g, w, h);
  else
    paintBox(g, h);
  DrawCaption(g, record, textColour, RectF(captionLeft, 2, w - captionRightGap, h), Gdiplus::StringAlignmentNear);
}

void PaintRadioDot(Graphics& g, float ringTop) {
  const GraphicsPath dot = EllipsePath(5, ringTop + 3, 6, 6);
  PathGradientBrush brush;
  if (brush.CreateFromPath(dot)) {
    brush.SetCentreColour(Colour(kWhite, 100));
    brush.SetSurroundColours({Colour(kDotSurround, 255)});
    g.FillPath(brush, dot);
  }
  Outline(g, dot, Colour(kBlack, 200));
}

}  // namespace

void PaintRadioButton(Canvas& canvas, const ButtonRecord& record, UINT state, bool checked, COLORREF textColour) {
  PaintCheckKind(canvas, record, state, textColour, 18, 0, [&](Graphics& g, float h) {
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const float ringTop = std::floor((h - 12) / 2);
    const float innerTop = std::floor((h - 11) / 2) + 1;
    const GraphicsPath ring = EllipsePath(2, ringTop, 12, 12);
    const GraphicsPath inner = EllipsePath(3, innerTop, 9, 9);
    Outline(g, ring, Colour(kBlack, 200));
    Outline(g, inner, Colour(kWhite, 255));
    FillSolid(g, inner, Colour(kWhite, 255));
    const PointF from(3, ringTop + 1), to(10, ringTop + 11);
    FillGradient(g, inner, from, to, Colour(kBlack, 100), Colour(kBlack, 0));
    if (state & ODS_HOTLIGHT) PaintHotGlow(g, inner, ring, from, to);
    if (checked) PaintRadioDot(g, ringTop);
  });
}

void PaintCheckBox(Canvas& canvas, const ButtonRecord& record, UINT state, bool checked, COLORREF textColour) {
  PaintCheckKind(canvas, record, state, textColour, 17, 19, [&](Graphics& g, float h) {
    const int top = (static_cast<int>(h) - 13) / 2;
    DrawSkinImage(g, SkinImage::CheckBoxOff, 0, top);
    if (checked) DrawSkinImage(g, SkinImage::CheckBoxOn, 0, top);
    if (!(state & ODS_HOTLIGHT)) return;
    GraphicsPath square, rim;
    const float y = static_cast<float>(top);
    if (square.Create() && square.AddRectangle(0, y, 13, 13) && rim.Create() && rim.AddRectangle(0, y, 12, 12))
      PaintHotGlow(g, square, rim, PointF(0, y), PointF(0, y + 13));
  });
}

// --- taking and dispatch -------------------------------------------------------------------

int TakeButton(SkinEngine& engine, int instance, HWND button, ButtonKind kind) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !IsWindow(button)) return 0;
  if (int position = skin->List<ButtonRecord>().Find(button)) return position;
  // Taken already (by another instance or family, or made transparent): never twice.
  if (TakenBySkin(button, ButtonProc)) return 0;
  ButtonRecord record;
  record.kind = kind;
  if (IsCheckKind(kind)) {
    record.startCheckState = IsChecked(button);
    record.parent = GetParent(button);
  }
  record.caption = WindowTextOf(button);
  record.font = ReadControlFont(button);
  const int position = TakeControl(*skin, instance, button, ButtonProc, std::move(record));
  if (IsPushKind(kind)) {
    SetWindowLongA(button, GWL_STYLE, GetWindowLongA(button, GWL_STYLE) | BS_OWNERDRAW);
    InvalidateRect(button, nullptr, TRUE);
  }
  return position;
}

void TakePushButtons(SkinEngine& engine, int instance, HWND parent) {
  ForEachChildOfClass(parent, "Button", [&](HWND child) {
    const LONG type = TypeBits(child);
    if (!IsOwnerDrawType(type) && IsPushButtonType(type)) TakeButton(engine, instance, child, ButtonKind::Push);
  });
}

void TakeCheckAndRadioButtons(SkinEngine& engine, int instance, HWND parent) {
  ForEachChildOfClass(parent, "Button", [&](HWND child) {
    const LONG type = TypeBits(child);
    if (IsOwnerDrawType(type)) return;
    if (IsAutoRadioType(type))
      TakeButton(engine, instance, child, ButtonKind::Radio);
    else if (IsCheckBoxType(type))
      TakeButton(engine, instance, child, ButtonKind::CheckBox);
  });
}

void DispatchDrawItem(SkinEngine& engine, const DRAWITEMSTRUCT& item) {
  const ButtonRecord* r = item.CtlType == ODT_BUTTON ? engine.RecordOf<ButtonRecord>(item.hwndItem) : nullptr;
  if (!r || !IsPushKind(r->kind)) return;
  ControlPaint paint(item.hwndItem, PaintTarget::Given, item.hDC, &item.rcItem);
  if (paint.ok()) PaintKind(paint.canvas(), *r, item.itemState, false, TextColourOf(item.hwndItem));
}

}  // namespace tunelark
