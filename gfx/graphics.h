// Graphics: an owned GDI+ graphics on a window, a device context or an image. Offers the
// rendering qualities, the world transform (including scale and rotate about a point), page
// units, point transforms, every draw and fill of lines, curves, shapes, paths and regions,
// code page 936 text drawing and measuring, image drawing, clipping and saved states.
#pragma once
#include <string_view>
#include <vector>

#include "gfx/brushes.h"
#include "gfx/gdiplus_object.h"
#include "gfx/transform_ops.h"

namespace tunelark {

class Font;
class GraphicsPath;
class Image;
class Pen;
class Region;
class StringFormat;

class Graphics : public GdiplusObject<Gdiplus::GpGraphics, &gdip::GdipDeleteGraphics>,
                 public TransformOps<Graphics, &gdip::GdipGetWorldTransform, &gdip::GdipSetWorldTransform,
                                     &gdip::GdipResetWorldTransform, &gdip::GdipMultiplyWorldTransform,
                                     &gdip::GdipTranslateWorldTransform, &gdip::GdipScaleWorldTransform,
                                     &gdip::GdipRotateWorldTransform> {
 public:
  using GdiplusObject::GdiplusObject;

  bool CreateForWindow(HWND window, bool useIcm = false);
  bool CreateFromDC(HDC dc);
  bool CreateFromDC(HDC dc, HANDLE device);  // GdipCreateFromHDC2
  bool CreateOnImage(const Image& image);
  bool Flush(Gdiplus::FlushIntention intention = Gdiplus::FlushIntentionFlush);
  // A device context for GDI drawing; give it back with ReleaseDC before further GDI+ use.
  HDC GetDC();
  bool ReleaseDC(HDC dc);

  bool GetRenderingOrigin(int& x, int& y) const;
  bool SetRenderingOrigin(int x, int y);
  bool GetCompositingMode(Gdiplus::CompositingMode& mode) const;
  bool SetCompositingMode(Gdiplus::CompositingMode mode);
  bool GetCompositingQuality(Gdiplus::CompositingQuality& quality) const;
  bool SetCompositingQuality(Gdiplus::CompositingQuality quality);
  bool SetTextRenderingHint(Gdiplus::TextRenderingHint hint);
  bool GetTextRenderingHint(Gdiplus::TextRenderingHint& hint) const;
  bool SetTextContrast(UINT contrast);
  bool GetTextContrast(UINT& contrast) const;
  bool SetInterpolationMode(Gdiplus::InterpolationMode mode);
  bool GetInterpolationMode(Gdiplus::InterpolationMode& mode) const;
  bool SetSmoothingMode(Gdiplus::SmoothingMode mode);
  bool GetSmoothingMode(Gdiplus::SmoothingMode& mode) const;
  bool SetPixelOffsetMode(Gdiplus::PixelOffsetMode mode);
  bool GetPixelOffsetMode(Gdiplus::PixelOffsetMode& mode) const;

  // The world transform operations come from TransformOps (GetTransform: matrix must exist).

  bool SetPageUnit(Gdiplus::Unit unit);
  bool GetPageUnit(Gdiplus::Unit& unit) const;
  bool SetPageScale(float scale);
  bool GetPageScale(float& scale) const;
  bool GetDpiX(float& dpi) const;
  bool GetDpiY(float& dpi) const;
  bool TransformPoints(Gdiplus::CoordinateSpace to, Gdiplus::CoordinateSpace from, Gdiplus::PointF* points,
                       int count) const;
  bool TransformPointsI(Gdiplus::CoordinateSpace to, Gdiplus::CoordinateSpace from, Gdiplus::Point* points,
                        int count) const;
  bool GetNearestColour(Gdiplus::ARGB& colour) const;

  // Drawing with a pen (float forms, then integer forms).
  bool DrawLine(const Pen& pen, float x1, float y1, float x2, float y2);
  bool DrawLineI(const Pen& pen, int x1, int y1, int x2, int y2);
  bool DrawLines(const Pen& pen, const std::vector<Gdiplus::PointF>& points);
  bool DrawLinesI(const Pen& pen, const std::vector<Gdiplus::Point>& points);
  bool DrawArc(const Pen& pen, float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool DrawArcI(const Pen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool DrawBezier(const Pen& pen, float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
  bool DrawBezierI(const Pen& pen, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  bool DrawBeziers(const Pen& pen, const std::vector<Gdiplus::PointF>& points);
  bool DrawBeziersI(const Pen& pen, const std::vector<Gdiplus::Point>& points);
  bool DrawRectangle(const Pen& pen, float x, float y, float width, float height);
  bool DrawRectangleI(const Pen& pen, int x, int y, int width, int height);
  bool DrawRectangles(const Pen& pen, const std::vector<Gdiplus::RectF>& rects);
  bool DrawRectanglesI(const Pen& pen, const std::vector<Gdiplus::Rect>& rects);
  bool DrawEllipse(const Pen& pen, float x, float y, float width, float height);
  bool DrawEllipseI(const Pen& pen, int x, int y, int width, int height);
  bool DrawPie(const Pen& pen, float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool DrawPieI(const Pen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool DrawPolygon(const Pen& pen, const std::vector<Gdiplus::PointF>& points);
  bool DrawPolygonI(const Pen& pen, const std::vector<Gdiplus::Point>& points);
  bool DrawPath(const Pen& pen, const GraphicsPath& path);
  bool DrawCurve(const Pen& pen, const std::vector<Gdiplus::PointF>& points);
  bool DrawCurveI(const Pen& pen, const std::vector<Gdiplus::Point>& points);
  bool DrawCurve2(const Pen& pen, const std::vector<Gdiplus::PointF>& points, float tension);
  bool DrawCurve2I(const Pen& pen, const std::vector<Gdiplus::Point>& points, float tension);
  bool DrawClosedCurve(const Pen& pen, const std::vector<Gdiplus::PointF>& points);
  bool DrawClosedCurveI(const Pen& pen, const std::vector<Gdiplus::Point>& points);
  bool DrawClosedCurve2(const Pen& pen, const std::vector<Gdiplus::PointF>& points, float tension);
  bool DrawClosedCurve2I(const Pen& pen, const std::vector<Gdiplus::Point>& points, float tension);

  // Filling with any brush.
  bool Clear(Gdiplus::ARGB colour);
  bool FillRectangle(BrushRef brush, float x, float y, float width, float height);
  bool FillRectangle(BrushRef brush, const Gdiplus::RectF& rect) {
    return FillRectangle(brush, rect.X, rect.Y, rect.Width, rect.Height);
  }
  bool FillRectangleI(BrushRef brush, int x, int y, int width, int height);
  // A temporary solid brush of colour over the rectangle.
  bool FillRectangleWithColour(Gdiplus::ARGB colour, const Gdiplus::RectF& rect);
  bool FillRectangles(BrushRef brush, const std::vector<Gdiplus::RectF>& rects);
  bool FillRectanglesI(BrushRef brush, const std::vector<Gdiplus::Rect>& rects);
  bool FillPolygon(BrushRef brush, const std::vector<Gdiplus::PointF>& points,
                   Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
  bool FillPolygonI(BrushRef brush, const std::vector<Gdiplus::Point>& points,
                    Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
  bool FillEllipse(BrushRef brush, float x, float y, float width, float height);
  bool FillEllipseI(BrushRef brush, int x, int y, int width, int height);
  bool FillPie(BrushRef brush, float x, float y, float width, float height, float startAngle, float sweepAngle);
  bool FillPieI(BrushRef brush, int x, int y, int width, int height, float startAngle, float sweepAngle);
  bool FillPath(BrushRef brush, const GraphicsPath& path);
  bool FillClosedCurve(BrushRef brush, const std::vector<Gdiplus::PointF>& points);
  bool FillClosedCurveI(BrushRef brush, const std::vector<Gdiplus::Point>& points);
  bool FillClosedCurve2(BrushRef brush, const std::vector<Gdiplus::PointF>& points, float tension,
                        Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
  bool FillClosedCurve2I(BrushRef brush, const std::vector<Gdiplus::Point>& points, float tension,
                         Gdiplus::FillMode mode = Gdiplus::FillModeAlternate);
  bool FillRegion(BrushRef brush, const Region& region);

  // Text: code page 936 texts (and UTF-16 forms). format may be null (the default format).
  bool DrawString(std::string_view text, const Font& font, const Gdiplus::RectF& layout, const StringFormat* format,
                  BrushRef brush);
  bool DrawStringW(std::wstring_view text, const Font& font, const Gdiplus::RectF& layout, const StringFormat* format,
                   BrushRef brush);
  // Box the text takes inside layout; codepointsFitted and linesFilled may be null.
  bool MeasureString(std::string_view text, const Font& font, const Gdiplus::RectF& layout, const StringFormat* format,
                     Gdiplus::RectF& bounds, int* codepointsFitted = nullptr, int* linesFilled = nullptr) const;
  bool MeasureStringW(std::wstring_view text, const Font& font, const Gdiplus::RectF& layout,
                      const StringFormat* format, Gdiplus::RectF& bounds, int* codepointsFitted = nullptr,
                      int* linesFilled = nullptr) const;
  // One region per measurable character range of format.
  bool MeasureCharacterRanges(std::string_view text, const Font& font, const Gdiplus::RectF& layout,
                              const StringFormat& format, std::vector<Region>& regions) const;
  bool MeasureCharacterRangesW(std::wstring_view text, const Font& font, const Gdiplus::RectF& layout,
                               const StringFormat& format, std::vector<Region>& regions) const;

  // Images.
  bool DrawImage(const Image& image, float x, float y);  // natural size
  bool DrawImageI(const Image& image, int x, int y);
  bool DrawImageRect(const Image& image, float x, float y, float width, float height);
  bool DrawImageRectI(const Image& image, int x, int y, int width, int height);
  // Part (srcX, srcY, srcWidth, srcHeight) of the image, in srcUnit, into the destination.
  bool DrawImageRectRect(const Image& image, const Gdiplus::RectF& destination, float srcX, float srcY, float srcWidth,
                         float srcHeight, Gdiplus::Unit srcUnit = Gdiplus::UnitPixel);
  bool DrawImageRectRectI(const Image& image, const Gdiplus::Rect& destination, int srcX, int srcY, int srcWidth,
                          int srcHeight, Gdiplus::Unit srcUnit = Gdiplus::UnitPixel);
  // Parallelogram form: points are upper-left, upper-right, lower-left (3 points).
  bool DrawImagePoints(const Image& image, const std::vector<Gdiplus::PointF>& points);
  bool DrawImagePointsI(const Image& image, const std::vector<Gdiplus::Point>& points);

  // Clipping.
  bool SetClipGraphics(const Graphics& other, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool SetClipPath(const GraphicsPath& path, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool SetClipRect(float x, float y, float width, float height,
                   Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool SetClipRectI(int x, int y, int width, int height, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool SetClipRegion(const Region& region, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool SetClipHrgn(HRGN region, Gdiplus::CombineMode mode = Gdiplus::CombineModeReplace);
  bool ResetClip();
  bool TranslateClip(float dx, float dy);
  bool TranslateClipI(int dx, int dy);
  bool GetClip(Region& region) const;  // region must exist (Region::Create)
  bool GetClipBounds(Gdiplus::RectF& bounds) const;
  bool GetClipBoundsI(Gdiplus::Rect& bounds) const;
  bool GetVisibleClipBounds(Gdiplus::RectF& bounds) const;
  bool GetVisibleClipBoundsI(Gdiplus::Rect& bounds) const;
  bool IsClipEmpty(bool& result) const;
  bool IsVisibleClipEmpty(bool& result) const;
  bool IsVisiblePoint(float x, float y, bool& result) const;
  bool IsVisiblePointI(int x, int y, bool& result) const;
  bool IsVisibleRect(float x, float y, float width, float height, bool& result) const;
  bool IsVisibleRectI(int x, int y, int width, int height, bool& result) const;

  // Saved states and containers.
  bool Save(Gdiplus::GraphicsState& state);
  bool Restore(Gdiplus::GraphicsState state);
  bool BeginContainer(const Gdiplus::RectF& destination, const Gdiplus::RectF& source, Gdiplus::Unit unit,
                      Gdiplus::GraphicsContainer& state);
  bool BeginContainer2(Gdiplus::GraphicsContainer& state);
  bool EndContainer(Gdiplus::GraphicsContainer state);
};

}  // namespace tunelark
