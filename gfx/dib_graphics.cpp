#include "gfx/dib_graphics.h"

namespace tunelark {

DibGraphics::DibGraphics(HDC dc, int width, int height, On on) {
  if (!dc) return;
  GdiFlush();  // GDI's pending drawing reaches the pixels first
  if (on != On::DC && OpenPixels(dc, width, height)) return;
  if (on != On::Pixels) made_ = graphics_.CreateFromDC(dc);
}

bool DibGraphics::OpenPixels(HDC dc, int width, int height) {
  // GetObject reports every DIB section's height as positive: the top-down layout is the
  // caller's premise.
  DIBSECTION dib{};
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  if (width <= 0 || height <= 0 || !bitmap || GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib ||
      !dib.dsBm.bmBits || dib.dsBm.bmBitsPixel != 32 || dib.dsBm.bmWidth < width || dib.dsBm.bmHeight < height)
    return false;
  pixels_.emplace();
  if (pixels_->CreateFromScan0(width, height, dib.dsBm.bmWidthBytes, PixelFormat32bppRGB,
                               static_cast<BYTE*>(dib.dsBm.bmBits)) &&
      graphics_.CreateOnImage(*pixels_))
    return made_ = true;
  pixels_.reset();
  return false;
}

}  // namespace tunelark
