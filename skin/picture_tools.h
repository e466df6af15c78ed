// Work on whole pictures (PNG, JPEG or BMP, as bytes or a file):
//   ImageColourSampler  an average colour of random pixels, the same all day long;
//   FadeTransform       the picture with bands of a colour fading into its edges, as PNG.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "base/byte_array.h"
#include "skin/skin_instance.h"

namespace tunelark {

class Bitmap;

// A picture given either as a file name or as file bytes in memory.
struct PictureInput {
  std::string fileName;  // used when not empty
  ByteArray bytes;
  static PictureInput FromFile(std::string name) { return {std::move(name), {}}; }
  static PictureInput FromBytes(ByteArray b) { return {{}, std::move(b)}; }
};

// Averages `samples` pixels picked in the lower-right part of the picture that insetX x
// insetY marks (the whole picture when the insets are below 1). The pixels are picked by
// the C runtime generator seeded from today's date and the sample number, so the result
// is the same on every call during one day. The result keeps the layout the skin's
// background settings store (a COLORREF whose top byte is 0xFF): ToArgb of it with any
// alpha gives the average colour. 0 when the picture does not load or samples < 1.
Argb ImageColourSampler(const PictureInput& picture, int samples, int insetX, int insetY);
// The same on a picture decoded already.
Argb ImageColourSampler(const Bitmap& bitmap, int samples, int insetX, int insetY);

// The picture redrawn in 32-bit ARGB with a band of colour a fading in from its left edge
// (leftEdge) or out to its right edge, and one fading out to its bottom edge, encoded as
// PNG. The band width is fadeWidth, or 30% of the picture's width. Empty when the picture
// does not load or the PNG cannot be made.
ByteArray FadeTransform(const PictureInput& picture, COLORREF a, std::optional<int> fadeWidth, bool leftEdge);

}  // namespace tunelark
