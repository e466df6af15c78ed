#include "tests/support/pixels.h"

#include <algorithm>
#include <cstdio>

namespace tltest {

int Channel(uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

uint32_t Rgb(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

uint32_t Over(uint32_t top, double alpha, uint32_t under) {
  uint32_t out = 0;
  for (int s = 0; s <= 16; s += 8)
    out |= static_cast<uint32_t>((Channel(top, s) * alpha + Channel(under, s) * (255 - alpha)) / 255 + 0.5) << s;
  return out;
}

uint32_t Lerp(uint32_t a, uint32_t b, double t) {
  uint32_t out = 0;
  for (int s = 0; s <= 16; s += 8)
    out |= static_cast<uint32_t>(Channel(a, s) + (Channel(b, s) - Channel(a, s)) * t + 0.5) << s;
  return out;
}

bool Between(uint32_t p, uint32_t a, uint32_t b, int tolerance) {
  for (int s = 0; s <= 16; s += 8) {
    const int lo = std::min(Channel(a, s), Channel(b, s)) - tolerance;
    const int hi = std::max(Channel(a, s), Channel(b, s)) + tolerance;
    if (Channel(p, s) < lo || Channel(p, s) > hi) return false;
  }
  return true;
}

std::string Hex(uint32_t c) {
  char text[16];
  snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(c));
  return text;
}

}  // namespace tltest
