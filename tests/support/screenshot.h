// Captures what the screen shows of a window into a 32-bit top-down pixel buffer, reads
// pixels from it, and saves it as PNG (through GDI+).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tltest {

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row-major from the top

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // Saves as PNG; returns false on failure.
  bool SavePng(const std::string& path) const;
};

// The window's on-screen rectangle as the screen shows it now.
Capture CaptureWindow(HWND window);

// True when the two colours differ by at most tolerance in each channel.
bool ColourNear(uint32_t a, uint32_t b, int tolerance);

}  // namespace tltest
