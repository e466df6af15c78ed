// The three brush classes the skin paints with, each owning one GDI+ brush:
//   SolidBrush           one ARGB colour
//   LinearGradientBrush  a two-colour (or blended) gradient along a line or rectangle
//   PathGradientBrush    a gradient from a centre colour to the colours of a path outline
// and BrushRef, the non-owning view through which Graphics, Pen and friends take "any brush".
// The gradient brushes' transform operations (TransformOps) include scale and rotate about a
// point, in either matrix order.
#pragma once
#include <vector>

#include "gfx/gdiplus_object.h"
#include "gfx/transform_ops.h"

namespace tunelark {

class GraphicsPath;

// What every brush class shares: ownership of a GDI+ brush of type Native (deleted with
// GdipDeleteBrush), the generic brush handle BrushRef takes, the brush type and cloning
// into another brush of the same class.
template <typename Derived, typename Native>
class BrushObject : public GdiplusObject<Native, &gdip::GdipDeleteBrush> {
 public:
  using GdiplusObject<Native, &gdip::GdipDeleteBrush>::GdiplusObject;
  Gdiplus::GpBrush* brushHandle() const { return this->handle(); }

  bool Clone(Derived& into) const {
    Gdiplus::GpBrush* made = nullptr;
    const Gdiplus::Status status = gdip::GdipCloneBrush(this->handle(), &made);
    return into.Adopt(status, static_cast<Native*>(made));
  }
  bool GetType(Gdiplus::BrushType& type) const { return TrackStatus(gdip::GdipGetBrushType(this->handle(), &type)); }
};

class SolidBrush : public BrushObject<SolidBrush, Gdiplus::GpSolidFill> {
 public:
  using BrushObject::BrushObject;

  bool Create(Gdiplus::ARGB colour);
  bool SetColour(Gdiplus::ARGB colour);
  bool GetColour(Gdiplus::ARGB& colour) const;
};

class LinearGradientBrush : public BrushObject<LinearGradientBrush, Gdiplus::GpLineGradient>,
                            public TransformOps<LinearGradientBrush, &gdip::GdipGetLineTransform,
                                                &gdip::GdipSetLineTransform, &gdip::GdipResetLineTransform,
                                                &gdip::GdipMultiplyLineTransform, &gdip::GdipTranslateLineTransform,
                                                &gdip::GdipScaleLineTransform, &gdip::GdipRotateLineTransform> {
 public:
  using BrushObject::BrushObject;

  bool CreateFromPoints(const Gdiplus::PointF& from, const Gdiplus::PointF& to, Gdiplus::ARGB colour1,
                        Gdiplus::ARGB colour2, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromPointsI(const Gdiplus::Point& from, const Gdiplus::Point& to, Gdiplus::ARGB colour1,
                         Gdiplus::ARGB colour2, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromRect(const Gdiplus::RectF& rect, Gdiplus::ARGB colour1, Gdiplus::ARGB colour2,
                      Gdiplus::LinearGradientMode mode, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromRectI(const Gdiplus::Rect& rect, Gdiplus::ARGB colour1, Gdiplus::ARGB colour2,
                       Gdiplus::LinearGradientMode mode, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromRectWithAngle(const Gdiplus::RectF& rect, Gdiplus::ARGB colour1, Gdiplus::ARGB colour2, float angle,
                               bool isAngleScalable, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);
  bool CreateFromRectWithAngleI(const Gdiplus::Rect& rect, Gdiplus::ARGB colour1, Gdiplus::ARGB colour2, float angle,
                                bool isAngleScalable, Gdiplus::WrapMode wrap = Gdiplus::WrapModeTile);

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
};

class PathGradientBrush
    : public BrushObject<PathGradientBrush, Gdiplus::GpPathGradient>,
      public TransformOps<PathGradientBrush, &gdip::GdipGetPathGradientTransform, &gdip::GdipSetPathGradientTransform,
                          &gdip::GdipResetPathGradientTransform, &gdip::GdipMultiplyPathGradientTransform,
                          &gdip::GdipTranslatePathGradientTransform, &gdip::GdipScalePathGradientTransform,
                          &gdip::GdipRotatePathGradientTransform> {
 public:
  using BrushObject::BrushObject;

  bool CreateFromPoints(const std::vector<Gdiplus::PointF>& points, Gdiplus::WrapMode wrap = Gdiplus::WrapModeClamp);
  bool CreateFromPointsI(const std::vector<Gdiplus::Point>& points, Gdiplus::WrapMode wrap = Gdiplus::WrapModeClamp);
  bool CreateFromPath(const GraphicsPath& path);

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
};

// A borrowed brush handle: any of the brush classes converts to it.
struct BrushRef {
  template <typename B>
  BrushRef(const B& brush) : handle(brush.brushHandle()) {}  // NOLINT: implicit by design
  Gdiplus::GpBrush* handle;
};

}  // namespace tunelark
