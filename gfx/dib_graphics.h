// GDI+ graphics that draw straight into the pixels of the top-down 32-bit DIB section selected
// into a device context, as a 32bppRGB bitmap over those pixels. Under Wine, graphics made on
// a DC take every fill through the DC and cost about three times as much.
#pragma once
#include <windows.h>

#include <optional>

#include "gfx/bitmap.h"
#include "gfx/graphics.h"

namespace tunelark {

class DibGraphics {
 public:
  // Nothing is made (ok() false) when dc holds no 32-bit DIB section of at least
  // width x height.
  DibGraphics(HDC dc, int width, int height);
  DibGraphics(const DibGraphics&) = delete;
  DibGraphics& operator=(const DibGraphics&) = delete;

  bool ok() const { return graphics_.has_value(); }
  Graphics& get() { return *graphics_; }

 private:
  std::optional<Bitmap> pixels_;
  std::optional<Graphics> graphics_;  // after pixels_: it goes first
};

}  // namespace tunelark
