// Paths the tests need: the bin folder (tunelark.exe beside the test executables), the
// build folder (screenshots go to <build>/screenshots), and fresh scratch folders.
#pragma once
#include <string>
#include <vector>

namespace tltest {

std::string BinDirectory();          // folder of the running test executable
std::string BuildDirectory();        // its parent
std::string ScreenshotDirectory();   // <build>\screenshots, created on demand
std::string ProgramPath();           // <bin>\tunelark.exe

// A new empty folder under the temporary directory; removed with its content on destruction.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& hint = "tl");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A Unix path as Wine's Z: drive shows it.
std::string WinePathOf(const std::string& unixPath);
// An environment variable of the test session ("" when unset).
std::string Env(const char* name);
// Names of the entries of a folder (no "." and "..").
std::vector<std::string> ListFolder(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
void RemoveTree(const std::string& path);

}  // namespace tltest
