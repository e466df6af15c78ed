#include "gfx/brushes.h"

namespace tunelark {

bool SolidBrush::Create(Gdiplus::ARGB colour) {
  Gdiplus::GpSolidFill* made = nullptr;
  return Adopt(gdip::GdipCreateSolidFill(colour, &made), made);
}

bool SolidBrush::Clone(SolidBrush& into) const {
  Gdiplus::GpBrush* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCloneBrush(handle(), &made);
  return into.Adopt(status, static_cast<Gdiplus::GpSolidFill*>(made));
}

bool SolidBrush::GetType(Gdiplus::BrushType& type) const {
  return TrackStatus(gdip::GdipGetBrushType(handle(), &type));
}

bool SolidBrush::SetColour(Gdiplus::ARGB colour) {
  return TrackStatus(gdip::GdipSetSolidFillColor(handle(), colour));
}

bool SolidBrush::GetColour(Gdiplus::ARGB& colour) const {
  return TrackStatus(gdip::GdipGetSolidFillColor(handle(), &colour));
}

}  // namespace tunelark
