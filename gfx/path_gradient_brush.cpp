#include "gfx/blend_arrays.h"
#include "gfx/brushes.h"
#include "gfx/counted_arrays.h"
#include "gfx/graphics_path.h"

namespace tunelark {

using Gdiplus::ARGB;

bool PathGradientBrush::CreateFromPoints(const std::vector<Gdiplus::PointF>& points, Gdiplus::WrapMode wrap) {
  if (!detail::Countable(points, 2)) return false;
  Gdiplus::GpPathGradient* made = nullptr;
  return Adopt(gdip::GdipCreatePathGradient(points.data(), detail::Count(points), wrap, &made), made);
}

bool PathGradientBrush::CreateFromPointsI(const std::vector<Gdiplus::Point>& points, Gdiplus::WrapMode wrap) {
  if (!detail::Countable(points, 2)) return false;
  Gdiplus::GpPathGradient* made = nullptr;
  return Adopt(gdip::GdipCreatePathGradientI(points.data(), detail::Count(points), wrap, &made), made);
}

bool PathGradientBrush::CreateFromPath(const GraphicsPath& path) {
  Gdiplus::GpPathGradient* made = nullptr;
  return Adopt(gdip::GdipCreatePathGradientFromPath(path.handle(), &made), made);
}

bool PathGradientBrush::SetCentreColour(ARGB colour) {
  return TrackStatus(gdip::GdipSetPathGradientCenterColor(handle(), colour));
}

bool PathGradientBrush::GetCentreColour(ARGB& colour) const {
  return TrackStatus(gdip::GdipGetPathGradientCenterColor(handle(), &colour));
}

bool PathGradientBrush::GetPointCount(int& count) const {
  INT n = 0;
  const bool ok = TrackStatus(gdip::GdipGetPathGradientPointCount(handle(), &n));
  count = n;
  return ok;
}

bool PathGradientBrush::GetSurroundColourCount(int& count) const {
  INT n = 0;
  const bool ok = TrackStatus(gdip::GdipGetPathGradientSurroundColorCount(handle(), &n));
  count = n;
  return ok;
}

bool PathGradientBrush::SetSurroundColours(const std::vector<ARGB>& colours) {
  if (!detail::Countable(colours)) return false;
  INT count = detail::Count(colours);
  return TrackStatus(gdip::GdipSetPathGradientSurroundColorsWithCount(handle(), colours.data(), &count));
}

bool PathGradientBrush::GetSurroundColours(std::vector<ARGB>& colours) const {
  int count = 0;
  if (!GetSurroundColourCount(count) || !detail::ReportedCountOk(count)) return false;
  colours.assign(static_cast<size_t>(count), 0);
  INT n = count;
  const bool ok = TrackStatus(gdip::GdipGetPathGradientSurroundColorsWithCount(handle(), colours.data(), &n));
  if (n >= 0 && n < count) colours.resize(static_cast<size_t>(n));
  return ok;
}

bool PathGradientBrush::SetPath(const GraphicsPath& path) {
  return TrackStatus(gdip::GdipSetPathGradientPath(handle(), path.handle()));
}

bool PathGradientBrush::GetPath(GraphicsPath& path) const {
  return TrackStatus(gdip::GdipGetPathGradientPath(handle(), path.handle()));
}

bool PathGradientBrush::SetCentrePoint(const Gdiplus::PointF& point) {
  return TrackStatus(gdip::GdipSetPathGradientCenterPoint(handle(), &point));
}

bool PathGradientBrush::SetCentrePointI(const Gdiplus::Point& point) {
  return TrackStatus(gdip::GdipSetPathGradientCenterPointI(handle(), &point));
}

bool PathGradientBrush::GetCentrePoint(Gdiplus::PointF& point) const {
  return TrackStatus(gdip::GdipGetPathGradientCenterPoint(handle(), &point));
}

bool PathGradientBrush::GetCentrePointI(Gdiplus::Point& point) const {
  return TrackStatus(gdip::GdipGetPathGradientCenterPointI(handle(), &point));
}

bool PathGradientBrush::GetRectangle(Gdiplus::RectF& rect) const {
  return TrackStatus(gdip::GdipGetPathGradientRect(handle(), &rect));
}

bool PathGradientBrush::GetRectangleI(Gdiplus::Rect& rect) const {
  return TrackStatus(gdip::GdipGetPathGradientRectI(handle(), &rect));
}

bool PathGradientBrush::SetGammaCorrection(bool use) {
  return TrackStatus(gdip::GdipSetPathGradientGammaCorrection(handle(), use));
}

bool PathGradientBrush::GetGammaCorrection(bool& use) const {
  BOOL value = FALSE;
  const bool ok = TrackStatus(gdip::GdipGetPathGradientGammaCorrection(handle(), &value));
  use = value != FALSE;
  return ok;
}

bool PathGradientBrush::GetBlendCount(int& count) const {
  INT n = 0;
  const bool ok = TrackStatus(gdip::GdipGetPathGradientBlendCount(handle(), &n));
  count = n;
  return ok;
}

bool PathGradientBrush::SetBlend(const std::vector<float>& factors, const std::vector<float>& positions) {
  if (!detail::BlendSizesMatch(factors, positions)) return false;
  return TrackStatus(
      gdip::GdipSetPathGradientBlend(handle(), factors.data(), positions.data(), static_cast<INT>(factors.size())));
}

bool PathGradientBrush::GetBlend(std::vector<float>& factors, std::vector<float>& positions) const {
  int count = 0;
  if (!GetBlendCount(count) || !detail::PrepareBlendRead(count, factors, positions)) return false;
  return TrackStatus(gdip::GdipGetPathGradientBlend(handle(), factors.data(), positions.data(), count));
}

bool PathGradientBrush::GetPresetBlendCount(int& count) const {
  INT n = 0;
  const bool ok = TrackStatus(gdip::GdipGetPathGradientPresetBlendCount(handle(), &n));
  count = n;
  return ok;
}

bool PathGradientBrush::SetPresetBlend(const std::vector<ARGB>& colours, const std::vector<float>& positions) {
  if (!detail::BlendSizesMatch(colours, positions)) return false;
  return TrackStatus(gdip::GdipSetPathGradientPresetBlend(handle(), colours.data(), positions.data(),
                                                          static_cast<INT>(colours.size())));
}

bool PathGradientBrush::GetPresetBlend(std::vector<ARGB>& colours, std::vector<float>& positions) const {
  int count = 0;
  if (!GetPresetBlendCount(count) || !detail::PrepareBlendRead(count, colours, positions)) return false;
  return TrackStatus(gdip::GdipGetPathGradientPresetBlend(handle(), colours.data(), positions.data(), count));
}

bool PathGradientBrush::SetSigmaBlend(float focus, float scale) {
  return TrackStatus(gdip::GdipSetPathGradientSigmaBlend(handle(), focus, scale));
}

bool PathGradientBrush::SetLinearBlend(float focus, float scale) {
  return TrackStatus(gdip::GdipSetPathGradientLinearBlend(handle(), focus, scale));
}

bool PathGradientBrush::GetFocusScales(float& x, float& y) const {
  return TrackStatus(gdip::GdipGetPathGradientFocusScales(handle(), &x, &y));
}

bool PathGradientBrush::SetFocusScales(float x, float y) {
  return TrackStatus(gdip::GdipSetPathGradientFocusScales(handle(), x, y));
}

bool PathGradientBrush::SetWrapMode(Gdiplus::WrapMode wrap) {
  return TrackStatus(gdip::GdipSetPathGradientWrapMode(handle(), wrap));
}

bool PathGradientBrush::GetWrapMode(Gdiplus::WrapMode& wrap) const {
  return TrackStatus(gdip::GdipGetPathGradientWrapMode(handle(), &wrap));
}

}  // namespace tunelark
