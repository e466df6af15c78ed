// The character set a page declares in a meta tag, and the conversion of a body from that
// character set to code page 936 text. The conversion uses the platform's "Adodb.Stream"
// where it can be driven, and else MLang's charset table with the code-page converters.
#pragma once
#include <string>

#include "base/byte_array.h"

namespace tunelark {

// Sub-match 1 of "<meta.+?charset=[^\w]?([-\w]+)" (case ignored) in text; empty when none.
std::string DeclaredCharset(const std::string& text);

// The bytes as code page 936 text (ending at the first zero character), converted from
// charset. False, and text untouched, when no converter knows the character set.
bool ConvertToGbk(const ByteArray& bytes, const std::string& charset, std::string& text);

// The same through one converter only (both are tried in this order by ConvertToGbk).
bool ConvertWithAdodbStream(const ByteArray& bytes, const std::string& charset, std::string& text);
bool ConvertWithMLang(const ByteArray& bytes, const std::string& charset, std::string& text);

}  // namespace tunelark
