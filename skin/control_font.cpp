#include "skin/control_font.h"

#include "gfx/font_family.h"
#include "gfx/gdi_handles.h"

namespace tunelark {

namespace {

float EmPixels(const LOGFONTA& logfont, HFONT handle, HDC dc) {
  if (logfont.lfHeight < 0) return static_cast<float>(-logfont.lfHeight);
  // A positive height is the cell, a zero one the default: the em is the cell less its
  // internal leading.
  SelectGuard select(dc, handle);
  TEXTMETRICA metrics{};
  if (!GetTextMetricsA(dc, &metrics)) return 0;
  return static_cast<float>(metrics.tmHeight - metrics.tmInternalLeading);
}

int StyleBits(const LOGFONTA& logfont) {
  int style = Gdiplus::FontStyleRegular;
  if (logfont.lfWeight >= FW_SEMIBOLD) style |= Gdiplus::FontStyleBold;
  if (logfont.lfItalic) style |= Gdiplus::FontStyleItalic;
  if (logfont.lfUnderline) style |= Gdiplus::FontStyleUnderline;
  if (logfont.lfStrikeOut) style |= Gdiplus::FontStyleStrikeout;
  return style;
}

}  // namespace

ControlFont ReadControlFont(HWND control, HFONT fallback) {
  ControlFont out;
  WindowDC dc(control);
  HFONT handle = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  if (!handle) handle = fallback;
  if (!handle && dc) handle = static_cast<HFONT>(GetCurrentObject(dc.get(), OBJ_FONT));
  LOGFONTA logfont{};
  if (!handle || !dc || GetObjectA(handle, sizeof logfont, &logfont) == 0) return out;
  if (const float em = EmPixels(logfont, handle, dc.get()); em >= 1) out.emPixels = em;
  out.style = StyleBits(logfont);
  // The face GDI+ finds for it (a substitute's own name where the face is replaced).
  Font font;
  FontFamily family;
  if (font.CreateFromLogfontA(logfont, dc.get()) && font.GetFamily(family)) {
    std::string face = family.GetFamilyName();
    if (!face.empty()) out.face = std::move(face);
  } else if (logfont.lfFaceName[0]) {
    out.face = logfont.lfFaceName;
  }
  return out;
}

bool MakeControlFont(const ControlFont& font, Font& out) {
  if (out.CreateFromFamilyName(font.face, font.emPixels, font.style, Gdiplus::UnitPixel)) return true;
  FontFamily family;
  return family.CreateGenericSansSerif() && out.Create(family, font.emPixels, font.style, Gdiplus::UnitPixel);
}

}  // namespace tunelark
