// The byte array used for HTTP bodies, song files and embedded pictures.
#pragma once
#include <string>
#include <vector>

namespace tunelark {

using ByteArray = std::vector<unsigned char>;

inline ByteArray ToBytes(const std::string& text) { return ByteArray(text.begin(), text.end()); }
inline std::string ToText(const ByteArray& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace tunelark
