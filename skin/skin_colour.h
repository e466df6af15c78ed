// Colour conversion between COLORREF (0x00BBGGRR, what skin records and window properties
// hold) and ARGB (0xAARRGGBB, what GDI+ takes).
#pragma once
#include <windows.h>

#include <cstdint>

namespace tunelark {

// Exchanges red and blue of c and puts alpha into the top byte when alphaGiven, else 255.
constexpr uint32_t ToArgb(COLORREF c, int alpha, bool alphaGiven) {
  uint32_t a = alphaGiven ? static_cast<uint32_t>(alpha) & 0xFFu : 0xFFu;
  return (a << 24) | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

struct ColorrefAndAlpha {
  COLORREF colour;
  int alpha;
};

// The alpha byte comes back separately; red and blue are exchanged back.
constexpr ColorrefAndAlpha ToColorref(uint32_t argb) {
  return {((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu), static_cast<int>(argb >> 24)};
}

}  // namespace tunelark
