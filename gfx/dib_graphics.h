// GDI+ graphics that draw straight into the pixels of the top-down 32-bit DIB section selected
// into a device context, as a 32bppRGB bitmap over those pixels: the one way the program
// wraps a DIB's pixels for GDI+. Under Wine, graphics made on a DC take every fill through
// the DC and cost about three times as much.
#pragma once
#include <windows.h>

#include <optional>

#include "gfx/bitmap.h"
#include "gfx/graphics.h"

namespace tunelark {

class DibGraphics {
 public:
  enum class On {
    Pixels,       // the DIB's pixels only: ok() false when dc holds none
    PixelsOrDC,   // the DIB's pixels, else the device context
    DC,           // the device context
  };
  // Pixels are used when dc holds a 32-bit DIB section of at least width x height. GDI
  // drawing pending on dc lands first.
  DibGraphics(HDC dc, int width, int height, On on = On::Pixels);
  DibGraphics(const DibGraphics&) = delete;
  DibGraphics& operator=(const DibGraphics&) = delete;

  bool ok() const { return made_; }
  bool onPixels() const { return pixels_.has_value(); }
  // Graphics doing nothing when !ok().
  Graphics& get() { return graphics_; }

 private:
  bool OpenPixels(HDC dc, int width, int height);

  std::optional<Bitmap> pixels_;
  Graphics graphics_;  // after pixels_: it goes first
  bool made_ = false;
};

}  // namespace tunelark
