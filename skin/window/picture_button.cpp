#include "skin/window/picture_button.h"

#include <string>

#include "gfx/brushes.h"
#include "gfx/font.h"
#include "gfx/graphics.h"
#include "gfx/graphics_path.h"
#include "gfx/image.h"
#include "gfx/pen.h"
#include "gfx/string_format.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/skin_paths.h"

namespace tunelark {

namespace {

constexpr COLORREF kGrey = 0x808080;
constexpr UINT_PTR kTipId = 1;

// --- drawing pieces ----------------------------------------------------------------------

// A picture decoded from its bytes; empty when there are none or they are no image.
Image LoadPicture(const ByteArray& bytes) {
  Image image;
  if (!bytes.empty()) image.LoadFromBytes(bytes);
  return image;
}

bool MakeFont(const ButtonRecord& record, Font& font) { return MakeControlFont(record.font, font); }

struct CaptionStyle {
  Gdiplus::StringAlignment horizontal = Gdiplus::StringAlignmentNear;
  Gdiplus::StringAlignment vertical = Gdiplus::StringAlignmentNear;
  bool ellipsis = false;
};

void DrawCaption(Graphics& g, const ButtonRecord& record, COLORREF textColour, const RectF& layout,
                 const CaptionStyle& style) {
  if (record.caption.empty()) return;
  Font font;
  StringFormat format;
  SolidBrush brush;
  if (!MakeFont(record, font) || !format.Create(0, 0) || !brush.Create(Colour(textColour, 255))) return;
  format.SetAlignment(style.horizontal);
  format.SetLineAlignment(style.vertical);
  if (style.ellipsis) format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
  g.DrawString(record.caption, font, layout, &format, brush);
}

// --- look B ------------------------------------------------------------------------------

void PaintPictureBesideFace(Graphics& g, UINT state, float w, float h) {
  if (state & ODS_DISABLED) {
    FillGradient(g, RoundedPath(2, 2, w - 6, h - 6, 5), PointF(1, 1), PointF(1, h), Colour(kGrey, 50),
                 Colour(kWhite, 0));
    return;
  }
  if (state & ODS_HOTLIGHT) {
    FillGradient(g, RoundedPath(2, 1, w - 5, h - 4, 2), PointF(1, 1), PointF(1, h - 4), Colour(kWhite, 50),
                 Colour(kWhite, 40));
    LinearGradientBrush shine;
    Pen line;
    if (shine.CreateFromPoints(PointF(1, 1), PointF(w - 1, 1), Colour(kWhite, 10), Colour(kWhite, 255)) &&
        shine.SetLinearBlend(0.5f, 0.8f) && line.CreateFromBrush(shine, 2.0f))
      g.DrawLine(line, 1, h - 4, w - 1, h - 4);
  }
  if (state & (ODS_FOCUS | ODS_HOTLIGHT)) {
    FillGradient(g, RoundedPath(2, 2, w - 5, h - 5, 2), PointF(1, 1), PointF(1, h), Colour(kWhite, 60),
                 Colour(kWhite, 50));
    Outline(g, RoundedPath(0, 0, w - 2, h - 2, 5), Colour(kBlack, 60));
    Outline(g, RoundedPath(1, 1, w - 4, h - 4, 5), Colour(kWhite, 120));
  }
  // Pressed (and not hot): sunk in the accent colour, as look A is.
  if ((state & ODS_SELECTED) && !(state & ODS_HOTLIGHT))
    FillGradient(g, RoundedPath(2, 2, w - 3, h - 3, 5), PointF(0, 0), PointF(0, h - 1), Colour(Accent(), 60),
                 Colour(kWhite, 100));
}

void PaintPictureBesideContent(Graphics& g, const ButtonRecord& record, COLORREF textColour, float w, float h) {
  Image picture = LoadPicture(record.pictures[0]);
  const bool hasCaption = !record.caption.empty();
  if (record.layout != kPictureAboveCaption) {
    if (!picture) {
      DrawCaption(g, record, textColour, RectF(0, 0, w, h),
                  {Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentCenter, false});
      return;
    }
    const float s = static_cast<float>(static_cast<int>(h * 0.8f));
    const float x = hasCaption ? 3.0f : (w - s) / 2;
    g.DrawImageRect(picture, x, (h - s) / 2, s, s);
    DrawCaption(g, record, textColour, RectF(s + 5, 2, w - s - 7, h),
                {Gdiplus::StringAlignmentNear, Gdiplus::StringAlignmentCenter, false});
    return;
  }
  const float s = static_cast<float>(static_cast<int>((h - record.font.emPixels - 2) * 0.8f));
  const float top = h * 0.05f;
  if (picture && s > 0) g.DrawImageRect(picture, (w - s) / 2, top, s, s);
  const float captionTop = top + s + 2;
  DrawCaption(g, record, textColour, RectF(0, captionTop, w, h - captionTop),
              {Gdiplus::StringAlignmentCenter, Gdiplus::StringAlignmentNear, true});
}

// --- look C ------------------------------------------------------------------------------

// The normal picture in a state face (no picture of the state's own).
void PaintStateFace(Graphics& g, const Image& normal, float pw, float ph, UINT state) {
  if (state & ODS_DISABLED) {
    const GraphicsPath face = RoundedPath(0, 0, pw + 2, ph + 2, 5);
    Outline(g, face, Colour(kBlack, 80));
    FillGradient(g, face, PointF(0, 0), PointF(0, ph + 2), Colour(kWhite, 60), Colour(kBlack, 100));
  } else {
    const GraphicsPath face = RoundedPath(0, 0, pw + 3, ph + 3, 3);
    Outline(g, face, Colour(Accent(), 250));
    if (state & ODS_HOTLIGHT)
      FillGradient(g, face, PointF(0, 0), PointF(0, ph + 3), Colour(kWhite, 120), Colour(Accent(), 100));
    else
      FillGradient(g, face, PointF(0, 0), PointF(0, ph + 3), Colour(kBlack, 60), Colour(kWhite, 100));
  }
  if (normal) g.DrawImageRect(normal, 2, 2, pw, ph);
}

}  // namespace

// --- painters ----------------------------------------------------------------------------

void PaintPictureBeside(Canvas& canvas, const ButtonRecord& record, UINT state, COLORREF textColour) {
  Graphics& g = canvas.graphics();
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  PaintPictureBesideFace(g, state, w, h);
  PaintPictureBesideContent(g, record, textColour, w, h);
}

void PaintPictureStates(Canvas& canvas, const ButtonRecord& record, UINT state, COLORREF) {
  Graphics& g = canvas.graphics();
  Image normal = LoadPicture(record.pictures[0]);
  const float pw = static_cast<float>(normal.GetWidth()), ph = static_cast<float>(normal.GetHeight());
  // The hover test comes first: a button both hot and pressed shows its hover look.
  const int own = (state & ODS_DISABLED) ? 4 : (state & ODS_HOTLIGHT) ? 1 : (state & ODS_SELECTED) ? 2 : 0;
  if (own == 0) {
    if (normal) g.DrawImageRect(normal, 2, 2, pw, ph);
    return;
  }
  if (Image picture = LoadPicture(record.pictures[own])) {
    g.DrawImageRect(picture, 2, 2, static_cast<float>(picture.GetWidth()), static_cast<float>(picture.GetHeight()));
    return;
  }
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  PaintStateFace(g, normal, pw, ph, state & (ODS_DISABLED | ODS_HOTLIGHT | ODS_SELECTED));
}

// --- installers --------------------------------------------------------------------------

namespace {

void SetTip(ButtonRecord& record, HWND button, std::string_view tip) {
  if (tip.empty()) return;
  if (record.tooltip.window() && record.tooltip.ToolCount() > 0) {
    record.tooltip.ChangeToolText(kTipId, tip);
    return;
  }
  if (!record.tooltip.Create(button)) return;
  RECT client{};
  GetClientRect(button, &client);
  record.tooltip.AddTool(client, tip, kTipId);
}

// Takes the button (or finds it taken) with the kind; null when it lies on no skinned window.
ButtonRecord* TakePictureButton(SkinEngine& engine, HWND button, ButtonKind kind) {
  if (!button || !IsWindow(button)) return nullptr;
  const int instance = engine.FindOwningInstance(button);
  SkinInstance* skin = engine.Instance(instance);
  if (!skin) return nullptr;
  const int position = TakeButton(engine, instance, button, kind);
  ButtonRecord* record = skin->List<ButtonRecord>().At(position);
  if (!record || record->window != button) return nullptr;
  record->kind = kind;
  return record;
}

void MakeOwnerDrawn(HWND button) {
  SetWindowLongA(button, GWL_STYLE, GetWindowLongA(button, GWL_STYLE) | BS_OWNERDRAW);
  InvalidateRect(button, nullptr, TRUE);
}

}  // namespace

int MakePictureButton(SkinEngine& engine, HWND button, const ByteArray& picture, int layout, std::string_view tip) {
  ButtonRecord* record = TakePictureButton(engine, button, ButtonKind::PictureBeside);
  if (!record) return 0;
  record->pictures[0] = picture;
  record->layout = layout;
  record->caption = WindowTextOf(button);
  SetTip(*record, button, tip);
  MakeOwnerDrawn(button);
  return 1;
}

int MakeStatePictureButton(SkinEngine& engine, HWND button, const StatePictures& pictures, std::string_view tip) {
  ButtonRecord* record = TakePictureButton(engine, button, ButtonKind::PictureStates);
  if (!record) return 0;
  record->pictures[0] = pictures.normal;
  record->pictures[1] = pictures.hover;
  record->pictures[2] = pictures.pressed;
  record->pictures[4] = pictures.disabled;
  SetTip(*record, button, tip);
  MakeOwnerDrawn(button);
  return 1;
}

}  // namespace tunelark
