#include "gfx/graphics_path.h"

#include <algorithm>
#include <climits>

#include "gfx/counted_arrays.h"
#include "gfx/font_family.h"
#include "gfx/graphics.h"
#include "gfx/matrix.h"
#include "gfx/pen.h"
#include "gfx/string_format.h"
#include "gfx/wide_text.h"

namespace tunelark {

using Gdiplus::Point;
using Gdiplus::PointF;

using detail::Count;
using detail::Countable;

namespace {

Gdiplus::GpGraphics* GraphicsOf(const Graphics* graphics) { return graphics ? graphics->handle() : nullptr; }

}  // namespace

bool GraphicsPath::Create(Gdiplus::FillMode fillMode) {
  Gdiplus::GpPath* made = nullptr;
  return Adopt(gdip::GdipCreatePath(fillMode, &made), made);
}

bool GraphicsPath::Create(const std::vector<PointF>& points, const std::vector<BYTE>& types,
                          Gdiplus::FillMode fillMode) {
  if (!Countable(points) || points.size() != types.size()) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  Gdiplus::GpPath* made = nullptr;
  return Adopt(gdip::GdipCreatePath2(points.data(), types.data(), Count(points), fillMode, &made), made);
}

bool GraphicsPath::CreateI(const std::vector<Point>& points, const std::vector<BYTE>& types,
                           Gdiplus::FillMode fillMode) {
  if (!Countable(points) || points.size() != types.size()) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  Gdiplus::GpPath* made = nullptr;
  return Adopt(gdip::GdipCreatePath2I(points.data(), types.data(), Count(points), fillMode, &made), made);
}

bool GraphicsPath::Clone(GraphicsPath& into) const {
  Gdiplus::GpPath* made = nullptr;
  return into.Adopt(gdip::GdipClonePath(handle(), &made), made);
}

bool GraphicsPath::Reset() { return TrackStatus(gdip::GdipResetPath(handle())); }

bool GraphicsPath::GetFillMode(Gdiplus::FillMode& mode) const {
  return TrackStatus(gdip::GdipGetPathFillMode(handle(), &mode));
}

bool GraphicsPath::SetFillMode(Gdiplus::FillMode mode) {
  return TrackStatus(gdip::GdipSetPathFillMode(handle(), mode));
}

bool GraphicsPath::GetPointCount(int& count) const {
  INT n = 0;
  const bool ok = TrackStatus(gdip::GdipGetPointCount(handle(), &n));
  count = n;
  return ok;
}

namespace {

// Reads the point count and sizes the buffer for it.
template <typename T>
bool SizeForPoints(const GraphicsPath& path, std::vector<T>& out, int& count) {
  out.clear();
  if (!path.GetPointCount(count) || !detail::ReportedCountOk(count)) return false;
  out.resize(static_cast<size_t>(count));
  return true;
}

}  // namespace

bool GraphicsPath::GetPathData(std::vector<PointF>& points, std::vector<BYTE>& types) const {
  int count = 0;
  if (!SizeForPoints(*this, points, count)) return false;
  types.assign(static_cast<size_t>(count), 0);
  if (count == 0) return true;
  return TrackStatus(gdip::GdipGetPathPoints(handle(), points.data(), count)) &&
         TrackStatus(gdip::GdipGetPathTypes(handle(), types.data(), count));
}

bool GraphicsPath::GetPathTypes(std::vector<BYTE>& types) const {
  int count = 0;
  if (!SizeForPoints(*this, types, count)) return false;
  return count == 0 || TrackStatus(gdip::GdipGetPathTypes(handle(), types.data(), count));
}

bool GraphicsPath::GetPathPoints(std::vector<PointF>& points) const {
  int count = 0;
  if (!SizeForPoints(*this, points, count)) return false;
  return count == 0 || TrackStatus(gdip::GdipGetPathPoints(handle(), points.data(), count));
}

bool GraphicsPath::GetPathPointsI(std::vector<Point>& points) const {
  int count = 0;
  if (!SizeForPoints(*this, points, count)) return false;
  return count == 0 || TrackStatus(gdip::GdipGetPathPointsI(handle(), points.data(), count));
}

bool GraphicsPath::StartFigure() { return TrackStatus(gdip::GdipStartPathFigure(handle())); }
bool GraphicsPath::CloseFigure() { return TrackStatus(gdip::GdipClosePathFigure(handle())); }
bool GraphicsPath::CloseAllFigures() { return TrackStatus(gdip::GdipClosePathFigures(handle())); }
bool GraphicsPath::SetMarker() { return TrackStatus(gdip::GdipSetPathMarker(handle())); }
bool GraphicsPath::ClearMarkers() { return TrackStatus(gdip::GdipClearPathMarkers(handle())); }
bool GraphicsPath::Reverse() { return TrackStatus(gdip::GdipReversePath(handle())); }
bool GraphicsPath::GetLastPoint(PointF& point) const {
  return TrackStatus(gdip::GdipGetPathLastPoint(handle(), &point));
}

bool GraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
  return TrackStatus(gdip::GdipAddPathLine(handle(), x1, y1, x2, y2));
}
bool GraphicsPath::AddLineI(int x1, int y1, int x2, int y2) {
  return TrackStatus(gdip::GdipAddPathLineI(handle(), x1, y1, x2, y2));
}
bool GraphicsPath::AddLines(const std::vector<PointF>& points) {
  return Countable(points) && TrackStatus(gdip::GdipAddPathLine2(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddLinesI(const std::vector<Point>& points) {
  return Countable(points) && TrackStatus(gdip::GdipAddPathLine2I(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddArc(float x, float y, float w, float h, float start, float sweep) {
  return TrackStatus(gdip::GdipAddPathArc(handle(), x, y, w, h, start, sweep));
}
bool GraphicsPath::AddArcI(int x, int y, int w, int h, float start, float sweep) {
  return TrackStatus(gdip::GdipAddPathArcI(handle(), x, y, w, h, start, sweep));
}
bool GraphicsPath::AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
  return TrackStatus(gdip::GdipAddPathBezier(handle(), x1, y1, x2, y2, x3, y3, x4, y4));
}
bool GraphicsPath::AddBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return TrackStatus(gdip::GdipAddPathBezierI(handle(), x1, y1, x2, y2, x3, y3, x4, y4));
}
bool GraphicsPath::AddBeziers(const std::vector<PointF>& points) {
  return Countable(points, 4) && TrackStatus(gdip::GdipAddPathBeziers(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddBeziersI(const std::vector<Point>& points) {
  return Countable(points, 4) && TrackStatus(gdip::GdipAddPathBeziersI(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddCurve(const std::vector<PointF>& points) {
  return Countable(points, 2) && TrackStatus(gdip::GdipAddPathCurve(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddCurveI(const std::vector<Point>& points) {
  return Countable(points, 2) && TrackStatus(gdip::GdipAddPathCurveI(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddCurve2(const std::vector<PointF>& points, float tension) {
  return Countable(points, 2) && TrackStatus(gdip::GdipAddPathCurve2(handle(), points.data(), Count(points), tension));
}
bool GraphicsPath::AddCurve2I(const std::vector<Point>& points, float tension) {
  return Countable(points, 2) && TrackStatus(gdip::GdipAddPathCurve2I(handle(), points.data(), Count(points), tension));
}
bool GraphicsPath::AddCurve3(const std::vector<PointF>& points, int offset, int segments, float tension) {
  return Countable(points, 2) &&
         TrackStatus(gdip::GdipAddPathCurve3(handle(), points.data(), Count(points), offset, segments, tension));
}
bool GraphicsPath::AddCurve3I(const std::vector<Point>& points, int offset, int segments, float tension) {
  return Countable(points, 2) &&
         TrackStatus(gdip::GdipAddPathCurve3I(handle(), points.data(), Count(points), offset, segments, tension));
}
bool GraphicsPath::AddClosedCurve(const std::vector<PointF>& points) {
  return Countable(points, 3) && TrackStatus(gdip::GdipAddPathClosedCurve(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddClosedCurveI(const std::vector<Point>& points) {
  return Countable(points, 3) && TrackStatus(gdip::GdipAddPathClosedCurveI(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddClosedCurve2(const std::vector<PointF>& points, float tension) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipAddPathClosedCurve2(handle(), points.data(), Count(points), tension));
}
bool GraphicsPath::AddClosedCurve2I(const std::vector<Point>& points, float tension) {
  return Countable(points, 3) &&
         TrackStatus(gdip::GdipAddPathClosedCurve2I(handle(), points.data(), Count(points), tension));
}
bool GraphicsPath::AddRectangle(float x, float y, float w, float h) {
  return TrackStatus(gdip::GdipAddPathRectangle(handle(), x, y, w, h));
}
bool GraphicsPath::AddRectangleI(int x, int y, int w, int h) {
  return TrackStatus(gdip::GdipAddPathRectangleI(handle(), x, y, w, h));
}
bool GraphicsPath::AddRectangles(const std::vector<Gdiplus::RectF>& rects) {
  return Countable(rects) && TrackStatus(gdip::GdipAddPathRectangles(handle(), rects.data(), Count(rects)));
}
bool GraphicsPath::AddRectanglesI(const std::vector<Gdiplus::Rect>& rects) {
  return Countable(rects) && TrackStatus(gdip::GdipAddPathRectanglesI(handle(), rects.data(), Count(rects)));
}

bool GraphicsPath::AddRoundedRectanglePercent(float x, float y, float width, float height, int roundness) {
  roundness = std::clamp(roundness, 1, 100);
  // Sizes truncate toward zero to whole pixels, as the skin's shapes are laid out on them.
  const float arcWidth = static_cast<float>(static_cast<int>(static_cast<double>(width) * roundness / 100.0));
  const float arcHeight = static_cast<float>(static_cast<int>(static_cast<double>(height) * roundness / 100.0));
  auto* h = handle();
  if (!TrackStatus(gdip::GdipAddPathArc(h, x + width - arcWidth, y, arcWidth, arcHeight, 270.0f, 90.0f))) return false;
  if (!TrackStatus(
          gdip::GdipAddPathArc(h, x + width - arcWidth, y + height - arcHeight, arcWidth, arcHeight, 0.0f, 90.0f)))
    return false;
  if (!TrackStatus(gdip::GdipAddPathArc(h, x, y + height - arcHeight, arcWidth, arcHeight, 90.0f, 90.0f))) return false;
  if (!TrackStatus(gdip::GdipAddPathArc(h, x, y, arcWidth, arcHeight, 180.0f, 90.0f))) return false;
  return TrackStatus(gdip::GdipClosePathFigure(h));
}

bool GraphicsPath::AddEllipse(float x, float y, float w, float h) {
  return TrackStatus(gdip::GdipAddPathEllipse(handle(), x, y, w, h));
}
bool GraphicsPath::AddEllipseI(int x, int y, int w, int h) {
  return TrackStatus(gdip::GdipAddPathEllipseI(handle(), x, y, w, h));
}
bool GraphicsPath::AddPie(float x, float y, float w, float h, float start, float sweep) {
  return TrackStatus(gdip::GdipAddPathPie(handle(), x, y, w, h, start, sweep));
}
bool GraphicsPath::AddPieI(int x, int y, int w, int h, float start, float sweep) {
  return TrackStatus(gdip::GdipAddPathPieI(handle(), x, y, w, h, start, sweep));
}
bool GraphicsPath::AddPolygon(const std::vector<PointF>& points) {
  return Countable(points, 3) && TrackStatus(gdip::GdipAddPathPolygon(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddPolygonI(const std::vector<Point>& points) {
  return Countable(points, 3) && TrackStatus(gdip::GdipAddPathPolygonI(handle(), points.data(), Count(points)));
}
bool GraphicsPath::AddPath(const GraphicsPath& other, bool connect) {
  return TrackStatus(gdip::GdipAddPathPath(handle(), other.handle(), connect));
}

bool GraphicsPath::AddString(std::string_view text, const FontFamily& family, int style, float emSize,
                             const Gdiplus::RectF& layout, const StringFormat* format) {
  return AddStringW(ToWide(text), family, style, emSize, layout, format);
}

bool GraphicsPath::AddStringI(std::string_view text, const FontFamily& family, int style, float emSize,
                              const Gdiplus::Rect& layout, const StringFormat* format) {
  return AddStringWI(ToWide(text), family, style, emSize, layout, format);
}

bool GraphicsPath::AddStringW(std::wstring_view text, const FontFamily& family, int style, float emSize,
                              const Gdiplus::RectF& layout, const StringFormat* format) {
  if (text.size() > INT_MAX) return TrackStatus(Gdiplus::InvalidParameter);
  const std::wstring copy(text);
  return TrackStatus(gdip::GdipAddPathString(handle(), copy.c_str(), static_cast<INT>(copy.size()), family.handle(),
                                             style, emSize, &layout, format ? format->handle() : nullptr));
}

bool GraphicsPath::AddStringWI(std::wstring_view text, const FontFamily& family, int style, float emSize,
                               const Gdiplus::Rect& layout, const StringFormat* format) {
  if (text.size() > INT_MAX) return TrackStatus(Gdiplus::InvalidParameter);
  const std::wstring copy(text);
  return TrackStatus(gdip::GdipAddPathStringI(handle(), copy.c_str(), static_cast<INT>(copy.size()), family.handle(),
                                              style, emSize, &layout, format ? format->handle() : nullptr));
}

bool GraphicsPath::Transform(const Matrix& matrix) {
  return TrackStatus(gdip::GdipTransformPath(handle(), matrix.handle()));
}

bool GraphicsPath::GetBounds(Gdiplus::RectF& bounds, const Matrix* matrix, const Pen* pen) const {
  return TrackStatus(gdip::GdipGetPathWorldBounds(handle(), &bounds, matrix ? matrix->handle() : nullptr,
                                                  pen ? pen->handle() : nullptr));
}

bool GraphicsPath::GetBoundsI(Gdiplus::Rect& bounds, const Matrix* matrix, const Pen* pen) const {
  return TrackStatus(gdip::GdipGetPathWorldBoundsI(handle(), &bounds, matrix ? matrix->handle() : nullptr,
                                                   pen ? pen->handle() : nullptr));
}

bool GraphicsPath::Flatten(const Matrix* matrix, float flatness) {
  return TrackStatus(gdip::GdipFlattenPath(handle(), matrix ? matrix->handle() : nullptr, flatness));
}

bool GraphicsPath::Widen(const Pen& pen, const Matrix* matrix, float flatness) {
  return TrackStatus(gdip::GdipWidenPath(handle(), pen.handle(), matrix ? matrix->handle() : nullptr, flatness));
}

bool GraphicsPath::Outline(const Matrix* matrix, float flatness) {
  return TrackStatus(gdip::GdipWindingModeOutline(handle(), matrix ? matrix->handle() : nullptr, flatness));
}

bool GraphicsPath::Warp(const Matrix* matrix, const std::vector<PointF>& points, const Gdiplus::RectF& source,
                        Gdiplus::WarpMode mode, float flatness) {
  if (!Countable(points, 3)) return false;
  return TrackStatus(gdip::GdipWarpPath(handle(), matrix ? matrix->handle() : nullptr, points.data(), Count(points),
                                        source.X, source.Y, source.Width, source.Height, mode, flatness));
}

bool GraphicsPath::IsVisiblePoint(float x, float y, const Graphics* graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsVisiblePathPoint(handle(), x, y, GraphicsOf(graphics), &value));
  result = value != FALSE;
  return ok;
}

bool GraphicsPath::IsVisiblePointI(int x, int y, const Graphics* graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsVisiblePathPointI(handle(), x, y, GraphicsOf(graphics), &value));
  result = value != FALSE;
  return ok;
}

bool GraphicsPath::IsOutlineVisiblePoint(float x, float y, const Pen& pen, const Graphics* graphics,
                                         bool& result) const {
  BOOL value = FALSE;
  const bool ok =
      TrackStatus(gdip::GdipIsOutlineVisiblePathPoint(handle(), x, y, pen.handle(), GraphicsOf(graphics), &value));
  result = value != FALSE;
  return ok;
}

bool GraphicsPath::IsOutlineVisiblePointI(int x, int y, const Pen& pen, const Graphics* graphics, bool& result) const {
  BOOL value = FALSE;
  const bool ok =
      TrackStatus(gdip::GdipIsOutlineVisiblePathPointI(handle(), x, y, pen.handle(), GraphicsOf(graphics), &value));
  result = value != FALSE;
  return ok;
}

}  // namespace tunelark
