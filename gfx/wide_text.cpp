#include "gfx/wide_text.h"

#include <windows.h>

#include "base/code_page.h"

namespace tunelark {

std::wstring ToWide(std::string_view text) { return DecodeText(text, CP_ACP); }

std::string FromWide(std::wstring_view text) { return EncodeText(text, CP_ACP); }

}  // namespace tunelark
