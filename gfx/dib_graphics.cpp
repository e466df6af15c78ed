#include "gfx/dib_graphics.h"

namespace tunelark {

DibGraphics::DibGraphics(HDC dc, int width, int height) {
  // GetObject reports every DIB section's height as positive: the top-down layout is the
  // caller's premise.
  DIBSECTION dib{};
  HGDIOBJ bitmap = dc ? GetCurrentObject(dc, OBJ_BITMAP) : nullptr;
  if (width <= 0 || height <= 0 || !bitmap || GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib ||
      !dib.dsBm.bmBits || dib.dsBm.bmBitsPixel != 32 || dib.dsBm.bmWidth < width || dib.dsBm.bmHeight < height)
    return;
  GdiFlush();  // GDI's pending drawing reaches the pixels first
  pixels_.emplace();
  if (!pixels_->CreateFromScan0(width, height, dib.dsBm.bmWidthBytes, PixelFormat32bppRGB,
                                static_cast<BYTE*>(dib.dsBm.bmBits))) {
    pixels_.reset();
    return;
  }
  graphics_.emplace();
  if (!graphics_->CreateOnImage(*pixels_)) graphics_.reset();
}

}  // namespace tunelark
