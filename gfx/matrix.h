// Matrix: an owned GDI+ matrix (GpMatrix), used for world transforms of graphics, brush and
// pen transforms, path transforms and bitmap rotation.
#pragma once
#include <array>

#include "gfx/gdiplus_object.h"

namespace tunelark {

class Matrix : public GdiplusObject<Gdiplus::GpMatrix, &gdip::GdipDeleteMatrix> {
 public:
  using GdiplusObject::GdiplusObject;

  bool Create();  // identity
  bool Create(float m11, float m12, float m21, float m22, float dx, float dy);
  bool Clone(Matrix& into) const;
  // Elements m11, m12, m21, m22, dx, dy.
  bool GetElements(std::array<float, 6>& elements) const;
  bool SetElements(const std::array<float, 6>& elements);
  bool Translate(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool Scale(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool Rotate(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool Multiply(const Matrix& other, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend);
  bool Invert();
  bool IsIdentity(bool& identity) const;
  bool TransformPoints(Gdiplus::PointF* points, int count) const;
};

}  // namespace tunelark
