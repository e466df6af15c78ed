#include "tests/gfx/gfx_test_support.h"

#include "gfx/image_codec.h"
#include "tests/support/test_paths.h"

namespace gfxtest {

void EnsureGdiplus() { static tunelark::GdiplusSession session; }

Canvas::Canvas(int w, int h) : width(w), height(h) {
  EnsureGdiplus();
  bitmap.CreateFromScan0(w, h);
  graphics.CreateOnImage(bitmap);
  graphics.Clear(0xFFFFFFFF);
}

Gdiplus::ARGB Canvas::At(int x, int y) const {
  Gdiplus::ARGB colour = 0;
  bitmap.GetPixel(x, y, colour);
  return colour;
}

bool Canvas::IsInk(int x, int y) const {
  const Gdiplus::ARGB c = At(x, y);
  const int sum = static_cast<int>((c >> 16) & 0xFF) + static_cast<int>((c >> 8) & 0xFF) + static_cast<int>(c & 0xFF);
  return sum < 3 * 160;
}

int Canvas::InkIn(int x0, int y0, int x1, int y1) const {
  int ink = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (x >= 0 && y >= 0 && x < width && y < height && IsInk(x, y)) ++ink;
  return ink;
}

void Canvas::Save(const std::string& name) {
  graphics.Flush(Gdiplus::FlushIntentionSync);
  bitmap.SaveToFile(tltest::ScreenshotDirectory() + "\\" + name + ".png", tunelark::kImageFormatPng);
}

}  // namespace gfxtest
