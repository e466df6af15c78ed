// Conversions between code page 936 texts (the program's narrow texts) and the UTF-16
// strings that GDI+ and COM take. Each call converts into its own buffer: no shared state.
#pragma once
#include <string>
#include <string_view>

namespace tunelark {

// Code page (CP_ACP) text to UTF-16; an empty text gives an empty string.
std::wstring ToWide(std::string_view text);
// UTF-16 to code page (CP_ACP) text.
std::string FromWide(std::wstring_view text);

}  // namespace tunelark
