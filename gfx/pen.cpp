#include "gfx/pen.h"

#include "gfx/counted_arrays.h"

namespace tunelark {

namespace {

// Reads one of a pen's float arrays (dashes or compound stripes): its count, then the values
// (none when the count is 0).
template <typename CountFn, typename ReadFn>
bool ReadPenArray(Gdiplus::GpPen* pen, std::vector<float>& values, CountFn getCount, ReadFn read) {
  INT count = 0;
  if (!TrackStatus(getCount(pen, &count)) || !detail::ReportedCountOk(count)) return false;
  values.assign(static_cast<size_t>(count), 0.0f);
  if (count == 0) return true;
  return TrackStatus(read(pen, values.data(), count));
}

}  // namespace

bool Pen::Create(Gdiplus::ARGB colour, float width, Gdiplus::Unit unit) {
  Gdiplus::GpPen* made = nullptr;
  return Adopt(gdip::GdipCreatePen1(colour, width, unit, &made), made);
}

bool Pen::CreateFromBrush(BrushRef brush, float width, Gdiplus::Unit unit) {
  Gdiplus::GpPen* made = nullptr;
  return Adopt(gdip::GdipCreatePen2(brush.handle, width, unit, &made), made);
}

bool Pen::Clone(Pen& into) const {
  Gdiplus::GpPen* made = nullptr;
  return into.Adopt(gdip::GdipClonePen(handle(), &made), made);
}

bool Pen::SetWidth(float width) { return TrackStatus(gdip::GdipSetPenWidth(handle(), width)); }
bool Pen::GetWidth(float& width) const { return TrackStatus(gdip::GdipGetPenWidth(handle(), &width)); }
bool Pen::SetUnit(Gdiplus::Unit unit) { return TrackStatus(gdip::GdipSetPenUnit(handle(), unit)); }
bool Pen::GetUnit(Gdiplus::Unit& unit) const { return TrackStatus(gdip::GdipGetPenUnit(handle(), &unit)); }

bool Pen::SetLineCap(Gdiplus::LineCap start, Gdiplus::LineCap end, Gdiplus::DashCap dash) {
  return TrackStatus(gdip::GdipSetPenLineCap197819(handle(), start, end, dash));
}

bool Pen::SetStartCap(Gdiplus::LineCap cap) { return TrackStatus(gdip::GdipSetPenStartCap(handle(), cap)); }
bool Pen::GetStartCap(Gdiplus::LineCap& cap) const { return TrackStatus(gdip::GdipGetPenStartCap(handle(), &cap)); }
bool Pen::SetEndCap(Gdiplus::LineCap cap) { return TrackStatus(gdip::GdipSetPenEndCap(handle(), cap)); }
bool Pen::GetEndCap(Gdiplus::LineCap& cap) const { return TrackStatus(gdip::GdipGetPenEndCap(handle(), &cap)); }
bool Pen::SetDashCap(Gdiplus::DashCap cap) { return TrackStatus(gdip::GdipSetPenDashCap197819(handle(), cap)); }
bool Pen::GetDashCap(Gdiplus::DashCap& cap) const { return TrackStatus(gdip::GdipGetPenDashCap197819(handle(), &cap)); }
bool Pen::SetLineJoin(Gdiplus::LineJoin join) { return TrackStatus(gdip::GdipSetPenLineJoin(handle(), join)); }
bool Pen::GetLineJoin(Gdiplus::LineJoin& join) const { return TrackStatus(gdip::GdipGetPenLineJoin(handle(), &join)); }
bool Pen::SetMiterLimit(float limit) { return TrackStatus(gdip::GdipSetPenMiterLimit(handle(), limit)); }
bool Pen::GetMiterLimit(float& limit) const { return TrackStatus(gdip::GdipGetPenMiterLimit(handle(), &limit)); }
bool Pen::SetAlignment(Gdiplus::PenAlignment alignment) {
  return TrackStatus(gdip::GdipSetPenMode(handle(), alignment));
}
bool Pen::GetAlignment(Gdiplus::PenAlignment& alignment) const {
  return TrackStatus(gdip::GdipGetPenMode(handle(), &alignment));
}

bool Pen::SetColour(Gdiplus::ARGB colour) { return TrackStatus(gdip::GdipSetPenColor(handle(), colour)); }
bool Pen::GetColour(Gdiplus::ARGB& colour) const { return TrackStatus(gdip::GdipGetPenColor(handle(), &colour)); }
bool Pen::SetBrush(BrushRef brush) { return TrackStatus(gdip::GdipSetPenBrushFill(handle(), brush.handle)); }
bool Pen::GetFillType(Gdiplus::PenType& type) const { return TrackStatus(gdip::GdipGetPenFillType(handle(), &type)); }
bool Pen::SetDashStyle(Gdiplus::DashStyle style) { return TrackStatus(gdip::GdipSetPenDashStyle(handle(), style)); }
bool Pen::GetDashStyle(Gdiplus::DashStyle& style) const {
  return TrackStatus(gdip::GdipGetPenDashStyle(handle(), &style));
}
bool Pen::SetDashOffset(float offset) { return TrackStatus(gdip::GdipSetPenDashOffset(handle(), offset)); }
bool Pen::GetDashOffset(float& offset) const { return TrackStatus(gdip::GdipGetPenDashOffset(handle(), &offset)); }

bool Pen::SetDashArray(const std::vector<float>& dashes) {
  if (!detail::Countable(dashes)) return false;
  return TrackStatus(gdip::GdipSetPenDashArray(handle(), dashes.data(), detail::Count(dashes)));
}

bool Pen::GetDashArray(std::vector<float>& dashes) const {
  return ReadPenArray(handle(), dashes, gdip::GdipGetPenDashCount, gdip::GdipGetPenDashArray);
}

bool Pen::SetCompoundArray(const std::vector<float>& compound) {
  if (!detail::Countable(compound)) return false;
  return TrackStatus(gdip::GdipSetPenCompoundArray(handle(), compound.data(), detail::Count(compound)));
}

bool Pen::GetCompoundArray(std::vector<float>& compound) const {
  return ReadPenArray(handle(), compound, gdip::GdipGetPenCompoundCount, gdip::GdipGetPenCompoundArray);
}

}  // namespace tunelark
