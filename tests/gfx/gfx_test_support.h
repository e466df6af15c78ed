// Shared pieces of the graphics-layer tests: one GDI+ session for the test process, a
// white 32bpp canvas bitmap with a graphics on it, pixel reads, ink counting and PNG dumps
// of rendered pictures into the build's screenshot folder.
#pragma once
#include <string>

#include "gfx/bitmap.h"
#include "gfx/gdiplus_session.h"
#include "gfx/graphics.h"

namespace gfxtest {

// Starts GDI+ once for the whole test program.
void EnsureGdiplus();

struct Canvas {
  tunelark::Bitmap bitmap;
  tunelark::Graphics graphics;
  // A width x height 32bpp ARGB bitmap cleared to opaque white.
  Canvas(int width, int height);
  Gdiplus::ARGB At(int x, int y) const;
  bool IsInk(int x, int y) const;  // clearly darker than the white ground
  // Dark pixels inside [x0, x1) x [y0, y1).
  int InkIn(int x0, int y0, int x1, int y1) const;
  // Saves the picture as <screenshots>\<name>.png.
  void Save(const std::string& name);
  int width;
  int height;
};

}  // namespace gfxtest
