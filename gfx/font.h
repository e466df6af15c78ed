// Font: an owned GDI+ font, made from a family object, a family name (code page 936 or
// UTF-16), the default GUI font, a GDI font handle, a device context's font or a LOGFONT;
// reads back its LOGFONT, family, style, size, unit and height.
#pragma once
#include <string_view>

#include "gfx/gdiplus_object.h"

namespace tunelark {

class FontFamily;
class Graphics;

class Font : public GdiplusObject<Gdiplus::GpFont, &gdip::GdipDeleteFont> {
 public:
  using GdiplusObject::GdiplusObject;

  bool Create(const FontFamily& family, float size, int style = Gdiplus::FontStyleRegular,
              Gdiplus::Unit unit = Gdiplus::UnitPoint);
  // DEFAULT_GUI_FONT through its LOGFONTA on a screen device context.
  bool CreateFromDefaultGuiFont();
  // A temporary family of that name (installed fonts); the status is GdipCreateFont's, or
  // the family's when no family of that name exists.
  bool CreateFromFamilyName(std::string_view name, float size, int style = Gdiplus::FontStyleRegular,
                            Gdiplus::Unit unit = Gdiplus::UnitPoint);
  bool CreateFromFamilyNameW(std::wstring_view name, float size, int style = Gdiplus::FontStyleRegular,
                             Gdiplus::Unit unit = Gdiplus::UnitPoint);
  // The font selected into dc.
  bool CreateFromDC(HDC dc);
  // A GDI font handle, through its LOGFONTA; dc null means a screen device context.
  bool CreateFromHfont(HFONT font, HDC dc = nullptr);
  bool CreateFromLogfontA(const LOGFONTA& logfont, HDC dc = nullptr);
  bool CreateFromLogfontW(const LOGFONTW& logfont, HDC dc = nullptr);
  bool Clone(Font& into) const;

  bool GetLogfontA(const Graphics& graphics, LOGFONTA& logfont) const;
  bool GetLogfontW(const Graphics& graphics, LOGFONTW& logfont) const;
  bool GetFamily(FontFamily& family) const;
  bool GetStyle(int& style) const;
  bool GetSize(float& size) const;
  bool GetUnit(Gdiplus::Unit& unit) const;
  bool GetHeight(const Graphics* graphics, float& height) const;
  bool GetHeightGivenDpi(float dpi, float& height) const;
};

}  // namespace tunelark
