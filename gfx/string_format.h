// StringFormat: an owned GDI+ string format (flags, alignments, trimming, hot-key prefix,
// tab stops, digit substitution, measurable character ranges).
#pragma once
#include <vector>

#include "gfx/gdiplus_object.h"

namespace tunelark {

class StringFormat : public GdiplusObject<Gdiplus::GpStringFormat, &gdip::GdipDeleteStringFormat> {
 public:
  using GdiplusObject::GdiplusObject;

  bool Create(int flags = 0, LANGID language = 0);
  bool CreateGenericDefault();
  bool CreateGenericTypographic();
  bool Clone(StringFormat& into) const;

  bool SetFlags(int flags);
  bool GetFlags(int& flags) const;
  bool SetAlignment(Gdiplus::StringAlignment alignment);
  bool GetAlignment(Gdiplus::StringAlignment& alignment) const;
  bool SetLineAlignment(Gdiplus::StringAlignment alignment);
  bool GetLineAlignment(Gdiplus::StringAlignment& alignment) const;
  bool SetTrimming(Gdiplus::StringTrimming trimming);
  bool GetTrimming(Gdiplus::StringTrimming& trimming) const;
  bool SetHotkeyPrefix(int prefix);  // Gdiplus::HotkeyPrefix values
  bool GetHotkeyPrefix(int& prefix) const;
  bool SetTabStops(float firstOffset, const std::vector<float>& stops);
  bool GetTabStops(float& firstOffset, std::vector<float>& stops) const;
  bool SetDigitSubstitution(LANGID language, Gdiplus::StringDigitSubstitute substitute);
  bool GetDigitSubstitution(LANGID& language, Gdiplus::StringDigitSubstitute& substitute) const;
  bool SetMeasurableCharacterRanges(const std::vector<Gdiplus::CharacterRange>& ranges);
  bool GetMeasurableCharacterRangeCount(int& count) const;
};

}  // namespace tunelark
