#include "gfx/font_family.h"

#include "gfx/font_collection.h"
#include "gfx/wide_text.h"

namespace tunelark {

bool FontFamily::CreateFromName(std::string_view name, const FontCollection* collection) {
  return CreateFromNameW(ToWide(name), collection);
}

bool FontFamily::CreateFromNameW(std::wstring_view name, const FontCollection* collection) {
  const std::wstring text(name);  // NUL-terminated copy
  Gdiplus::GpFontFamily* made = nullptr;
  return Adopt(gdip::GdipCreateFontFamilyFromName(text.c_str(), collection ? collection->handle() : nullptr, &made),
               made);
}

bool FontFamily::CreateGenericSansSerif() {
  Gdiplus::GpFontFamily* made = nullptr;
  return Adopt(gdip::GdipGetGenericFontFamilySansSerif(&made), made);
}

bool FontFamily::CreateGenericSerif() {
  Gdiplus::GpFontFamily* made = nullptr;
  return Adopt(gdip::GdipGetGenericFontFamilySerif(&made), made);
}

bool FontFamily::CreateGenericMonospace() {
  Gdiplus::GpFontFamily* made = nullptr;
  return Adopt(gdip::GdipGetGenericFontFamilyMonospace(&made), made);
}

bool FontFamily::Clone(FontFamily& into) const {
  Gdiplus::GpFontFamily* made = nullptr;
  return into.Adopt(gdip::GdipCloneFontFamily(handle(), &made), made);
}

std::wstring FontFamily::GetFamilyNameW(LANGID language) const {
  WCHAR name[LF_FACESIZE] = {};
  if (!TrackStatus(gdip::GdipGetFamilyName(handle(), name, language))) return {};
  name[LF_FACESIZE - 1] = L'\0';
  return name;
}

std::string FontFamily::GetFamilyName(LANGID language) const { return FromWide(GetFamilyNameW(language)); }

bool FontFamily::IsStyleAvailable(int style, bool& available) const {
  BOOL result = FALSE;
  const bool ok = TrackStatus(gdip::GdipIsStyleAvailable(handle(), style, &result));
  available = result != FALSE;
  return ok;
}

bool FontFamily::GetEmHeight(int style, UINT16& height) const {
  return TrackStatus(gdip::GdipGetEmHeight(handle(), style, &height));
}

bool FontFamily::GetCellAscent(int style, UINT16& ascent) const {
  return TrackStatus(gdip::GdipGetCellAscent(handle(), style, &ascent));
}

bool FontFamily::GetCellDescent(int style, UINT16& descent) const {
  return TrackStatus(gdip::GdipGetCellDescent(handle(), style, &descent));
}

bool FontFamily::GetLineSpacing(int style, UINT16& spacing) const {
  return TrackStatus(gdip::GdipGetLineSpacing(handle(), style, &spacing));
}

}  // namespace tunelark
