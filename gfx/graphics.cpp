#include "gfx/graphics.h"

#include <climits>

#include "gfx/counted_arrays.h"
#include "gfx/font.h"
#include "gfx/graphics_path.h"
#include "gfx/image.h"
#include "gfx/pen.h"
#include "gfx/region.h"
#include "gfx/string_format.h"
#include "gfx/wide_text.h"

namespace tunelark {

using Gdiplus::Point;
using Gdiplus::PointF;

using detail::Count;
using detail::Countable;

namespace {

Gdiplus::GpStringFormat* FormatOf(const StringFormat* format) { return format ? format->handle() : nullptr; }

}  // namespace

bool Graphics::CreateForWindow(HWND window, bool useIcm) {
  Gdiplus::GpGraphics* made = nullptr;
  return Adopt(useIcm ? gdip::GdipCreateFromHWNDICM(window, &made) : gdip::GdipCreateFromHWND(window, &made), made);
}

bool Graphics::CreateFromDC(HDC dc) {
  Gdiplus::GpGraphics* made = nullptr;
  return Adopt(gdip::GdipCreateFromHDC(dc, &made), made);
}

bool Graphics::CreateFromDC(HDC dc, HANDLE device) {
  Gdiplus::GpGraphics* made = nullptr;
  return Adopt(gdip::GdipCreateFromHDC2(dc, device, &made), made);
}

bool Graphics::CreateOnImage(const Image& image) {
  Gdiplus::GpGraphics* made = nullptr;
  return Adopt(gdip::GdipGetImageGraphicsContext(image.handle(), &made), made);
}

bool Graphics::Flush(Gdiplus::FlushIntention intention) { return TrackStatus(gdip::GdipFlush(handle(), intention)); }

HDC Graphics::GetDC() {
  HDC dc = nullptr;
  return TrackStatus(gdip::GdipGetDC(handle(), &dc)) ? dc : nullptr;
}

bool Graphics::ReleaseDC(HDC dc) { return TrackStatus(gdip::GdipReleaseDC(handle(), dc)); }

bool Graphics::GetRenderingOrigin(int& x, int& y) const {
  INT ox = 0, oy = 0;
  const bool ok = TrackStatus(gdip::GdipGetRenderingOrigin(handle(), &ox, &oy));
  x = ox;
  y = oy;
  return ok;
}
bool Graphics::SetRenderingOrigin(int x, int y) { return TrackStatus(gdip::GdipSetRenderingOrigin(handle(), x, y)); }
bool Graphics::GetCompositingMode(Gdiplus::CompositingMode& mode) const {
  return TrackStatus(gdip::GdipGetCompositingMode(handle(), &mode));
}
bool Graphics::SetCompositingMode(Gdiplus::CompositingMode mode) {
  return TrackStatus(gdip::GdipSetCompositingMode(handle(), mode));
}
bool Graphics::GetCompositingQuality(Gdiplus::CompositingQuality& quality) const {
  return TrackStatus(gdip::GdipGetCompositingQuality(handle(), &quality));
}
bool Graphics::SetCompositingQuality(Gdiplus::CompositingQuality quality) {
  return TrackStatus(gdip::GdipSetCompositingQuality(handle(), quality));
}
bool Graphics::SetTextRenderingHint(Gdiplus::TextRenderingHint hint) {
  return TrackStatus(gdip::GdipSetTextRenderingHint(handle(), hint));
}
bool Graphics::GetTextRenderingHint(Gdiplus::TextRenderingHint& hint) const {
  return TrackStatus(gdip::GdipGetTextRenderingHint(handle(), &hint));
}
bool Graphics::SetTextContrast(UINT contrast) { return TrackStatus(gdip::GdipSetTextContrast(handle(), contrast)); }
bool Graphics::GetTextContrast(UINT& contrast) const {
  return TrackStatus(gdip::GdipGetTextContrast(handle(), &contrast));
}
bool Graphics::SetInterpolationMode(Gdiplus::InterpolationMode mode) {
  return TrackStatus(gdip::GdipSetInterpolationMode(handle(), mode));
}
bool Graphics::GetInterpolationMode(Gdiplus::InterpolationMode& mode) const {
  return TrackStatus(gdip::GdipGetInterpolationMode(handle(), &mode));
}
bool Graphics::SetSmoothingMode(Gdiplus::SmoothingMode mode) {
  return TrackStatus(gdip::GdipSetSmoothingMode(handle(), mode));
}
bool Graphics::GetSmoothingMode(Gdiplus::SmoothingMode& mode) const {
  return TrackStatus(gdip::GdipGetSmoothingMode(handle(), &mode));
}
bool Graphics::SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode) {
  return TrackStatus(gdip::GdipSetPixelOffsetMode(handle(), mode));
}
bool Graphics::GetPixelOffsetMode(Gdiplus::PixelOffsetMode& mode) const {
  return TrackStatus(gdip::GdipGetPixelOffsetMode(handle(), &mode));
}

bool Graphics::SetPageUnit(Gdiplus::Unit unit) { return TrackStatus(gdip::GdipSetPageUnit(handle(), unit)); }
bool Graphics::GetPageUnit(Gdiplus::Unit& unit) const { return TrackStatus(gdip::GdipGetPageUnit(handle(), &unit)); }
bool Graphics::SetPageScale(float scale) { return TrackStatus(gdip::GdipSetPageScale(handle(), scale)); }
bool Graphics::GetPageScale(float& scale) const { return TrackStatus(gdip::GdipGetPageScale(handle(), &scale)); }
bool Graphics::GetDpiX(float& dpi) const { return TrackStatus(gdip::GdipGetDpiX(handle(), &dpi)); }
bool Graphics::GetDpiY(float& dpi) const { return TrackStatus(gdip::GdipGetDpiY(handle(), &dpi)); }

bool Graphics::TransformPoints(Gdiplus::CoordinateSpace to, Gdiplus::CoordinateSpace from, PointF* points,
                               int count) const {
  return TrackStatus(gdip::GdipTransformPoints(handle(), to, from, points, count));
}
bool Graphics::TransformPointsI(Gdiplus::CoordinateSpace to, Gdiplus::CoordinateSpace from, Point* points,
                                int count) const {
  return TrackStatus(gdip::GdipTransformPointsI(handle(), to, from, points, count));
}
bool Graphics::GetNearestColour(Gdiplus::ARGB& colour) const {
  return TrackStatus(gdip::GdipGetNearestColor(handle(), &colour));
}

// ---- pen drawing ----

bool Graphics::DrawLine(const Pen& pen, float x1, float y1, float x2, float y2) {
  return TrackStatus(gdip::GdipDrawLine(handle(), pen.handle(), x1, y1, x2, y2));
}
bool Graphics::DrawLineI(const Pen& pen, int x1, int y1, int x2, int y2) {
  return TrackStatus(gdip::GdipDrawLineI(handle(), pen.handle(), x1, y1, x2, y2));
}
bool Graphics::DrawLines(const Pen& pen, const std::vector<PointF>& points) {
  return Countable(points, 2) && TrackStatus(gdip::GdipDrawLines(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawLinesI(const Pen& pen, const std::vector<Point>& points) {
  return Countable(points, 2) &&
         TrackStatus(gdip::GdipDrawLinesI(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawArc(const Pen& pen, float x, float y, float w, float h, float start, float sweep) {
  return TrackStatus(gdip::GdipDrawArc(handle(), pen.handle(), x, y, w, h, start, sweep));
}
bool Graphics::DrawArcI(const Pen& pen, int x, int y, int w, int h, float start, float sweep) {
  return TrackStatus(gdip::GdipDrawArcI(handle(), pen.handle(), x, y, w, h, start, sweep));
}
bool Graphics::DrawBezier(const Pen& pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4,
                          float y4) {
  return TrackStatus(gdip::GdipDrawBezier(handle(), pen.handle(), x1, y1, x2, y2, x3, y3, x4, y4));
}
bool Graphics::DrawBezierI(const Pen& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return TrackStatus(gdip::GdipDrawBezierI(handle(), pen.handle(), x1, y1, x2, y2, x3, y3, x4, y4));
}
bool Graphics::DrawBeziers(const Pen& pen, const std::vector<PointF>& points) {
  return Countable(points, 4) &&
         TrackStatus(gdip::GdipDrawBeziers(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawBeziersI(const Pen& pen, const std::vector<Point>& points) {
  return Countable(points, 4) &&
         TrackStatus(gdip::GdipDrawBeziersI(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawRectangle(const Pen& pen, float x, float y, float w, float h) {
  return TrackStatus(gdip::GdipDrawRectangle(handle(), pen.handle(), x, y, w, h));
}
bool Graphics::DrawRectangleI(const Pen& pen, int x, int y, int w, int h) {
  return TrackStatus(gdip::GdipDrawRectangleI(handle(), pen.handle(), x, y, w, h));
}
bool Graphics::DrawRectangles(const Pen& pen, const std::vector<Gdiplus::RectF>& rects) {
  return Countable(rects) && TrackStatus(gdip::GdipDrawRectangles(handle(), pen.handle(), rects.data(), Count(rects)));
}
bool Graphics::DrawRectanglesI(const Pen& pen, const std::vector<Gdiplus::Rect>& rects) {
  return Countable(rects) && TrackStatus(gdip::GdipDrawRectanglesI(handle(), pen.handle(), rects.data(), Count(rects)));
}
bool Graphics::DrawEllipse(const Pen& pen, float x, float y, float w, float h) {
  return TrackStatus(gdip::GdipDrawEllipse(handle(), pen.handle(), x, y, w, h));
}
bool Graphics::DrawEllipseI(const Pen& pen, int x, int y, int w, int h) {
  return TrackStatus(gdip::GdipDrawEllipseI(handle(), pen.handle(), x, y, w, h));
}
bool Graphics::DrawPie(const Pen& pen, float x, float y, float w, float h, float start, float sweep) {
  return TrackStatus(gdip::GdipDrawPie(handle(), pen.handle(), x, y, w, h, start, sweep));
}
bool Graphics::DrawPieI(const Pen& pen, int x, int y, int w, int h, float start, float sweep) {
  return TrackStatus(gdip::GdipDrawPieI(handle(), pen.handle(), x, y, w, h, start, sweep));
}
bool Graphics::DrawPolygon(const Pen& pen, const std::vector<PointF>& points) {
  return Countable(points, 2) &&
         TrackStatus(gdip::GdipDrawPolygon(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawPolygonI(const Pen& pen, const std::vector<Point>& points) {
  return Countable(points, 2) &&
         TrackStatus(gdip::GdipDrawPolygonI(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawPath(const Pen& pen, const GraphicsPath& path) {
  return TrackStatus(gdip::GdipDrawPath(handle(), pen.handle(), path.handle()));
}
bool Graphics::DrawCurve(const Pen& pen, const std::vector<PointF>& points) {
  return Countable(points, 2) && TrackStatus(gdip::GdipDrawCurve(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawCurveI(const Pen& pen, const std::vector<Point>& points) {
  return Countable(points, 2) &&
         TrackStatus(gdip::GdipDrawCurveI(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawCurve2(const Pen& pen, const std::vector<PointF>& points, float tension) {
  return Countable(points, 2) &&
         TrackStatus(gdip::GdipDrawCurve2(handle(), pen.handle(), points.data(), Count(points), tension));
}
bool Graphics::DrawCurve2I(const Pen& pen, const std::vector<Point>& points, float tension) {
  return Countable(points, 2) &&
         TrackStatus(gdip::GdipDrawCurve2I(handle(), pen.handle(), points.data(), Count(points), tension));
}
bool Graphics::DrawClosedCurve(const Pen& pen, const std::vector<PointF>& points) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipDrawClosedCurve(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawClosedCurveI(const Pen& pen, const std::vector<Point>& points) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipDrawClosedCurveI(handle(), pen.handle(), points.data(), Count(points)));
}
bool Graphics::DrawClosedCurve2(const Pen& pen, const std::vector<PointF>& points, float tension) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipDrawClosedCurve2(handle(), pen.handle(), points.data(), Count(points), tension));
}
bool Graphics::DrawClosedCurve2I(const Pen& pen, const std::vector<Point>& points, float tension) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipDrawClosedCurve2I(handle(), pen.handle(), points.data(), Count(points), tension));
}

// ---- filling ----

bool Graphics::Clear(Gdiplus::ARGB colour) { return TrackStatus(gdip::GdipGraphicsClear(handle(), colour)); }

bool Graphics::FillRectangle(BrushRef brush, float x, float y, float w, float h) {
  return TrackStatus(gdip::GdipFillRectangle(handle(), brush.handle, x, y, w, h));
}
bool Graphics::FillRectangleI(BrushRef brush, int x, int y, int w, int h) {
  return TrackStatus(gdip::GdipFillRectangleI(handle(), brush.handle, x, y, w, h));
}
bool Graphics::FillRectangleWithColour(Gdiplus::ARGB colour, const Gdiplus::RectF& rect) {
  SolidBrush brush;
  return brush.Create(colour) && FillRectangle(brush, rect);
}
bool Graphics::FillRectangles(BrushRef brush, const std::vector<Gdiplus::RectF>& rects) {
  return Countable(rects) && TrackStatus(gdip::GdipFillRectangles(handle(), brush.handle, rects.data(), Count(rects)));
}
bool Graphics::FillRectanglesI(BrushRef brush, const std::vector<Gdiplus::Rect>& rects) {
  return Countable(rects) && TrackStatus(gdip::GdipFillRectanglesI(handle(), brush.handle, rects.data(), Count(rects)));
}
bool Graphics::FillPolygon(BrushRef brush, const std::vector<PointF>& points, Gdiplus::FillMode mode) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipFillPolygon(handle(), brush.handle, points.data(), Count(points), mode));
}
bool Graphics::FillPolygonI(BrushRef brush, const std::vector<Point>& points, Gdiplus::FillMode mode) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipFillPolygonI(handle(), brush.handle, points.data(), Count(points), mode));
}
bool Graphics::FillEllipse(BrushRef brush, float x, float y, float w, float h) {
  return TrackStatus(gdip::GdipFillEllipse(handle(), brush.handle, x, y, w, h));
}
bool Graphics::FillEllipseI(BrushRef brush, int x, int y, int w, int h) {
  return TrackStatus(gdip::GdipFillEllipseI(handle(), brush.handle, x, y, w, h));
}
bool Graphics::FillPie(BrushRef brush, float x, float y, float w, float h, float start, float sweep) {
  return TrackStatus(gdip::GdipFillPie(handle(), brush.handle, x, y, w, h, start, sweep));
}
bool Graphics::FillPieI(BrushRef brush, int x, int y, int w, int h, float start, float sweep) {
  return TrackStatus(gdip::GdipFillPieI(handle(), brush.handle, x, y, w, h, start, sweep));
}
bool Graphics::FillPath(BrushRef brush, const GraphicsPath& path) {
  return TrackStatus(gdip::GdipFillPath(handle(), brush.handle, path.handle()));
}
bool Graphics::FillClosedCurve(BrushRef brush, const std::vector<PointF>& points) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipFillClosedCurve(handle(), brush.handle, points.data(), Count(points)));
}
bool Graphics::FillClosedCurveI(BrushRef brush, const std::vector<Point>& points) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipFillClosedCurveI(handle(), brush.handle, points.data(), Count(points)));
}
bool Graphics::FillClosedCurve2(BrushRef brush, const std::vector<PointF>& points, float tension,
                                Gdiplus::FillMode mode) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipFillClosedCurve2(handle(), brush.handle, points.data(), Count(points), tension, mode));
}
bool Graphics::FillClosedCurve2I(BrushRef brush, const std::vector<Point>& points, float tension,
                                 Gdiplus::FillMode mode) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipFillClosedCurve2I(handle(), brush.handle, points.data(), Count(points), tension, mode));
}
bool Graphics::FillRegion(BrushRef brush, const Region& region) {
  return TrackStatus(gdip::GdipFillRegion(handle(), brush.handle, region.handle()));
}

// ---- text ----

bool Graphics::DrawString(std::string_view text, const Font& font, const Gdiplus::RectF& layout,
                          const StringFormat* format, BrushRef brush) {
  return DrawStringW(ToWide(text), font, layout, format, brush);
}

bool Graphics::DrawStringW(std::wstring_view text, const Font& font, const Gdiplus::RectF& layout,
                           const StringFormat* format, BrushRef brush) {
  if (text.size() > INT_MAX) return TrackStatus(Gdiplus::InvalidParameter);
  const std::wstring copy(text);
  return TrackStatus(gdip::GdipDrawString(handle(), copy.c_str(), static_cast<INT>(copy.size()), font.handle(), &layout,
                                          FormatOf(format), brush.handle));
}

bool Graphics::MeasureString(std::string_view text, const Font& font, const Gdiplus::RectF& layout,
                             const StringFormat* format, Gdiplus::RectF& bounds, int* codepointsFitted,
                             int* linesFilled) const {
  return MeasureStringW(ToWide(text), font, layout, format, bounds, codepointsFitted, linesFilled);
}

bool Graphics::MeasureStringW(std::wstring_view text, const Font& font, const Gdiplus::RectF& layout,
                              const StringFormat* format, Gdiplus::RectF& bounds, int* codepointsFitted,
                              int* linesFilled) const {
  if (text.size() > INT_MAX) return TrackStatus(Gdiplus::InvalidParameter);
  const std::wstring copy(text);
  INT fitted = 0, lines = 0;
  const bool ok =
      TrackStatus(gdip::GdipMeasureString(handle(), copy.c_str(), static_cast<INT>(copy.size()), font.handle(), &layout,
                                          FormatOf(format), &bounds, &fitted, &lines));
  if (codepointsFitted) *codepointsFitted = fitted;
  if (linesFilled) *linesFilled = lines;
  return ok;
}

bool Graphics::MeasureCharacterRanges(std::string_view text, const Font& font, const Gdiplus::RectF& layout,
                                      const StringFormat& format, std::vector<Region>& regions) const {
  return MeasureCharacterRangesW(ToWide(text), font, layout, format, regions);
}

bool Graphics::MeasureCharacterRangesW(std::wstring_view text, const Font& font, const Gdiplus::RectF& layout,
                                       const StringFormat& format, std::vector<Region>& regions) const {
  regions.clear();
  int count = 0;
  if (!format.GetMeasurableCharacterRangeCount(count)) return false;
  if (count < 0 || count > 32 || text.size() > INT_MAX) return TrackStatus(Gdiplus::InvalidParameter);
  std::vector<Region> made(static_cast<size_t>(count));
  std::vector<Gdiplus::GpRegion*> raw;
  for (auto& region : made) {
    if (!region.Create()) return false;
    raw.push_back(region.handle());
  }
  const std::wstring copy(text);
  if (!TrackStatus(gdip::GdipMeasureCharacterRanges(handle(), copy.c_str(), static_cast<INT>(copy.size()),
                                                    font.handle(), layout, format.handle(), count, raw.data())))
    return false;
  regions = std::move(made);
  return true;
}

// ---- images ----

bool Graphics::DrawImage(const Image& image, float x, float y) {
  return TrackStatus(gdip::GdipDrawImage(handle(), image.handle(), x, y));
}
bool Graphics::DrawImageI(const Image& image, int x, int y) {
  return TrackStatus(gdip::GdipDrawImageI(handle(), image.handle(), x, y));
}
bool Graphics::DrawImageRect(const Image& image, float x, float y, float w, float h) {
  return TrackStatus(gdip::GdipDrawImageRect(handle(), image.handle(), x, y, w, h));
}
bool Graphics::DrawImageRectI(const Image& image, int x, int y, int w, int h) {
  return TrackStatus(gdip::GdipDrawImageRectI(handle(), image.handle(), x, y, w, h));
}
bool Graphics::DrawImageRectRect(const Image& image, const Gdiplus::RectF& d, float srcX, float srcY, float srcWidth,
                                 float srcHeight, Gdiplus::Unit srcUnit) {
  return TrackStatus(gdip::GdipDrawImageRectRect(handle(), image.handle(), d.X, d.Y, d.Width, d.Height, srcX, srcY,
                                                 srcWidth, srcHeight, srcUnit, nullptr, nullptr, nullptr));
}
bool Graphics::DrawImageRectRectI(const Image& image, const Gdiplus::Rect& d, int srcX, int srcY, int srcWidth,
                                  int srcHeight, Gdiplus::Unit srcUnit) {
  return TrackStatus(gdip::GdipDrawImageRectRectI(handle(), image.handle(), d.X, d.Y, d.Width, d.Height, srcX, srcY,
                                                  srcWidth, srcHeight, srcUnit, nullptr, nullptr, nullptr));
}
bool Graphics::DrawImagePoints(const Image& image, const std::vector<PointF>& points) {
  if (points.size() != 3) return TrackStatus(Gdiplus::InvalidParameter);
  return TrackStatus(gdip::GdipDrawImagePoints(handle(), image.handle(), points.data(), 3));
}
bool Graphics::DrawImagePointsI(const Image& image, const std::vector<Point>& points) {
  if (points.size() != 3) return TrackStatus(Gdiplus::InvalidParameter);
  return TrackStatus(gdip::GdipDrawImagePointsI(handle(), image.handle(), points.data(), 3));
}

// ---- clipping ----

bool Graphics::SetClipGraphics(const Graphics& other, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipSetClipGraphics(handle(), other.handle(), mode));
}
bool Graphics::SetClipPath(const GraphicsPath& path, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipSetClipPath(handle(), path.handle(), mode));
}
bool Graphics::SetClipRect(float x, float y, float w, float h, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipSetClipRect(handle(), x, y, w, h, mode));
}
bool Graphics::SetClipRectI(int x, int y, int w, int h, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipSetClipRectI(handle(), x, y, w, h, mode));
}
bool Graphics::SetClipRegion(const Region& region, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipSetClipRegion(handle(), region.handle(), mode));
}
bool Graphics::SetClipHrgn(HRGN region, Gdiplus::CombineMode mode) {
  return TrackStatus(gdip::GdipSetClipHrgn(handle(), region, mode));
}
bool Graphics::ResetClip() { return TrackStatus(gdip::GdipResetClip(handle())); }
bool Graphics::TranslateClip(float dx, float dy) { return TrackStatus(gdip::GdipTranslateClip(handle(), dx, dy)); }
bool Graphics::TranslateClipI(int dx, int dy) { return TrackStatus(gdip::GdipTranslateClipI(handle(), dx, dy)); }
bool Graphics::GetClip(Region& region) const { return TrackStatus(gdip::GdipGetClip(handle(), region.handle())); }
bool Graphics::GetClipBounds(Gdiplus::RectF& bounds) const {
  return TrackStatus(gdip::GdipGetClipBounds(handle(), &bounds));
}
bool Graphics::GetClipBoundsI(Gdiplus::Rect& bounds) const {
  return TrackStatus(gdip::GdipGetClipBoundsI(handle(), &bounds));
}
bool Graphics::GetVisibleClipBounds(Gdiplus::RectF& bounds) const {
  return TrackStatus(gdip::GdipGetVisibleClipBounds(handle(), &bounds));
}
bool Graphics::GetVisibleClipBoundsI(Gdiplus::Rect& bounds) const {
  return TrackStatus(gdip::GdipGetVisibleClipBoundsI(handle(), &bounds));
}

namespace {

template <typename Call>
bool ReadBool(bool& result, Call call) {
  BOOL value = FALSE;
  const bool ok = TrackStatus(call(&value));
  result = value != FALSE;
  return ok;
}

}  // namespace

bool Graphics::IsClipEmpty(bool& result) const {
  return ReadBool(result, [this](BOOL* v) { return gdip::GdipIsClipEmpty(handle(), v); });
}
bool Graphics::IsVisibleClipEmpty(bool& result) const {
  return ReadBool(result, [this](BOOL* v) { return gdip::GdipIsVisibleClipEmpty(handle(), v); });
}
bool Graphics::IsVisiblePoint(float x, float y, bool& result) const {
  return ReadBool(result, [&](BOOL* v) { return gdip::GdipIsVisiblePoint(handle(), x, y, v); });
}
bool Graphics::IsVisiblePointI(int x, int y, bool& result) const {
  return ReadBool(result, [&](BOOL* v) { return gdip::GdipIsVisiblePointI(handle(), x, y, v); });
}
bool Graphics::IsVisibleRect(float x, float y, float w, float h, bool& result) const {
  return ReadBool(result, [&](BOOL* v) { return gdip::GdipIsVisibleRect(handle(), x, y, w, h, v); });
}
bool Graphics::IsVisibleRectI(int x, int y, int w, int h, bool& result) const {
  return ReadBool(result, [&](BOOL* v) { return gdip::GdipIsVisibleRectI(handle(), x, y, w, h, v); });
}

// ---- states ----

bool Graphics::Save(Gdiplus::GraphicsState& state) { return TrackStatus(gdip::GdipSaveGraphics(handle(), &state)); }
bool Graphics::Restore(Gdiplus::GraphicsState state) { return TrackStatus(gdip::GdipRestoreGraphics(handle(), state)); }
bool Graphics::BeginContainer(const Gdiplus::RectF& destination, const Gdiplus::RectF& source, Gdiplus::Unit unit,
                              Gdiplus::GraphicsContainer& state) {
  return TrackStatus(gdip::GdipBeginContainer(handle(), &destination, &source, unit, &state));
}
bool Graphics::BeginContainer2(Gdiplus::GraphicsContainer& state) {
  return TrackStatus(gdip::GdipBeginContainer2(handle(), &state));
}
bool Graphics::EndContainer(Gdiplus::GraphicsContainer state) {
  return TrackStatus(gdip::GdipEndContainer(handle(), state));
}

}  // namespace tunelark
