// GraphicsPath: an owned GDI+ path. Figures are built from lines, arcs, curves, rectangles,
// ellipses, pies, polygons, other paths and strings; AddRoundedRectanglePercent adds the
// skin's rounded rectangle whose corner size is a percentage of the width and height.
#pragma once
#include <string_view>
#include <vector>

#include "gfx/gdiplus_object.h"

namespace tunelark {

class FontFamily;
class Graphics;
class Matrix;
class Pen;
class StringFormat;

class GraphicsPath : public GdiplusObject<Gdiplus::GpPath, &gdip::GdipDeletePath> {
 public:
  using GdiplusObject::GdiplusObject;

  bool Create(Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool Create(const std::vector<Gdiplus::PointF>& points, const std::vector<BYTE>& types,
              Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool CreateI(const std::vector<Gdiplus::Point>& points, const std::vector<BYTE>& types,
               Gdiplus::FillMode fillMode = Gdiplus::FillModeAlternate);
  bool Clone(GraphicsPath& into) const;
  bool Reset();
  bool GetFillMode(Gdiplus::FillMode& mode) const;
  bool SetFillMode(Gdiplus::FillMode mode);
  bool GetPathData(std::vector<Gdiplus::PointF>& points, std::vector<BYTE>& types) const;
  bool GetPathTypes(std::vector<BYTE>& types) const;
  bool GetPathPoints(std::vector<Gdiplus::PointF>& points) const;
  bool GetPathPointsI(std::vector<Gdiplus::Point>& points) const;
  bool GetPointCount(int& count) const;
  bool StartFigure();
  bool CloseFigure();
  bool CloseAllFigures();
  bool SetMarker();
  bool ClearMarkers();
  bool Reverse();
  bool GetLastPoint(Gdiplus::PointF& point) const;

  bool AddLine(float x1, float y1, float x2, float y2);
  bool AddLineI(int x1, int y1, int x2, int y2);
  bool AddLines(const std::vector<Gdiplus::PointF>& points);
  bool AddLinesI(const std::vector<Gdiplus::Point>& points);
  bool AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool AddBezier(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  bool AddBezierI(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  bool AddBeziers(const std::vector<Gdiplus::PointF>& points);
  bool AddBeziersI(const std::vector<Gdiplus::Point>& points);
  bool AddCurve(const std::vector<Gdiplus::PointF>& points);
  bool AddCurveI(const std::vector<Gdiplus::Point>& points);
  bool AddCurve2(const std::vector<Gdiplus::PointF>& points, float tension);
  bool AddCurve2I(const std::vector<Gdiplus::Point>& points, float tension);
  bool AddCurve3(const std::vector<Gdiplus::PointF>& points, int offset, int segments, float tension);
  bool AddCurve3I(const std::vector<Gdiplus::Point>& points, int offset, int segments, float tension);
  bool AddClosedCurve(const std::vector<Gdiplus::PointF>& points);
  bool AddClosedCurveI(const std::vector<Gdiplus::Point>& points);
  bool AddClosedCurve2(const std::vector<Gdiplus::PointF>& points, float tension);
  bool AddClosedCurve2I(const std::vector<Gdiplus::Point>& points, float tension);
  bool AddRectangle(float x, float y, float width, float height);
  bool AddRectangleI(int x, int y, int width, int height);
  bool AddRectangles(const std::vector<Gdiplus::RectF>& rects);
  bool AddRectanglesI(const std::vector<Gdiplus::Rect>& rects);
  // Four 90-degree arcs of (width x roundness / 100) x (height x roundness / 100), each size
  // truncated to an integer, roundness clamped to 1..100; then the figure is closed.
  bool AddRoundedRectanglePercent(float x, float y, float width, float height, int roundness);
  bool AddEllipse(float x, float y, float width, float height);
  bool AddEllipseI(int x, int y, int width, int height);
  bool AddPie(float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool AddPieI(int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool AddPolygon(const std::vector<Gdiplus::PointF>& points);
  bool AddPolygonI(const std::vector<Gdiplus::Point>& points);
  bool AddPath(const GraphicsPath& other, bool connect);
  bool AddString(std::string_view text, const FontFamily& family, int style, float emSize, const Gdiplus::RectF& layout,
                 const StringFormat* format);
  bool AddStringI(std::string_view text, const FontFamily& family, int style, float emSize, const Gdiplus::Rect& layout,
                  const StringFormat* format);
  bool AddStringW(std::wstring_view text, const FontFamily& family, int style, float emSize,
                  const Gdiplus::RectF& layout, const StringFormat* format);
  bool AddStringWI(std::wstring_view text, const FontFamily& family, int style, float emSize,
                   const Gdiplus::Rect& layout, const StringFormat* format);

  bool Transform(const Matrix& matrix);
  bool GetBounds(Gdiplus::RectF& bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
  bool GetBoundsI(Gdiplus::Rect& bounds, const Matrix* matrix = nullptr, const Pen* pen = nullptr) const;
  bool Flatten(const Matrix* matrix = nullptr, float flatness = 0.25f);
  bool Widen(const Pen& pen, const Matrix* matrix = nullptr, float flatness = 0.25f);
  bool Outline(const Matrix* matrix = nullptr, float flatness = 0.25f);  // winding-mode outline
  bool Warp(const Matrix* matrix, const std::vector<Gdiplus::PointF>& points, const Gdiplus::RectF& source,
            Gdiplus::WarpMode mode = Gdiplus::WarpModePerspective, float flatness = 0.25f);
  bool IsVisiblePoint(float x, float y, const Graphics* graphics, bool& result) const;
  bool IsVisiblePointI(int x, int y, const Graphics* graphics, bool& result) const;
  bool IsOutlineVisiblePoint(float x, float y, const Pen& pen, const Graphics* graphics, bool& result) const;
  bool IsOutlineVisiblePointI(int x, int y, const Pen& pen, const Graphics* graphics, bool& result) const;
};

}  // namespace tunelark
