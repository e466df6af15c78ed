// A control's GDI font as the skin's GDI+ text draws it: the face GDI+ knows it by, the em
// height in pixels and the GDI+ style bits, and the GDI+ font made from them.
//
// Size and style come from the font's LOGFONT, as GDI draws the control's own text: a
// 9-point font of lfHeight -12 has a 12-pixel em and lfWeight 0 is a regular weight. (Wine's
// GDI+ reads such a font back 13 units high and bold, which drew labels a third wider.)
#pragma once
#include <windows.h>

#include <string>

#include "gfx/font.h"

namespace tunelark {

struct ControlFont {
  std::string face = "宋体";  // code page 936
  float emPixels = 12;
  int style = 0;  // Gdiplus::FontStyle bits
};

// The font the control answers WM_GETFONT with; `fallback` when it has none; with neither,
// the font of the control's window DC. Fields that cannot be read keep their defaults.
ControlFont ReadControlFont(HWND control, HFONT fallback = nullptr);

// The GDI+ font in pixels; the generic sans-serif family when the face is not installed.
bool MakeControlFont(const ControlFont& font, Font& out);

}  // namespace tunelark
