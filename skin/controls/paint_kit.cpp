#include "skin/controls/paint_kit.h"

#include "gfx/brushes.h"
#include "gfx/graphics.h"
#include "gfx/pen.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/skin_paths.h"

namespace tunelark {

const SkinOptions& CurrentOptions() {
  static const SkinOptions defaults;
  SkinEngine* engine = SkinEngine::Current();
  return engine ? engine->options : defaults;
}

COLORREF Accent() { return CurrentOptions().accentColour; }

Gdiplus::ARGB Colour(COLORREF colour, int alpha) { return ToArgb(colour, alpha, true); }

GraphicsPath RoundedPath(float x, float y, float w, float h, float r) {
  GraphicsPath path;
  if (path.Create()) AddRoundedRectangle(path, x, y, w, h, r);
  return path;
}

void Outline(Graphics& g, const GraphicsPath& path, Gdiplus::ARGB colour, float width) {
  Pen pen;
  if (pen.Create(colour, width)) g.DrawPath(pen, path);
}

void FillSolid(Graphics& g, const GraphicsPath& path, Gdiplus::ARGB colour) {
  SolidBrush brush;
  if (brush.Create(colour)) g.FillPath(brush, path);
}

void FillGradient(Graphics& g, const GraphicsPath& path, Gdiplus::PointF from, Gdiplus::PointF to,
                  Gdiplus::ARGB first, Gdiplus::ARGB second) {
  LinearGradientBrush brush;
  if (brush.CreateFromPoints(from, to, first, second)) g.FillPath(brush, path);
}

bool ShownScrollBar(HWND w, LONG styleBit, LONG object, RECT& bar) {
  if (!(GetWindowLongA(w, GWL_STYLE) & styleBit)) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!GetScrollBarInfo(w, object, &info)) return false;
  bar = info.rcScrollBar;
  return !IsRectEmpty(&bar);
}

RECT FrameInnerRect(HWND control) {
  RECT inner = ClientRectInWindow(control);
  RECT bar{};
  if (ShownScrollBar(control, WS_VSCROLL, OBJID_VSCROLL, bar)) inner.right += bar.right - bar.left;
  if (ShownScrollBar(control, WS_HSCROLL, OBJID_HSCROLL, bar)) inner.bottom += bar.bottom - bar.top;
  return inner;
}

RegionHandle ScrollBarRegion(HWND control) {
  RECT horizontal{}, vertical{};
  const bool h = ShownScrollBar(control, WS_HSCROLL, OBJID_HSCROLL, horizontal);
  const bool v = ShownScrollBar(control, WS_VSCROLL, OBJID_VSCROLL, vertical);
  if (!h && !v) return {};
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  if (!region) return {};
  auto add = [&](const RECT& r) {
    RegionHandle part(CreateRectRgnIndirect(&r));
    if (part) CombineRgn(region.get(), region.get(), part.get(), RGN_OR);
  };
  if (h) add(horizontal);
  if (v) add(vertical);
  if (h && v) add(RECT{vertical.left, horizontal.top, vertical.right, horizontal.bottom});
  return region;
}

std::string WindowTextOf(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

}  // namespace tunelark
