// Image codec helpers: GUIDs as braced upper-case texts, the installed encoders looked up by
// the exact text of their format GUID, the well-known image format texts, and the encoder
// parameter record used by the save operations.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/byte_array.h"

namespace tunelark {

// Image format GUIDs as texts (what Image::GetRawFormat reports).
inline constexpr const char* kImageFormatBmp = "{B96B3CAB-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatJpeg = "{B96B3CAE-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatPng = "{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatGif = "{B96B3CB0-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatTiff = "{B96B3CB1-0728-11D3-9D7B-0000F81EF32E}";
inline constexpr const char* kImageFormatIcon = "{B96B3CB5-0728-11D3-9D7B-0000F81EF32E}";
// Encoder parameter GUID texts.
inline constexpr const char* kEncoderQuality = "{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}";
inline constexpr const char* kEncoderSaveFlag = "{292266FC-AC40-47BF-8CFC-A85B89A655DE}";

// One encoder parameter: its GUID text, value type (Gdiplus::EncoderParameterValueType),
// value count and the raw value bytes.
struct EncoderParameter {
  std::string guid;
  int type = 0;
  int count = 0;
  ByteArray values;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case.
std::string GuidToText(const GUID& guid);
// Parses a braced GUID text; false when it is not one.
bool TextToGuid(std::string_view text, GUID& guid);
// Class identifier text of the first installed encoder whose format GUID text equals
// formatText byte for byte; empty when there is none. Needs GDI+ started.
std::string FindEncoderClsid(std::string_view formatText);

}  // namespace tunelark
