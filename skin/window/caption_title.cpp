#include "skin/window/caption_title.h"

#include "gfx/brushes.h"
#include "gfx/font.h"
#include "gfx/graphics.h"
#include "gfx/string_format.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/window/window_background.h"

namespace tunelark {

namespace {

constexpr int kIconSize = 17;
constexpr int kTitleHeight = 32;

}  // namespace

const Font* TitleStyle::CachedFont() const {
  const std::string& wantedFace = face.empty() ? std::string("宋体") : face;
  if (!font_ || fontFace_ != wantedFace || fontSize_ != size || fontBold_ != bold) {
    font_ = std::make_shared<Font>();
    fontFace_ = wantedFace;
    fontSize_ = size;
    fontBold_ = bold;
    if (!font_->CreateFromFamilyName(wantedFace, static_cast<float>(size), bold ? 1 : 0, Gdiplus::UnitWorld))
      font_->CreateFromFamilyName("Tahoma", static_cast<float>(size), bold ? 1 : 0, Gdiplus::UnitWorld);
  }
  return font_->empty() ? nullptr : font_.get();
}

RECT TitleArea(const SkinEngine& engine, const SkinInstance& skin) {
  RECT client{};
  GetClientRect(skin.window, &client);
  const int b = engine.borderWidth;
  const int x = b + 6, y = b + 5;
  const int tw = client.right - skin.caption.width - 10 - 2 * b;
  return {x, y, x + tw, y + kTitleHeight};
}

RECT TitleRedrawArea(const SkinEngine& engine, const SkinInstance& skin) {
  RECT r = TitleArea(engine, skin);
  r.top -= 3;  // the icon's top
  if (skin.caption.left > r.right) r.right = skin.caption.left;
  if (r.bottom > skin.frame.captionHeight) r.bottom = skin.frame.captionHeight;  // the letters stop there
  return r;
}

void DrawHaloText(Graphics& graphics, std::string_view text, const Gdiplus::RectF& layout, COLORREF colour,
                  COLORREF halo, float haloWidth, const Font& font, Gdiplus::StringAlignment alignment,
                  Gdiplus::StringAlignment lineAlignment, int formatFlags) {
  StringFormat format;
  SolidBrush haloBrush, letters;
  if (!format.Create(formatFlags, 0) || !haloBrush.Create(ToArgb(halo, 150, true)) || !letters.Create(ToArgb(colour, 255, true)))
    return;
  format.SetAlignment(alignment);
  format.SetLineAlignment(lineAlignment);
  const float c = haloWidth;
  const float offsets[4][2] = {{c, 0}, {-c, 0}, {0, c}, {0, -c}};
  for (const auto& o : offsets) {
    Gdiplus::RectF moved(layout.X + o[0], layout.Y + o[1], layout.Width, layout.Height);
    graphics.DrawString(text, font, moved, &format, haloBrush);
  }
  graphics.DrawString(text, font, layout, &format, letters);
}

void DrawTitle(SkinEngine& engine, SkinInstance& skin, Graphics* renderGraphics, std::string_view text) {
  HDC back = skin.back.dc();
  if (!back) return;
  const RECT area = TitleArea(engine, skin);
  const int tw = area.right - area.left;
  std::optional<DibGraphics> own;
  Graphics* g = renderGraphics;
  const RECT redraw = TitleRedrawArea(engine, skin);
  if (!g) {
    RestoreFromCaptionStrip(skin, redraw);
    if (!OpenBackGraphics(skin.back, own)) return;
    g = &own->get();
  }
  g->Flush(Gdiplus::FlushIntentionSync);
  if (HICON icon = engine.programIcon())
    DrawIconEx(back, area.left, area.top - 3, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  GdiFlush();
  if (const Font* font = skin.title.CachedFont(); font && tw > 0) {
    const Gdiplus::RectF layout(static_cast<float>(area.left + 20), static_cast<float>(area.top),
                                static_cast<float>(tw), static_cast<float>(kTitleHeight));
    // One line: the layout runs 20 pixels past the title area, and the letters stop where
    // the caption buttons begin and where the caption band ends.
    Gdiplus::GraphicsState state{};
    g->Save(state);
    g->SetClipRectI(0, 0, skin.caption.left, skin.frame.captionHeight, Gdiplus::CombineModeIntersect);
    DrawHaloText(*g, text, layout, skin.title.colour, skin.title.halo, 1.0f, *font, Gdiplus::StringAlignmentNear,
                 Gdiplus::StringAlignmentNear, Gdiplus::StringFormatFlagsNoWrap);
    g->Restore(state);
  }
  if (renderGraphics) return;
  g->Flush(Gdiplus::FlushIntentionSync);
  CopyToWindow(skin, redraw);
}

int SkinEngine::SetTitleStyle(HWND window, const TitleStyleArgs& style) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin) return 0;
  TitleStyle& t = skin->title;
  if (style.face) t.face = *style.face;
  if (style.size) t.size = *style.size;
  if (style.colour) t.colour = *style.colour;
  if (style.halo) t.halo = *style.halo;
  if (style.bold) t.bold = *style.bold;
  DrawTitle(*this, *skin, nullptr, WindowTextOf(window));
  return 1;
}

}  // namespace tunelark
