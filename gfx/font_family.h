// FontFamily: an owned GDI+ font family, found by a code page 936 or UTF-16 name (in the
// installed fonts or a FontCollection) or as one of the generic families; reads back its
// name and design metrics.
#pragma once
#include <string>
#include <string_view>

#include "gfx/gdiplus_object.h"

namespace tunelark {

class FontCollection;

class FontFamily : public GdiplusObject<Gdiplus::GpFontFamily, &gdip::GdipDeleteFontFamily> {
 public:
  using GdiplusObject::GdiplusObject;

  bool CreateFromName(std::string_view name, const FontCollection* collection = nullptr);
  bool CreateFromNameW(std::wstring_view name, const FontCollection* collection = nullptr);
  bool CreateGenericSansSerif();
  bool CreateGenericSerif();
  bool CreateGenericMonospace();
  bool Clone(FontFamily& into) const;

  // Family name as a code page 936 text / as UTF-16; empty on failure.
  std::string GetFamilyName(LANGID language = 0) const;
  std::wstring GetFamilyNameW(LANGID language = 0) const;
  bool IsStyleAvailable(int style, bool& available) const;
  bool GetEmHeight(int style, UINT16& height) const;
  bool GetCellAscent(int style, UINT16& ascent) const;
  bool GetCellDescent(int style, UINT16& descent) const;
  bool GetLineSpacing(int style, UINT16& spacing) const;
};

}  // namespace tunelark
