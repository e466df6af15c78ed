#include "gfx/blend_arrays.h"
#include "gfx/brushes.h"

namespace tunelark {

using Gdiplus::ARGB;

bool LinearGradientBrush::CreateFromPoints(const Gdiplus::PointF& from, const Gdiplus::PointF& to, ARGB colour1,
                                           ARGB colour2, Gdiplus::WrapMode wrap) {
  Gdiplus::GpLineGradient* made = nullptr;
  return Adopt(gdip::GdipCreateLineBrush(&from, &to, colour1, colour2, wrap, &made), made);
}

bool LinearGradientBrush::CreateFromPointsI(const Gdiplus::Point& from, const Gdiplus::Point& to, ARGB colour1,
                                            ARGB colour2, Gdiplus::WrapMode wrap) {
  Gdiplus::GpLineGradient* made = nullptr;
  return Adopt(gdip::GdipCreateLineBrushI(&from, &to, colour1, colour2, wrap, &made), made);
}

bool LinearGradientBrush::CreateFromRect(const Gdiplus::RectF& rect, ARGB colour1, ARGB colour2,
                                         Gdiplus::LinearGradientMode mode, Gdiplus::WrapMode wrap) {
  Gdiplus::GpLineGradient* made = nullptr;
  return Adopt(gdip::GdipCreateLineBrushFromRect(&rect, colour1, colour2, mode, wrap, &made), made);
}

bool LinearGradientBrush::CreateFromRectI(const Gdiplus::Rect& rect, ARGB colour1, ARGB colour2,
                                          Gdiplus::LinearGradientMode mode, Gdiplus::WrapMode wrap) {
  Gdiplus::GpLineGradient* made = nullptr;
  return Adopt(gdip::GdipCreateLineBrushFromRectI(&rect, colour1, colour2, mode, wrap, &made), made);
}

bool LinearGradientBrush::CreateFromRectWithAngle(const Gdiplus::RectF& rect, ARGB colour1, ARGB colour2, float angle,
                                                  bool isAngleScalable, Gdiplus::WrapMode wrap) {
  Gdiplus::GpLineGradient* made = nullptr;
  return Adopt(gdip::GdipCreateLineBrushFromRectWithAngle(&rect, colour1, colour2, angle, isAngleScalable, wrap, &made),
               made);
}

bool LinearGradientBrush::CreateFromRectWithAngleI(const Gdiplus::Rect& rect, ARGB colour1, ARGB colour2, float angle,
                                                   bool isAngleScalable, Gdiplus::WrapMode wrap) {
  Gdiplus::GpLineGradient* made = nullptr;
  return Adopt(
      gdip::GdipCreateLineBrushFromRectWithAngleI(&rect, colour1, colour2, angle, isAngleScalable, wrap, &made), made);
}

bool LinearGradientBrush::SetColours(ARGB colour1, ARGB colour2) {
  return TrackStatus(gdip::GdipSetLineColors(handle(), colour1, colour2));
}

bool LinearGradientBrush::GetColours(ARGB& colour1, ARGB& colour2) const {
  ARGB colours[2] = {0, 0};
  const bool ok = TrackStatus(gdip::GdipGetLineColors(handle(), colours));
  colour1 = colours[0];
  colour2 = colours[1];
  return ok;
}

bool LinearGradientBrush::GetRectangle(Gdiplus::RectF& rect) const {
  return TrackStatus(gdip::GdipGetLineRect(handle(), &rect));
}

bool LinearGradientBrush::GetRectangleI(Gdiplus::Rect& rect) const {
  return TrackStatus(gdip::GdipGetLineRectI(handle(), &rect));
}

bool LinearGradientBrush::SetGammaCorrection(bool use) {
  return TrackStatus(gdip::GdipSetLineGammaCorrection(handle(), use));
}

bool LinearGradientBrush::GetGammaCorrection(bool& use) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipGetLineGammaCorrection(handle(), &value));
  use = value != FALSE;
  return ok;
}

bool LinearGradientBrush::SetBlend(const std::vector<float>& factors, const std::vector<float>& positions) {
  if (!detail::BlendSizesMatch(factors, positions)) return false;
  return TrackStatus(
      gdip::GdipSetLineBlend(handle(), factors.data(), positions.data(), static_cast<INT>(factors.size())));
}

bool LinearGradientBrush::GetBlendCount(int& count) const {
  INT n = 0;
  const bool ok = TrackStatus(gdip::GdipGetLineBlendCount(handle(), &n));
  count = n;
  return ok;
}

bool LinearGradientBrush::GetBlend(std::vector<float>& factors, std::vector<float>& positions) const {
  int count = 0;
  if (!GetBlendCount(count) || !detail::PrepareBlendRead(count, factors, positions)) return false;
  return TrackStatus(gdip::GdipGetLineBlend(handle(), factors.data(), positions.data(), count));
}

bool LinearGradientBrush::SetPresetBlend(const std::vector<ARGB>& colours, const std::vector<float>& positions) {
  if (!detail::BlendSizesMatch(colours, positions)) return false;
  return TrackStatus(
      gdip::GdipSetLinePresetBlend(handle(), colours.data(), positions.data(), static_cast<INT>(colours.size())));
}

bool LinearGradientBrush::GetPresetBlendCount(int& count) const {
  INT n = 0;
  const bool ok = TrackStatus(gdip::GdipGetLinePresetBlendCount(handle(), &n));
  count = n;
  return ok;
}

bool LinearGradientBrush::GetPresetBlend(std::vector<ARGB>& colours, std::vector<float>& positions) const {
  int count = 0;
  if (!GetPresetBlendCount(count) || !detail::PrepareBlendRead(count, colours, positions)) return false;
  return TrackStatus(gdip::GdipGetLinePresetBlend(handle(), colours.data(), positions.data(), count));
}

bool LinearGradientBrush::SetSigmaBlend(float focus, float scale) {
  return TrackStatus(gdip::GdipSetLineSigmaBlend(handle(), focus, scale));
}

bool LinearGradientBrush::SetLinearBlend(float focus, float scale) {
  return TrackStatus(gdip::GdipSetLineLinearBlend(handle(), focus, scale));
}

bool LinearGradientBrush::SetWrapMode(Gdiplus::WrapMode wrap) {
  return TrackStatus(gdip::GdipSetLineWrapMode(handle(), wrap));
}

bool LinearGradientBrush::GetWrapMode(Gdiplus::WrapMode& wrap) const {
  return TrackStatus(gdip::GdipGetLineWrapMode(handle(), &wrap));
}

}  // namespace tunelark
