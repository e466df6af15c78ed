#include "gfx/string_format.h"

namespace tunelark {

bool StringFormat::Create(int flags, LANGID language) {
  Gdiplus::GpStringFormat* made = nullptr;
  return Adopt(gdip::GdipCreateStringFormat(flags, language, &made), made);
}

// The generic formats are shared by GDI+; each object holds its own clone so that changing
// or deleting it never touches the shared one.
bool StringFormat::CreateGenericDefault() {
  Gdiplus::GpStringFormat* shared = nullptr;
  if (!TrackStatus(gdip::GdipStringFormatGetGenericDefault(&shared))) return false;
  Gdiplus::GpStringFormat* made = nullptr;
  return Adopt(gdip::GdipCloneStringFormat(shared, &made), made);
}

bool StringFormat::CreateGenericTypographic() {
  Gdiplus::GpStringFormat* shared = nullptr;
  if (!TrackStatus(gdip::GdipStringFormatGetGenericTypographic(&shared))) return false;
  Gdiplus::GpStringFormat* made = nullptr;
  return Adopt(gdip::GdipCloneStringFormat(shared, &made), made);
}

bool StringFormat::Clone(StringFormat& into) const {
  Gdiplus::GpStringFormat* made = nullptr;
  return into.Adopt(gdip::GdipCloneStringFormat(handle(), &made), made);
}

bool StringFormat::SetFlags(int flags) { return TrackStatus(gdip::GdipSetStringFormatFlags(handle(), flags)); }

bool StringFormat::GetFlags(int& flags) const {
  INT value = 0;
  const bool ok = TrackStatus(gdip::GdipGetStringFormatFlags(handle(), &value));
  flags = value;
  return ok;
}

bool StringFormat::SetAlignment(Gdiplus::StringAlignment alignment) {
  return TrackStatus(gdip::GdipSetStringFormatAlign(handle(), alignment));
}

bool StringFormat::GetAlignment(Gdiplus::StringAlignment& alignment) const {
  return TrackStatus(gdip::GdipGetStringFormatAlign(handle(), &alignment));
}

bool StringFormat::SetLineAlignment(Gdiplus::StringAlignment alignment) {
  return TrackStatus(gdip::GdipSetStringFormatLineAlign(handle(), alignment));
}

bool StringFormat::GetLineAlignment(Gdiplus::StringAlignment& alignment) const {
  return TrackStatus(gdip::GdipGetStringFormatLineAlign(handle(), &alignment));
}

bool StringFormat::SetTrimming(Gdiplus::StringTrimming trimming) {
  return TrackStatus(gdip::GdipSetStringFormatTrimming(handle(), trimming));
}

bool StringFormat::GetTrimming(Gdiplus::StringTrimming& trimming) const {
  return TrackStatus(gdip::GdipGetStringFormatTrimming(handle(), &trimming));
}

bool StringFormat::SetHotkeyPrefix(int prefix) {
  return TrackStatus(gdip::GdipSetStringFormatHotkeyPrefix(handle(), prefix));
}

bool StringFormat::GetHotkeyPrefix(int& prefix) const {
  INT value = 0;
  const bool ok = TrackStatus(gdip::GdipGetStringFormatHotkeyPrefix(handle(), &value));
  prefix = value;
  return ok;
}

bool StringFormat::SetTabStops(float firstOffset, const std::vector<float>& stops) {
  if (stops.size() > 0xFFFF) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  return TrackStatus(
      gdip::GdipSetStringFormatTabStops(handle(), firstOffset, static_cast<INT>(stops.size()), stops.data()));
}

bool StringFormat::GetTabStops(float& firstOffset, std::vector<float>& stops) const {
  INT count = 0;
  if (!TrackStatus(gdip::GdipGetStringFormatTabStopCount(handle(), &count))) return false;
  if (count < 0 || count > 0xFFFF) {
    lastGdiplusStatus = Gdiplus::GenericError;
    return false;
  }
  stops.assign(static_cast<size_t>(count), 0.0f);
  firstOffset = 0.0f;
  if (count == 0) return true;
  return TrackStatus(gdip::GdipGetStringFormatTabStops(handle(), count, &firstOffset, stops.data()));
}

bool StringFormat::SetDigitSubstitution(LANGID language, Gdiplus::StringDigitSubstitute substitute) {
  return TrackStatus(gdip::GdipSetStringFormatDigitSubstitution(handle(), language, substitute));
}

bool StringFormat::GetDigitSubstitution(LANGID& language, Gdiplus::StringDigitSubstitute& substitute) const {
  return TrackStatus(gdip::GdipGetStringFormatDigitSubstitution(handle(), &language, &substitute));
}

bool StringFormat::SetMeasurableCharacterRanges(const std::vector<Gdiplus::CharacterRange>& ranges) {
  if (ranges.size() > 32) {  // GDI+ limit
    lastGdiplusStatus = Gdiplus::ValueOverflow;
    return false;
  }
  return TrackStatus(
      gdip::GdipSetStringFormatMeasurableCharacterRanges(handle(), static_cast<INT>(ranges.size()), ranges.data()));
}

bool StringFormat::GetMeasurableCharacterRangeCount(int& count) const {
  INT value = 0;
  const bool ok = TrackStatus(gdip::GdipGetStringFormatMeasurableCharacterRangeCount(handle(), &value));
  count = value;
  return ok;
}

}  // namespace tunelark
