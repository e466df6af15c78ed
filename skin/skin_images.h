// The pictures the skin carries inside the program: the caption-button glyphs, the check
// boxes, the small triangles and the default background. None is read from disk; whoever
// needs one takes a copy of its bytes.
#pragma once
#include <cstddef>

#include "base/byte_array.h"

namespace tunelark {

// The caption glyphs are PNGs 26 x 18 (the close glyph 38 x 18), the check boxes PNGs
// 13 x 13, the arrows PNGs 7 x 4 (up, down) and 4 x 7 (left, right), the background a JPEG
// 1024 x 768.
enum class SkinImage : int {
  HelpGlyph, MenuGlyph, MinimizeGlyph, MaximizeGlyph, RestoreGlyph, CloseGlyph,
  CheckBoxOff, CheckBoxOn,
  ArrowDown, ArrowUp, ArrowLeft, ArrowRight,
  Background,
};
inline constexpr int kSkinImageCount = 13;

struct ImageBytes {
  const unsigned char* data;
  size_t size;
};

// The embedded file bytes of an image (a complete PNG or JPEG file).
ImageBytes SkinImageBytes(SkinImage image);
// A copy of them.
ByteArray CopySkinImage(SkinImage image);

class Graphics;
// Draws an embedded image unscaled (one image pixel per device pixel) with its top-left
// at (x, y). Each image is decoded once, on its first draw, into plain pixels kept for the
// program's life; every draw wraps those pixels in a short-lived GDI+ bitmap, so painters
// that draw glyphs on every paint pay no decoding. False when the image cannot be decoded
// (GDI+ not running) or drawn.
bool DrawSkinImage(Graphics& graphics, SkinImage image, int x, int y);

}  // namespace tunelark
