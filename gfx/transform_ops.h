// TransformOps: the transform operations shared by every class whose native object carries a
// transform (the world transform of a Graphics, the transform of a gradient brush or a pen),
// written once over that object's seven GDI+ transform functions. A class takes them by
// deriving from TransformOps<itself, get, set, reset, multiply, translate, scale, rotate>.
// Scale and rotate about a point compose translate and the operation (see AboutPoint).
#pragma once
#include "gfx/about_point.h"
#include "gfx/gdiplus_api.h"
#include "gfx/matrix.h"

namespace tunelark {

template <typename Derived, auto GetFn, auto SetFn, auto ResetFn, auto MultiplyFn, auto TranslateFn, auto ScaleFn,
          auto RotateFn>
class TransformOps {
 public:
  bool GetTransform(Matrix& matrix) const { return TrackStatus(GetFn(native(), matrix.handle())); }
  bool SetTransform(const Matrix& matrix) { return TrackStatus(SetFn(native(), matrix.handle())); }
  bool ResetTransform() { return TrackStatus(ResetFn(native())); }
  bool MultiplyTransform(const Matrix& matrix, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend) {
    return TrackStatus(MultiplyFn(native(), matrix.handle(), order));
  }
  bool TranslateTransform(float dx, float dy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend) {
    return TrackStatus(TranslateFn(native(), dx, dy, order));
  }
  bool ScaleTransform(float sx, float sy, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend) {
    return TrackStatus(ScaleFn(native(), sx, sy, order));
  }
  bool RotateTransform(float angle, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend) {
    return TrackStatus(RotateFn(native(), angle, order));
  }
  // Scale by (sx, sy) keeping centre where it is.
  bool ScaleAt(float sx, float sy, const Gdiplus::PointF& centre,
               Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend) {
    auto* h = native();
    return detail::AboutPoint(
        centre, order, [h](float dx, float dy, Gdiplus::MatrixOrder o) { return TranslateFn(h, dx, dy, o); },
        [h, sx, sy](Gdiplus::MatrixOrder o) { return ScaleFn(h, sx, sy, o); });
  }
  // Rotate by angle degrees about centre.
  bool RotateAt(float angle, const Gdiplus::PointF& centre, Gdiplus::MatrixOrder order = Gdiplus::MatrixOrderPrepend) {
    auto* h = native();
    return detail::AboutPoint(
        centre, order, [h](float dx, float dy, Gdiplus::MatrixOrder o) { return TranslateFn(h, dx, dy, o); },
        [h, angle](Gdiplus::MatrixOrder o) { return RotateFn(h, angle, o); });
  }

 private:
  auto* native() const { return static_cast<const Derived&>(*this).handle(); }
};

}  // namespace tunelark
