// The three brush classes the skin paints with, each owning one GDI+ brush:
//   SolidBrush           one ARGB colour
//   LinearGradientBrush  a two-colour (or blended) gradient along a line or rectangle
//   PathGradientBrush    a gradient from a centre colour to the colours of a path outline
// and BrushRef, the non-owning view through which Graphics, Pen and friends take "any brush".
// Transform operations include scale and rotate about a point, in either matrix order.
#pragma once
#include <vector>

#include "gfx/gdiplus_object.h"

namespace tunelark {

class Matrix;
class GraphicsPath;

class SolidBrush : public GdiplusObject<Gdiplus::GpSolidFill, &gdip::GdipDeleteBrush> {
 public:
  using GdiplusObject::GdiplusObject;
  Gdiplus::GpBrush* brushHandle() const { return handle(); }

  bool Create(Gdiplus::ARGB colour);
  bool Clone(SolidBrush& into) const;
  bool GetType(Gdiplus::BrushType& type) const;
  bool SetColour(Gdiplus::ARGB colour);
  bool GetColour(Gdiplus::ARGB& colour) const;
};

class LinearGradientBrush : public GdiplusObject<Gdiplus::GpLineGradient, &gdip::GdipDeleteBrush> {
 public:
  using GdiplusObject::GdiplusObject;
  Gdiplus::GpBrush* brushHandle() const { return handle(); }

  bool CreateFromPoints(const Gdiplus::PointF& from, const Gdiplus::PointF& to, Gdiplus::ARGB colour1,
                        Gdiplus::ARGB colour2, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromPointsI(const Gdiplus::Point& from, const Gdiplus::Point& to, Gdiplus::ARGB colour1,
                         Gdiplus::ARGB colour2, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromRect(const Gdiplus::RectF& rect, Gdiplus::ARGB colour1, Gdiplus::ARGB colour2,
                      Gdiplus::LinearGradientMode mode, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromRectI(const Gdiplus::Rect& rect, Gdiplus::ARGB colour1, Gdiplus::ARGB colour2,
                       Gdiplus::LinearGradientMode mode, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromRectWithAngle(const Gdiplus::RectF& rect, Gdiplus::ARGB colour1, Gdiplus::ARGB colour2,
                               float angle, bool isAngleScalable, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromRectWithAngleI(const Gdiplus::Rect& rect, Gdiplus::ARGB colour1, Gdiplus::ARGB colour2,
                                float angle, bool isAngleScalable, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool Clone(LinearGradientBrush& into) const;
  bool GetType(Gdiplus::BrushType& type) const;

  bool SetColours(Gdiplus::ARGB colour1, Gdiplus::ARGB colour2);
  bool GetColours(Gdiplus::ARGB& colour1, Gdiplus::ARGB& colour2) const;
  bool GetRectangle(Gdiplus::RectF& rect) const;
  bool GetRectangleI(Gdiplus::Rect& rect) const;
  bool SetGammaCorrection(bool use);
  bool GetGammaCorrection(bool& use) const;
  // factors and positions have the same length.
  bool SetBlend(const std::vector<float>& factors, const std::vector<float>& positions);
  bool GetBlendCount(int& count) const;
  bool GetBlend(std::vector<float>& factors, std::vector<float>& positions) const;
  bool SetPresetBlend(const std::vector<Gdiplus::ARGB>& colours, const std::vector<float>& positions);
  bool GetPresetBlendCount(int& count) const;
  bool GetPresetBlend(std::vector<Gdiplus::ARGB>& colours, std::vector<float>& positions) const;
  bool SetSigmaBlend(float focus, float scale);
  bool SetLinearBlend(float focus, float scale);
  bool SetWrapMode(Gdiplus::WrapMode wrap);
  bool GetWrapMode(Gdiplus::WrapMode& wrap) const;

  bool GetTransform(Matrix& matrix) const;  // matrix must exist (Matrix::Create)
  bool SetTransform(const Matrix& matrix);
  bool ResetTransform();
  bool MultiplyTransform(const Matrix& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleAt(float sx, float sy, const Gdiplus::PointF& centre,
               Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateAt(float angle, const Gdiplus::PointF& centre,
                Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
};

class PathGradientBrush : public GdiplusObject<Gdiplus::GpPathGradient, &gdip::GdipDeleteBrush> {
 public:
  using GdiplusObject::GdiplusObject;
  Gdiplus::GpBrush* brushHandle() const { return handle(); }

  bool CreateFromPoints(const std::vector<Gdiplus::PointF>& points, Gdiplus::WrapMode wrap = Gdiplus::WrapModeClamp);
  bool CreateFromPointsI(const std::vector<Gdiplus::Point>& points, Gdiplus::WrapMode wrap = Gdiplus::WrapModeClamp);
  bool CreateFromPath(const GraphicsPath& path);
  bool Clone(PathGradientBrush& into) const;
  bool GetType(Gdiplus::BrushType& type) const;

  bool SetCentreColour(Gdiplus::ARGB colour);
  bool GetCentreColour(Gdiplus::ARGB& colour) const;
  bool GetPointCount(int& count) const;
  bool GetSurroundColourCount(int& count) const;
  // Sets as many surround colours as given (at most the point count).
  bool SetSurroundColours(const std::vector<Gdiplus::ARGB>& colours);
  bool GetSurroundColours(std::vector<Gdiplus::ARGB>& colours) const;
  bool SetPath(const GraphicsPath& path);
  bool GetPath(GraphicsPath& path) const;  // path must exist (GraphicsPath::Create)
  bool SetCentrePoint(const Gdiplus::PointF& point);
  bool SetCentrePointI(const Gdiplus::Point& point);
  bool GetCentrePoint(Gdiplus::PointF& point) const;
  bool GetCentrePointI(Gdiplus::Point& point) const;
  bool GetRectangle(Gdiplus::RectF& rect) const;
  bool GetRectangleI(Gdiplus::Rect& rect) const;
  bool SetGammaCorrection(bool use);
  bool GetGammaCorrection(bool& use) const;
  bool GetBlendCount(int& count) const;
  bool SetBlend(const std::vector<float>& factors, const std::vector<float>& positions);
  bool GetBlend(std::vector<float>& factors, std::vector<float>& positions) const;
  bool GetPresetBlendCount(int& count) const;
  bool SetPresetBlend(const std::vector<Gdiplus::ARGB>& colours, const std::vector<float>& positions);
  bool GetPresetBlend(std::vector<Gdiplus::ARGB>& colours, std::vector<float>& positions) const;
  bool SetSigmaBlend(float focus, float scale);
  bool SetLinearBlend(float focus, float scale);
  bool GetFocusScales(float& x, float& y) const;
  bool SetFocusScales(float x, float y);
  bool SetWrapMode(Gdiplus::WrapMode wrap);
  bool GetWrapMode(Gdiplus::WrapMode& wrap) const;

  bool GetTransform(Matrix& matrix) const;
  bool SetTransform(const Matrix& matrix);
  bool ResetTransform();
  bool MultiplyTransform(const Matrix& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool ScaleAt(float sx, float sy, const Gdiplus::PointF& centre,
               Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool RotateAt(float angle, const Gdiplus::PointF& centre,
                Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
};

// A borrowed brush handle: any of the brush classes converts to it.
struct BrushRef {
  template <typename B>
  BrushRef(const B& brush) : handle(brush.brushHandle()) {}  // NOLINT: implicit by design
  Gdiplus::GpBrush* handle;
};

}  // namespace tunelark
