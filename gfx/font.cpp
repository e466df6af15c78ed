#include "gfx/font.h"

#include "gfx/font_family.h"
#include "gfx/gdi_handles.h"
#include "gfx/graphics.h"
#include "gfx/wide_text.h"

namespace tunelark {

bool Font::Create(const FontFamily& family, float size, int style, Gdiplus::Unit unit) {
  Gdiplus::GpFont* made = nullptr;
  return Adopt(gdip::GdipCreateFont(family.handle(), size, style, unit, &made), made);
}

bool Font::CreateFromDefaultGuiFont() { return CreateFromHfont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))); }

bool Font::CreateFromFamilyName(std::string_view name, float size, int style, Gdiplus::Unit unit) {
  return CreateFromFamilyNameW(ToWide(name), size, style, unit);
}

bool Font::CreateFromFamilyNameW(std::wstring_view name, float size, int style, Gdiplus::Unit unit) {
  FontFamily family;
  if (!family.CreateFromNameW(name)) return false;
  return Create(family, size, style, unit);  // the temporary family is deleted on return
}

bool Font::CreateFromDC(HDC dc) {
  Gdiplus::GpFont* made = nullptr;
  return Adopt(gdip::GdipCreateFontFromDC(dc, &made), made);
}

bool Font::CreateFromHfont(HFONT font, HDC dc) {
  LOGFONTA logfont{};
  if (!font || GetObjectA(font, sizeof logfont, &logfont) == 0) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  return CreateFromLogfontA(logfont, dc);
}

bool Font::CreateFromLogfontA(const LOGFONTA& logfont, HDC dc) {
  Gdiplus::GpFont* made = nullptr;
  if (dc) return Adopt(gdip::GdipCreateFontFromLogfontA(dc, const_cast<LOGFONTA*>(&logfont), &made), made);
  WindowDC screen(nullptr);
  return Adopt(gdip::GdipCreateFontFromLogfontA(screen.get(), const_cast<LOGFONTA*>(&logfont), &made), made);
}

bool Font::CreateFromLogfontW(const LOGFONTW& logfont, HDC dc) {
  Gdiplus::GpFont* made = nullptr;
  if (dc) return Adopt(gdip::GdipCreateFontFromLogfontW(dc, const_cast<LOGFONTW*>(&logfont), &made), made);
  WindowDC screen(nullptr);
  return Adopt(gdip::GdipCreateFontFromLogfontW(screen.get(), const_cast<LOGFONTW*>(&logfont), &made), made);
}

bool Font::Clone(Font& into) const {
  Gdiplus::GpFont* made = nullptr;
  return into.Adopt(gdip::GdipCloneFont(handle(), &made), made);
}

bool Font::GetLogfontA(const Graphics& graphics, LOGFONTA& logfont) const {
  return TrackStatus(gdip::GdipGetLogFontA(handle(), graphics.handle(), &logfont));
}

bool Font::GetLogfontW(const Graphics& graphics, LOGFONTW& logfont) const {
  return TrackStatus(gdip::GdipGetLogFontW(handle(), graphics.handle(), &logfont));
}

bool Font::GetFamily(FontFamily& family) const {
  Gdiplus::GpFontFamily* made = nullptr;
  return family.Adopt(gdip::GdipGetFamily(handle(), &made), made);
}

bool Font::GetStyle(int& style) const {
  INT value = 0;
  const bool ok = TrackStatus(gdip::GdipGetFontStyle(handle(), &value));
  style = value;
  return ok;
}

bool Font::GetSize(float& size) const { return TrackStatus(gdip::GdipGetFontSize(handle(), &size)); }

bool Font::GetUnit(Gdiplus::Unit& unit) const { return TrackStatus(gdip::GdipGetFontUnit(handle(), &unit)); }

bool Font::GetHeight(const Graphics* graphics, float& height) const {
  return TrackStatus(gdip::GdipGetFontHeight(handle(), graphics ? graphics->handle() : nullptr, &height));
}

bool Font::GetHeightGivenDpi(float dpi, float& height) const {
  return TrackStatus(gdip::GdipGetFontHeightGivenDPI(handle(), dpi, &height));
}

}  // namespace tunelark
