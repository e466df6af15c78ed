#include "app/working_set_trimmer.h"

#include <cctype>
#include <cstring>
#include <mutex>

#include "base/kernel_handles.h"

extern const unsigned char tl_tool_empty[];
extern const unsigned int tl_tool_empty_size;

namespace tunelark {

namespace {

constexpr char kToolName[] = "\\empty.exe";

// Held while the tool is being started; g_trimmingStopped refuses later starts. A process
// that exits while one of its threads is inside CreateProcess can leave the new process
// half-made and stuck for good (seen under Wine when closing the window deactivates it).
std::mutex g_startGate;
bool g_trimmingStopped = false;

std::string EnvironmentValue(const char* name) {
  std::string value(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    if (n == 0) return {};
    if (n < value.size()) {
      value.resize(n);
      return value;
    }
    value.resize(n);  // n is the size needed, terminator included
  }
}

bool IsAbsolute(const std::string& path) {
  bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
               (path[2] == '\\' || path[2] == '/');
  bool unc = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
  return drive || unc;
}

// The path without separators at its end. A trail byte of a double-byte character can be
// 0x5C, so the text is walked by characters.
std::string WithoutTrailingSeparators(const std::string& path) {
  size_t keep = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      keep = ++i + 1;
    } else if (path[i] != '\\' && path[i] != '/') {
      keep = i + 1;
    }
  }
  return path.substr(0, keep);
}

// The file at path opened for reading with writes and deletes denied, so that while the
// handle is held nobody can change or replace the file between the check and the start.
// The link itself is opened when the path is one: a link never matches the tool's bytes.
FileHandle OpenLocked(const std::string& path) {
  return FileHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

bool HoldsTool(const FileHandle& file) {
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart != tl_tool_empty_size) return false;
  ByteArray bytes(tl_tool_empty_size);
  DWORD read = 0;
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) ||
      !ReadFile(file.get(), bytes.data(), tl_tool_empty_size, &read, nullptr) || read != tl_tool_empty_size) {
    return false;
  }
  return std::memcmp(bytes.data(), tl_tool_empty, tl_tool_empty_size) == 0;
}

bool WriteAll(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), tl_tool_empty, tl_tool_empty_size, &written, nullptr) &&
         written == tl_tool_empty_size;
}

// Writes the tool under a temporary name in the folder, then moves it over path in one step:
// a trimmer on another thread sees the old file or the whole tool, never a part of it.
bool WriteTool(const std::string& folder, const std::string& path) {
  char temp[MAX_PATH];
  if (folder.size() + 14 >= MAX_PATH || !GetTempFileNameA(folder.c_str(), "tl", 0, temp)) return false;
  if (WriteAll(temp) && MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  DeleteFileA(temp);
  return false;
}

// Starts the tool hidden on pid, by its full path, and waits for its end.
void RunTool(const std::string& path, DWORD pid, TrimResult& result) {
  std::string commandLine = "\"" + path + "\" " + std::to_string(pid);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  {
    std::lock_guard<std::mutex> gate(g_startGate);
    if (g_trimmingStopped || !CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                             nullptr, &startup, &info)) {
      return;
    }
  }
  KernelHandle process(info.hProcess);
  KernelHandle thread(info.hThread);
  WaitForSingleObject(process.get(), INFINITE);
  result.ranTool = true;
  GetExitCodeProcess(process.get(), &result.toolExitCode);
}

}  // namespace

ByteArray TrimmerToolBytes() { return ByteArray(tl_tool_empty, tl_tool_empty + tl_tool_empty_size); }

std::string TrimmerToolPath() {
  std::string folder = WithoutTrailingSeparators(EnvironmentValue("windir"));
  return IsAbsolute(folder + "\\") ? folder + kToolName : std::string();
}

TrimResult TrimWorkingSetOf(DWORD pid) {
  TrimResult result;
  std::string path = TrimmerToolPath();
  if (path.empty()) return result;
  FileHandle file = OpenLocked(path);
  if (!HoldsTool(file)) {
    file.reset();
    result.wroteTool = WriteTool(path.substr(0, path.size() - (sizeof kToolName - 1)), path);
    file = OpenLocked(path);
    if (!HoldsTool(file)) return result;  // not ours and not replaceable: never run it
  }
  RunTool(path, pid, result);
  return result;
}

void StopTrimming() {
  std::lock_guard<std::mutex> gate(g_startGate);
  g_trimmingStopped = true;
}

DWORD WINAPI TrimWorkingSet(void*) {
  try {
    TrimWorkingSetOf(GetCurrentProcessId());
  } catch (...) {
    // Out of memory building a path: the trim is skipped.
  }
  return 0;
}

}  // namespace tunelark
