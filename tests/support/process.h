// Starts a program under test and waits for its windows and its end. The process is
// ended on destruction if it is still running.
#pragma once
#include <windows.h>

#include <string>

namespace tltest {

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  // Starts exePath (command line = the quoted path + args) in workingDir (empty: its folder).
  bool Start(const std::string& exePath, const std::string& args = "", const std::string& workingDir = "");
  // Waits for a visible top-level window of this process with the given class.
  HWND WaitForWindow(const char* className, DWORD timeoutMs = 20000) const;
  // Waits for the end of the process; returns false on time-out.
  bool WaitForExit(DWORD timeoutMs = 20000);
  DWORD ExitCode() const;
  bool Running() const;
  DWORD Id() const { return pi_.dwProcessId; }
  HANDLE Handle() const { return pi_.hProcess; }
  void Kill();

 private:
  PROCESS_INFORMATION pi_{};
};

// Copies a file; returns false on failure.
bool CopyProgram(const std::string& from, const std::string& to);

// Pumps this thread's messages for the given time (keeps cross-process sends flowing).
void PumpFor(DWORD ms);

// Polls pred every 20 ms until it is true or the time is up.
template <typename Pred>
bool WaitUntil(Pred pred, DWORD timeoutMs = 10000) {
  DWORD start = GetTickCount();
  for (;;) {
    if (pred()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    PumpFor(20);
  }
}

}  // namespace tltest
