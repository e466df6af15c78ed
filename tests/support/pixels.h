// Pixel arithmetic of the GUI tests, on colours as captures hold them (0x00RRGGBB): channels,
// a COLORREF turned around, alpha blending and the colours between two others, and a colour
// written out for failure messages.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace tltest {

// One channel: shift 16 for red, 8 for green, 0 for blue.
int Channel(uint32_t c, int shift);
// A COLORREF (0x00BBGGRR) as 0x00RRGGBB.
uint32_t Rgb(COLORREF c);
// top at alpha (0..255) over under, each channel rounded to the nearest.
uint32_t Over(uint32_t top, double alpha, uint32_t under);
// The colour t (0..1) of the way from a to b, rounded.
uint32_t Lerp(uint32_t a, uint32_t b, double t);
// p lies between a and b in every channel, give or take tolerance.
bool Between(uint32_t p, uint32_t a, uint32_t b, int tolerance);
// "#RRGGBB".
std::string Hex(uint32_t c);

}  // namespace tltest
