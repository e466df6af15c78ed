// The caption title of a skinned top-level window: the program icon at 17 x 17 and the
// window text in white letters with a grey halo, at the top left of the caption band,
// clipped before the caption buttons. Drawn on every render, after WM_SETTEXT and when the
// style changes.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "gfx/gdiplus_api.h"

namespace tunelark {

class Font;
class Graphics;
class SkinEngine;
class SkinInstance;

struct TitleStyle {
  COLORREF colour = 0xFFFFFF;  // the letters, opaque
  COLORREF halo = 0x808080;    // the halo, alpha 150
  std::string face = "宋体";
  int size = 12;
  bool bold = true;

  // The font made once for the current face, size and boldness.
  const Font* CachedFont() const;
  void ForgetFont() { font_.reset(); }

 private:
  mutable std::shared_ptr<Font> font_;
  mutable std::string fontFace_;
  mutable int fontSize_ = 0;
  mutable bool fontBold_ = false;
};

// The arguments of Set title style; one not given keeps the stored value.
struct TitleStyleArgs {
  std::optional<std::string> face;
  std::optional<int> size;
  std::optional<COLORREF> colour;
  std::optional<COLORREF> halo;
  std::optional<bool> bold;
};

// Where the title goes: x = B + 6, y = B + 5, 32 high, as wide as the caption band before
// the caption buttons (client width - buttons width - 10 - 2B).
RECT TitleArea(const SkinEngine& engine, const SkinInstance& skin);
// What a redraw of the title restores and copies: the title area from the icon's top to
// the caption buttons and the bottom of the caption band.
RECT TitleRedrawArea(const SkinEngine& engine, const SkinInstance& skin);

// Draws icon and text into the back buffer. From a render it uses the render's graphics;
// otherwise it restores the title area from the caption strip first and copies it to the
// window after.
void DrawTitle(SkinEngine& engine, SkinInstance& skin, Graphics* renderGraphics, std::string_view text);

// Text with a halo: the text four times in halo (alpha 150) moved by haloWidth left, right,
// up and down, then once in colour (opaque).
void DrawHaloText(Graphics& graphics, std::string_view text, const Gdiplus::RectF& layout, COLORREF colour,
                  COLORREF halo, float haloWidth, const Font& font, Gdiplus::StringAlignment alignment,
                  Gdiplus::StringAlignment lineAlignment, int formatFlags = 0);

}  // namespace tunelark
