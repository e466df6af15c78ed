// Conversions between the narrow texts the GDI+ layer takes (file, font and codec names in
// the system's ANSI code page, as the platform's "A" functions read them) and the UTF-16
// strings that GDI+ takes, through the program's one conversion (base/code_page.h).
#pragma once
#include <string>
#include <string_view>

namespace tunelark {

// ANSI code page (CP_ACP) text to UTF-16; an empty text gives an empty string.
std::wstring ToWide(std::string_view text);
// UTF-16 to ANSI code page (CP_ACP) text.
std::string FromWide(std::wstring_view text);

}  // namespace tunelark
