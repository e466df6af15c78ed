#include "skin/picture_tools.h"

#include <cmath>
#include <cstdlib>

#include "gfx/bitmap.h"
#include "gfx/brushes.h"
#include "gfx/graphics.h"
#include "gfx/image_codec.h"
#include "skin/skin_colour.h"

namespace tunelark {

namespace {

bool LoadPicture(Bitmap& bitmap, const PictureInput& picture) {
  return picture.fileName.empty() ? bitmap.LoadFromBytes(picture.bytes) : bitmap.LoadFromFile(picture.fileName);
}

// Whole days since 30 December 1899 of today's local date (the integer part of an OLE
// date-time).
long TodayAsDayCount() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  now.wHour = now.wMinute = now.wSecond = now.wMilliseconds = 0;
  double date = 0;
  if (!SystemTimeToVariantTime(&now, &date)) return 0;
  return static_cast<long>(std::floor(date));
}

int PickBetween(unsigned seed, int low, int high) {
  srand(seed);
  return low + std::abs(rand()) % (high - low + 1);
}

}  // namespace

Argb ImageColourSampler(const PictureInput& picture, int samples, int insetX, int insetY) {
  Bitmap bitmap;
  if (samples < 1 || !LoadPicture(bitmap, picture)) return 0;
  return ImageColourSampler(bitmap, samples, insetX, insetY);
}

Argb ImageColourSampler(const Bitmap& bitmap, int samples, int insetX, int insetY) {
  if (samples < 1) return 0;
  const int w = static_cast<int>(bitmap.GetWidth()), h = static_cast<int>(bitmap.GetHeight());
  if (w < 1 || h < 1) return 0;
  const int xLow = insetX >= 1 ? w - insetX : 1;
  const int yLow = insetY >= 1 ? h - insetY : 1;
  const long today = TodayAsDayCount();
  long long sumA = 0, sumB = 0, sumC = 0;
  for (int i = 1; i <= samples; ++i) {
    int x = PickBetween(static_cast<unsigned>(today + 3L * i), xLow, w);
    int y = PickBetween(static_cast<unsigned>(today + i), yLow, h);
    // The pick runs up to w and h; the last column and row stand in for them.
    if (x > w - 1) x = w - 1;
    if (y > h - 1) y = h - 1;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    Gdiplus::ARGB argb = 0;
    bitmap.GetPixel(x, y, argb);
    const COLORREF c = ToColorref(argb).colour;
    sumA += c / 65536;
    sumB += (c % 65536) / 256;
    sumC += c % 256;
  }
  // sumA holds the blue bytes and goes where RGB() puts red (and sumC the other way).
  const COLORREF mixed = RGB(sumA / samples, sumB / samples, sumC / samples);
  return ToArgb(mixed, 255, true);
}

ByteArray FadeTransform(const PictureInput& picture, COLORREF a, std::optional<int> fadeWidth, bool leftEdge) {
  Bitmap source;
  if (!LoadPicture(source, picture)) return {};
  const int W = static_cast<int>(source.GetWidth()), H = static_cast<int>(source.GetHeight());
  Bitmap canvas;
  if (!canvas.CreateFromScan0(W, H, 0, PixelFormat32bppARGB)) return {};
  const float q = static_cast<float>(fadeWidth ? *fadeWidth : static_cast<int>(std::floor(W * 0.3)));
  const Argb transparentWhite = ToArgb(0xFFFFFF, 0, true);
  {
    Graphics graphics;
    if (!graphics.CreateOnImage(canvas)) return {};
    graphics.DrawImageRect(source, 0, 0, static_cast<float>(W), static_cast<float>(H));

    LinearGradientBrush side;
    if (leftEdge) {
      if (side.CreateFromPoints({0, 0}, {q, 0}, ToArgb(a, 0, false), transparentWhite))
        graphics.FillRectangle(side, 0, 0, q, static_cast<float>(H));
    } else {
      const float x0 = std::floor(W - q);
      if (side.CreateFromPoints({x0, 0}, {static_cast<float>(W), 0}, transparentWhite, ToArgb(a, 255, true)))
        graphics.FillRectangle(side, x0 + 1, 0, q, static_cast<float>(H));
    }
    LinearGradientBrush bottom;
    const float y0 = std::floor(H - q);
    if (bottom.CreateFromPoints({0, y0}, {0, static_cast<float>(H)}, ToArgb(a, 0, true), ToArgb(a, 255, true)))
      graphics.FillRectangle(bottom, 0, y0 + 1, static_cast<float>(W), q);
  }
  return canvas.SaveToBytes(kImageFormatPng);
}

}  // namespace tunelark
