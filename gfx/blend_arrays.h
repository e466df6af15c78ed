// Checked reads and writes of the blend arrays that gradient brushes share: counts coming
// back from GDI+ size the caller's vectors, and mismatched input lengths are refused.
#pragma once
#include <vector>

#include "gfx/counted_arrays.h"
#include "gfx/gdiplus_api.h"

namespace tunelark::detail {

// factors/colours and positions must have the same, nonzero length that fits an INT.
template <typename T>
bool BlendSizesMatch(const std::vector<T>& values, const std::vector<float>& positions) {
  if (values.empty() || values.size() != positions.size() || values.size() > kMaxArrayCount) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  return true;
}

// Sizes both vectors to count (when count is sane) before a GDI+ read.
template <typename T>
bool PrepareBlendRead(INT count, std::vector<T>& values, std::vector<float>& positions) {
  if (!ReportedCountOk(count)) return false;
  values.assign(static_cast<size_t>(count), T{});
  positions.assign(static_cast<size_t>(count), 0.0f);
  return true;
}

}  // namespace tunelark::detail
