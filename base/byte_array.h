// The byte array used for HTTP bodies, song files and embedded pictures.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tunelark {

using ByteArray = std::vector<unsigned char>;

inline ByteArray ToBytes(const std::string& text) { return ByteArray(text.begin(), text.end()); }
inline std::string ToText(const ByteArray& bytes) { return std::string(bytes.begin(), bytes.end()); }
// The bytes seen as text, without a copy (valid while the array is unchanged).
inline std::string_view AsText(const ByteArray& bytes) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace tunelark
