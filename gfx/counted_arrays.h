// Checks on the lengths of the arrays the graphics layer hands to GDI+ or sizes from a count
// GDI+ reports. Lists going in must hold at least a minimum number of items and be countable
// in an INT; counts coming back must be sane before a vector is sized by them.
#pragma once
#include <cstddef>
#include <vector>

#include "gfx/gdiplus_api.h"

namespace tunelark::detail {

// The most items an array handed to or read from GDI+ may hold.
inline constexpr size_t kMaxArrayCount = 0x7FFFFFF;

// values has at least minimum items and no more than kMaxArrayCount; otherwise
// lastGdiplusStatus = InvalidParameter and false.
template <typename T>
bool Countable(const std::vector<T>& values, size_t minimum = 1) {
  if (values.size() < minimum || values.size() > kMaxArrayCount) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  return true;
}

// The item count of a list that passed Countable, as GDI+ takes it.
template <typename T>
INT Count(const std::vector<T>& values) {
  return static_cast<INT>(values.size());
}

// count (reported by GDI+) may size a vector; otherwise lastGdiplusStatus = GenericError and false.
inline bool ReportedCountOk(INT count) {
  if (count < 0 || static_cast<size_t>(count) > kMaxArrayCount) {
    lastGdiplusStatus = Gdiplus::GenericError;
    return false;
  }
  return true;
}

}  // namespace tunelark::detail
