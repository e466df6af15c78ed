#include "skin/controls/combo_box.h"

#include <string>

#include "gfx/font.h"
#include "gfx/font_family.h"
#include "gfx/graphics_path.h"
#include "gfx/pen.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/framed_control.h"
#include "skin/controls/hover.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_geometry.h"
#include "skin/skin_images.h"
#include "skin/skin_paths.h"
#include "skin/subclass.h"

namespace tunelark {
namespace {

constexpr Gdiplus::ARGB kMagenta = 0xFFFF00FF;  // the key colour, opaque

int ComboType(DWORD style) { return static_cast<int>(style & CBS_DROPDOWNLIST); }

HWND EditOf(HWND combo) { return FindWindowExA(combo, nullptr, "Edit", nullptr); }

// Only a combo box with children has anything keyed out; the others reach the screen by
// a plain copy, which costs far less than a keyed one.
void KeyChildrenOut(ControlPaint& paint, HWND combo) {
  if (FindWindowExA(combo, nullptr, nullptr, nullptr)) paint.KeyMagenta();
}

HWND ListOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

// --- taking -------------------------------------------------------------------------------

// The selected item's text becomes the combo's text.
void ShowSelectionAsText(HWND combo) {
  const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (item < 0) return;
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
  if (length < 0) return;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  if (SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(text.data())) < 0)
    return;
  SendMessageA(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TakeChildren(SkinEngine& engine, int instance, HWND combo) {
  HWND edit = EditOf(combo);
  if (edit && engine.options.alphaGiven && !TakenBySkin(edit, nullptr)) TakeEditBox(engine, instance, edit);
  if (ComboType(GetWindowLongA(combo, GWL_STYLE)) != CBS_SIMPLE) return;
  HWND list = FindWindowExA(combo, nullptr, "ComboLBox", nullptr);
  if (list && !(GetWindowLongA(list, GWL_STYLE) & LBS_OWNERDRAWFIXED) && !TakenBySkin(list, nullptr))
    TakeFramedControl(engine, instance, list);
}

// --- painting -----------------------------------------------------------------------------

void FillBody(Graphics& g, int w, int h, const SkinOptions& options) {
  SolidBrush white;
  if (white.Create(ToArgb(kWhite, options.backdropAlpha, options.alphaGiven != 0)))
    g.FillRectangleI(white, 0, 0, w, h);
}

// Clears the combo's own children to magenta: every child of a simple combo box (its list
// 2 pixels inside, so that the outline around it stays), the edit field of a drop-down.
void KeyOutChildren(Graphics& g, HWND combo, DWORD style) {
  const bool everyChild = (style & CBS_SIMPLE) != 0;
  for (HWND child = FindWindowExA(combo, nullptr, nullptr, nullptr); child;
       child = FindWindowExA(combo, child, nullptr, nullptr)) {
    RECT r = RectRelativeToWindow(combo, child);
    if (ClassNameOf(child) == "ComboLBox") InflateRect(&r, -2, -2);
    g.SetClipRectI(r.left, r.top, r.right - r.left, r.bottom - r.top);
    g.Clear(kMagenta);
    if (!everyChild) break;
  }
  g.ResetClip();
}

void DrawOutline(Graphics& g, int w, int h, bool lit, const SkinOptions& options) {
  Pen pen;
  if (pen.Create(lit ? ToArgb(options.accentColour, 200, true) : ToArgb(kBlack, 80, true)))
    g.DrawRectangleI(pen, 0, 0, w - 1, h - 1);
}

void DrawDropButton(Graphics& g, const RECT& b, int h, bool hot, const SkinOptions& options) {
  const float bx = static_cast<float>(b.left), bw = static_cast<float>(b.right - b.left);
  const float fh = static_cast<float>(h);
  GraphicsPath frame, face;
  Pen pen;
  if (frame.Create() && AddRoundedRectangle(frame, bx, 2, bw - 1, fh - 5, 4) &&
      pen.Create(hot ? ToArgb(options.accentColour, 200, true) : ToArgb(kBlack, 80, true)))
    g.DrawPath(pen, frame);
  const COLORREF accent = options.accentColour;
  const Gdiplus::ARGB top = hot ? ToArgb(kWhite, 100, true) : ToArgb(accent, 30, true);
  const Gdiplus::ARGB bottom = hot ? ToArgb(accent, 150, true) : ToArgb(accent, 100, true);
  LinearGradientBrush gradient;
  // Mirrored tiling: the face reaches a pixel beyond the gradient's end without a seam.
  if (face.Create() && AddRoundedRectangle(face, bx + 1, 3, bw - 2, fh - 6, 1) &&
      gradient.CreateFromPoints({bx + 1, 2}, {bx + 1, fh - 4}, top, bottom, Gdiplus::WrapModeTileFlipXY))
    g.FillPath(gradient, face);
  const int arrowW = 7, arrowH = 4;  // the down arrow's size
  const int bh = b.bottom - b.top;
  DrawSkinImage(g, SkinImage::ArrowDown, b.left + (b.right - b.left - arrowW) / 2, b.top + (bh - arrowH) / 2);
}

// "宋体" at 12; a system without that face takes the generic sans-serif family, and one
// without that either the default GUI font.
bool MakeTextFont(Font& font) {
  if (font.CreateFromFamilyName("宋体", 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitWorld)) return true;
  FontFamily family;
  if (family.CreateGenericSansSerif() && font.Create(family, 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitWorld))
    return true;
  return font.CreateFromDefaultGuiFont();
}

// The drop-down list's selected text, in the combo's text colour (grey when disabled).
void DrawSelectionText(Graphics& g, HWND combo, int w, int h) {
  char text[512] = {};
  if (GetWindowTextA(combo, text, sizeof(text)) <= 0) return;
  const COLORREF colour =
      IsWindowEnabled(combo) ? static_cast<COLORREF>(GetIntProp(combo, prop::kTextColour)) : GetSysColor(COLOR_GRAYTEXT);
  Font font;
  SolidBrush brush;
  if (!MakeTextFont(font) || !brush.Create(ToArgb(colour, 255, true))) return;
  const Gdiplus::RectF layout(2, static_cast<float>((h - 12) / 2), static_cast<float>(w - 17), static_cast<float>(h - 4));
  g.DrawString(text, font, layout, nullptr, brush);
}

using Message = FamilyMessage<ComboRecord>;

// Paints the combo box now (a hover or focus change): over the screen through GetDC.
void PaintNow(Message& c, ComboLook look) {
  ControlPaint paint(c.w, PaintTarget::WindowDC);
  if (!ReadyToPaint(c, paint)) return;
  KeyChildrenOut(paint, c.w);
  PaintComboBox(paint.canvas(), *c.record, look);
}

// The look from the stored state: focus from the record, hot while this combo box is the
// control the skin last drew hot.
ComboLook StoredLook(const Message& c) {
  return ComboLook{IsDrawnHot(*c.skin, c.position, HotKind::Combo), c.record->focused};
}

// The focus look changes at once (the system repaints only the text).
void ShowFocus(Message& c, bool focused) {
  c.record->focused = focused;
  PaintNow(c, StoredLook(c));
}

// --- messages -----------------------------------------------------------------------------

LRESULT OnPaint(Message& c) {
  HDC given = reinterpret_cast<HDC>(c.wp);
  const ComboLook look = StoredLook(c);
  ControlPaint paint(c.w, given ? PaintTarget::Given : PaintTarget::BeginPaint, given);
  if (ReadyToPaint(c, paint)) {
    KeyChildrenOut(paint, c.w);
    PaintComboBox(paint.canvas(), *c.record, look);
  }
  return 0;
}

LRESULT OnSetFocus(Message& c) {
  ShowFocus(c, true);
  return c.Chain();
}

// The focus moving into the combo's own edit field or list keeps the combo focused; going
// anywhere else, the focus look goes at once.
LRESULT OnKillFocus(Message& c) {
  HWND next = reinterpret_cast<HWND>(c.wp);
  const bool staysInside = next && (IsChild(c.w, next) || next == ListOf(c.w));
  if (staysInside) return c.Chain();
  c.record->focused = false;
  const LRESULT result = c.Chain();
  if (c.Refind()) PaintNow(c, StoredLook(c));
  return result;
}

LRESULT OnSetText(Message& c) {
  if (EditOf(c.w)) InvalidateRect(c.w, nullptr, TRUE);
  return c.Chain();
}

// Notifications of the edit field: the translucent wash behind its text is renewed as it
// scrolls and changes; its focus is the combo's focus.
LRESULT OnCommand(Message& c) {
  HWND sender = reinterpret_cast<HWND>(c.lp);
  const UINT code = HIWORD(c.wp);
  const bool fromEdit = sender && GetParent(sender) == c.w && ClassNameOf(sender) == "Edit";
  const SkinOptions& options = c.engine->options;
  if (fromEdit && options.alphaGiven && options.drawChildControls &&
      (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE))
    InvalidateRect(sender, nullptr, TRUE);
  const LRESULT result = c.Chain();
  const bool focusChange = code == EN_SETFOCUS || (code == EN_KILLFOCUS && GetFocus() != c.w);
  if (fromEdit && focusChange && c.Refind()) ShowFocus(c, code == EN_SETFOCUS);
  return result;
}

// The edit field's background: the skin background behind it washed with white, as a
// pattern brush the edit keeps in its properties until the next reply or its end. A
// disabled edit field asks with WM_CTLCOLORSTATIC and gets the same wash, its text grey.
LRESULT OnCtlColorEdit(Message& c) {
  HWND edit = reinterpret_cast<HWND>(c.lp);
  HDC dc = reinterpret_cast<HDC>(c.wp);
  const bool ownEdit = edit && GetParent(edit) == c.w && ClassNameOf(edit) == "Edit";
  if (!c.engine->options.alphaGiven || !ownEdit) return c.Chain();
  SetTextColor(dc, IsWindowEnabled(edit) ? static_cast<COLORREF>(GetIntProp(edit, prop::kTextColour))
                                         : GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  ReleaseColourReplyObjects(edit);
  BitmapHandle bitmap = StaticBackdropBitmap(*c.engine, edit);
  BrushHandle brush(bitmap ? CreatePatternBrush(bitmap.get()) : nullptr);
  if (!brush) return c.Chain();
  SetHandleProp(edit, prop::kReplyBrush, brush.get());
  SetHandleProp(edit, prop::kReplyBitmap, bitmap.release());
  return reinterpret_cast<LRESULT>(brush.release());
}

LRESULT OnMouseMove(Message& c) {
  if (HoverMove(*c.skin, c.w, c.position, HotKind::Combo)) PaintNow(c, {true, c.record->focused});
  return c.Chain();
}

LRESULT OnMouseLeave(Message& c) {
  HoverLeave(*c.skin);
  PaintNow(c, {false, c.record->focused});
  return c.Chain();
}

LRESULT OnMove(Message& c) {
  PaintNow(c, StoredLook(c));
  return c.Chain();
}

// A repaint of the whole combo sends WM_NCPAINT and then WM_PAINT, which draws the same
// picture: only a frame repaint alone paints here.
LRESULT OnNcPaint(Message& c) {
  if (!PaintFollows(c.w)) PaintNow(c, StoredLook(c));
  return DefWindowProcA(c.w, WM_NCPAINT, 1, c.lp);
}

// Before the children go: the reply brushes the combo handed to its edit field (and any
// reply objects on its list) are deleted while those windows still exist.
LRESULT OnDestroy(Message& c) {
  ReleaseColourReplyObjects(EditOf(c.w));
  ReleaseColourReplyObjects(ListOf(c.w));
  return c.Chain();
}

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_DESTROY: return OnDestroy(c);
    case WM_MOVE: return OnMove(c);
    case WM_SETFOCUS: return OnSetFocus(c);
    case WM_KILLFOCUS: return OnKillFocus(c);
    case WM_SETTEXT: return OnSetText(c);
    case WM_PAINT: return OnPaint(c);
    case WM_ERASEBKGND: return EraseNothing(c.wp);
    case WM_NCPAINT: return OnNcPaint(c);
    case WM_COMMAND: return OnCommand(c);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return OnCtlColorEdit(c);
    case WM_MOUSEMOVE: return OnMouseMove(c);
    case WM_MOUSELEAVE: return OnMouseLeave(c);
    default: return c.Chain();
  }
}

constexpr WNDPROC ComboProc = FamilyProc<ComboRecord, Dispatch>;

}  // namespace

void TakeComboBoxes(SkinEngine& engine, int instance, HWND parent) {
  ForEachChildOfClass(parent, "ComboBox", [&](HWND combo) { TakeComboBox(engine, instance, combo); });
}

int TakeComboBox(SkinEngine& engine, int instance, HWND combo) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !combo || ClassNameOf(combo) != "ComboBox" || TakenBySkin(combo, ComboProc)) return 0;
  ShowSelectionAsText(combo);
  const int position = TakeControl(*skin, instance, combo, ComboProc, ComboRecord{});
  TakeChildren(engine, instance, combo);
  return position;
}

RECT ComboDropButton(DWORD style, int w, int h) {
  if (!(style & CBS_DROPDOWN)) return RECT{0, 0, 0, 0};
  const int bw = ComboType(style) == CBS_DROPDOWNLIST ? 17 : 18;
  return RECT{w - bw - 2, 2, w - 2, h - 2};
}

void PaintComboBox(Canvas& canvas, const ComboRecord& record, ComboLook look) {
  const SkinOptions options = CurrentOptions();
  HWND combo = record.window;
  const DWORD style = static_cast<DWORD>(GetWindowLongA(combo, GWL_STYLE));
  const int w = canvas.width(), h = canvas.height();
  Graphics& g = canvas.pixelGraphics();
  FillBody(g, w, h, options);
  KeyOutChildren(g, combo, style);
  DrawOutline(g, w, h, look.hot || look.focused, options);
  if (!(style & CBS_DROPDOWN)) return;
  DrawDropButton(g, ComboDropButton(style, w, h), h, look.hot, options);
  if (ComboType(style) == CBS_DROPDOWNLIST) DrawSelectionText(g, combo, w, h);
}

}  // namespace tunelark
