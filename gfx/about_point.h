// AboutPoint: the scale-or-rotate-about-a-point composition shared by every class with a
// transform. Append order: translate(-c), op, translate(+c); prepend order: translate(+c),
// op, translate(-c), all with the same order. Stops at the first failing call.
#pragma once
#include "gfx/gdiplus_api.h"

namespace tunelark::detail {

template <typename TranslateFn, typename OpFn>
bool AboutPoint(const Gdiplus::PointF& centre, Gdiplus::MatrixOrder order, TranslateFn translate, OpFn op) {
  const float sign = order == Gdiplus::MatrixOrderPrepend ? 1.0f : -1.0f;
  if (!TrackStatus(translate(sign * centre.X, sign * centre.Y, order))) return false;
  if (!TrackStatus(op(order))) return false;
  return TrackStatus(translate(-sign * centre.X, -sign * centre.Y, order));
}

}  // namespace tunelark::detail
