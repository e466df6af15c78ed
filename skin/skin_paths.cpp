#include "skin/skin_paths.h"

#include "gfx/brushes.h"
#include "gfx/pen.h"
#include "skin/skin_colour.h"

namespace tunelark {

bool AddRoundedRectangle(GraphicsPath& path, float x, float y, float w, float h, float r) {
  r = ClampCornerRadius(r);
  bool ok = path.AddArc(x + w - r, y, r, r, 270, 90);
  ok = path.AddArc(x + w - r - 1, y + h - r - 1, r + 1, r + 1, 0, 90) && ok;
  ok = path.AddArc(x, y + h - r, r, r, 90, 90) && ok;
  ok = path.AddArc(x, y, r, r, 180, 90) && ok;
  return path.CloseFigure() && ok;
}

bool AddTopRoundedRectangle(GraphicsPath& path, float x, float y, float w, float h, float r) {
  bool ok = path.AddLine(x, y + h, x, y + r);
  ok = path.AddArc(x, y, r, r, 180, 90) && ok;
  ok = path.AddLine(x + r, y, x + w - r, y) && ok;
  ok = path.AddArc(x + w - r, y, r, r, 270, 90) && ok;
  return path.AddLine(x + w, y + r, x + w, y + h) && ok;
}

bool DrawSoftOutline(Graphics& graphics, const GraphicsPath& path, int count, COLORREF c, int alpha) {
  Pen pen;
  if (!pen.Create(ToArgb(c, alpha, true), 1.0f)) return false;
  bool ok = true;
  for (int i = 1; i <= count; ++i) {
    ok = pen.SetWidth(static_cast<float>(i)) && ok;
    ok = graphics.DrawPath(pen, path) && ok;
  }
  return ok;
}

void FillRoundedGradient(Graphics& g, const Gdiplus::RectF& r, float radius, Gdiplus::PointF from, Gdiplus::PointF to,
                         Gdiplus::ARGB c1, Gdiplus::ARGB c2) {
  GraphicsPath path;
  LinearGradientBrush brush;
  if (!path.Create() || !AddRoundedRectangle(path, r.X, r.Y, r.Width, r.Height, radius)) return;
  if (brush.CreateFromPoints(from, to, c1, c2, Gdiplus::WrapModeTileFlipXY)) g.FillPath(brush, path);
}

void OutlineRounded(Graphics& g, const Gdiplus::RectF& r, float radius, Gdiplus::ARGB colour) {
  GraphicsPath path;
  Pen pen;
  if (path.Create() && AddRoundedRectangle(path, r.X, r.Y, r.Width, r.Height, radius) && pen.Create(colour))
    g.DrawPath(pen, path);
}

}  // namespace tunelark
