// Turns a row title from the server into a file name that is valid and harmless on
// Windows: Chinese text is kept; path separators, <>:"/\|?* and control characters become
// "_"; reserved device names (CON, NUL, COM1, ...) get a "_" in front; leading and trailing
// dots and blanks go; the length is bounded. The result never names a folder or a device.
#pragma once
#include <string>

namespace tunelark {

inline constexpr size_t kMaxSongFileNameBytes = 150;

std::string SafeSongFileName(const std::string& title);

}  // namespace tunelark
