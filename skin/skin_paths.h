// The outlines every painter of the skin shares: the rounded rectangle (corner radius in
// pixels), the rectangle rounded only at its top, and the soft outline (the same
// translucent path drawn with widths 1..count, darkest on the line and fading outward);
// a rounded rectangle filled with a gradient or outlined.
#pragma once
#include <windows.h>

#include "gfx/graphics.h"
#include "gfx/graphics_path.h"

namespace tunelark {

// The corner radius after clamping to 1..100.
constexpr float ClampCornerRadius(float r) { return r < 1.0f ? 1.0f : (r > 100.0f ? 100.0f : r); }

// Four 90-degree arcs (top right, bottom right, bottom left, top left) and a closed figure.
bool AddRoundedRectangle(GraphicsPath& path, float x, float y, float w, float h, float r);
// An open outline: up the left side, round the top-left corner, along the top, round the
// top-right corner and down the right side.
bool AddTopRoundedRectangle(GraphicsPath& path, float x, float y, float w, float h, float r);
// Draws path count times with a pen of colour c at alpha, widths 1, 2, ..., count.
bool DrawSoftOutline(Graphics& graphics, const GraphicsPath& path, int count, COLORREF c, int alpha);
// The rounded rectangle r filled with a gradient from c1 at `from` to c2 at `to`.
void FillRoundedGradient(Graphics& g, const Gdiplus::RectF& r, float radius, Gdiplus::PointF from, Gdiplus::PointF to,
                         Gdiplus::ARGB c1, Gdiplus::ARGB c2);
// The rounded rectangle r outlined with a one-pixel pen.
void OutlineRounded(Graphics& g, const Gdiplus::RectF& r, float radius, Gdiplus::ARGB colour);

}  // namespace tunelark
