// Conversions between the program's narrow texts (code page 936 bytes), UTF-8 and the
// UTF-16 strings that the platform's wide functions, COM and GDI+ take. This is the one
// place the program converts between code pages.
//
// DecodeText/EncodeText convert every byte or character, a zero one too, so a zero can
// never cut a text short unseen; the shorthands below them treat a text as ending at its
// first zero, as the platform's narrow functions do. Characters that the target code page
// lacks become "?". Each call converts into its own buffer: no shared state.
#pragma once
#include <string>
#include <string_view>

#include "base/byte_array.h"

namespace tunelark {

inline constexpr unsigned kGbkCodePage = 936;
inline constexpr unsigned kUtf8CodePage = 65001;

// The bytes of a text in codePage as UTF-16; empty when they cannot be converted.
std::wstring DecodeText(std::string_view bytes, unsigned codePage = kGbkCodePage);
// UTF-16 as bytes of codePage; empty when it cannot be converted.
std::string EncodeText(std::wstring_view text, unsigned codePage = kGbkCodePage);
// UTF-8 bytes as code page 936 text, every byte converted.
std::string Utf8ToGbk(std::string_view utf8);

// The part of a text before its first zero.
std::string_view UpToZero(std::string_view text);
std::wstring_view UpToZero(std::wstring_view text);

// The shorthands: each text ends at its first zero.
std::wstring GbkToWide(std::string_view text);
std::string WideToGbk(std::wstring_view text);
std::string GbkToUtf8(std::string_view text);
std::string Utf8ToGbkText(const ByteArray& utf8);

}  // namespace tunelark
