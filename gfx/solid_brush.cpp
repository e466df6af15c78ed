#include "gfx/brushes.h"

namespace tunelark {

bool SolidBrush::Create(Gdiplus::ARGB colour) {
  Gdiplus::GpSolidFill* made = nullptr;
  return Adopt(gdip::GdipCreateSolidFill(colour, &made), made);
}

bool SolidBrush::SetColour(Gdiplus::ARGB colour) { return TrackStatus(gdip::GdipSetSolidFillColor(handle(), colour)); }

bool SolidBrush::GetColour(Gdiplus::ARGB& colour) const {
  return TrackStatus(gdip::GdipGetSolidFillColor(handle(), &colour));
}

}  // namespace tunelark
