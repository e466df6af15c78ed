#include "app/program_paths.h"

#include <windows.h>

namespace tunelark {

std::string ProgramDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  // The file name never contains a backslash, and a trail byte of a double-byte character
  // can be 0x5C, so walk the text by characters rather than searching from the end.
  size_t lastSep = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;
    } else if (path[i] == '\\' || path[i] == '/') {
      lastSep = i;
    }
  }
  return lastSep == std::string::npos ? std::string() : path.substr(0, lastSep);
}

std::string DownloadFolderPath() { return ProgramDirectory() + "\\酷狗下载库"; }

void CreateDownloadFolder() { CreateDirectoryA(DownloadFolderPath().c_str(), nullptr); }

}  // namespace tunelark
