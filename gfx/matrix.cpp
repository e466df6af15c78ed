#include "gfx/matrix.h"

namespace tunelark {

bool Matrix::Create() {
  Gdiplus::GpMatrix* made = nullptr;
  return Adopt(gdip::GdipCreateMatrix(&made), made);
}

bool Matrix::Create(float m11, float m12, float m21, float m22, float dx, float dy) {
  Gdiplus::GpMatrix* made = nullptr;
  return Adopt(gdip::GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &made), made);
}

bool Matrix::Clone(Matrix& into) const {
  Gdiplus::GpMatrix* made = nullptr;
  return into.Adopt(gdip::GdipCloneMatrix(handle(), &made), made);
}

bool Matrix::GetElements(std::array<float, 6>& elements) const {
  return TrackStatus(gdip::GdipGetMatrixElements(handle(), elements.data()));
}

bool Matrix::SetElements(const std::array<float, 6>& e) {
  return TrackStatus(gdip::GdipSetMatrixElements(handle(), e[0], e[1], e[2], e[3], e[4], e[5]));
}

bool Matrix::Translate(float dx, float dy, Gdiplus::MatrixOrder order) {
  return TrackStatus(gdip::GdipTranslateMatrix(handle(), dx, dy, order));
}

bool Matrix::Scale(float sx, float sy, Gdiplus::MatrixOrder order) {
  return TrackStatus(gdip::GdipScaleMatrix(handle(), sx, sy, order));
}

bool Matrix::Rotate(float angle, Gdiplus::MatrixOrder order) {
  return TrackStatus(gdip::GdipRotateMatrix(handle(), angle, order));
}

bool Matrix::Multiply(const Matrix& other, Gdiplus::MatrixOrder order) {
  return TrackStatus(gdip::GdipMultiplyMatrix(handle(), other.handle(), order));
}

bool Matrix::Invert() { return TrackStatus(gdip::GdipInvertMatrix(handle())); }

bool Matrix::IsIdentity(bool& identity) const {
  BOOL result = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsMatrixIdentity(handle(), &result));
  identity = result != FALSE;
  return ok;
}

bool Matrix::TransformPoints(Gdiplus::PointF* points, int count) const {
  return TrackStatus(gdip::GdipTransformMatrixPoints(handle(), points, count));
}

}  // namespace tunelark
