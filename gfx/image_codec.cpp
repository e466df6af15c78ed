#include "gfx/image_codec.h"

#include <vector>

#include "gfx/gdiplus_api.h"
#include "gfx/wide_text.h"

namespace tunelark {

std::string GuidToText(const GUID& guid) {
  WCHAR wide[40] = {};
  const int n = StringFromGUID2(guid, wide, 40);
  if (n <= 1) return {};
  return FromWide(std::wstring_view(wide, static_cast<size_t>(n - 1)));
}

bool TextToGuid(std::string_view text, GUID& guid) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
  std::wstring wide = ToWide(text);
  return SUCCEEDED(CLSIDFromString(wide.data(), &guid));
}

std::string FindEncoderClsid(std::string_view formatText) {
  if (formatText.empty()) return {};
  UINT count = 0, size = 0;
  if (!TrackStatus(gdip::GdipGetImageEncodersSize(&count, &size)) || count == 0 ||
      size < count * sizeof(Gdiplus::ImageCodecInfo))
    return {};
  // The codec records and the strings they point at share one block.
  std::vector<unsigned char> block(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
  if (!TrackStatus(gdip::GdipGetImageEncoders(count, size, codecs))) return {};
  for (UINT i = 0; i < count; ++i) {
    if (GuidToText(codecs[i].FormatID) == formatText) return GuidToText(codecs[i].Clsid);
  }
  return {};
}

}  // namespace tunelark
