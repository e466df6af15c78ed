#include "tests/support/process.h"

namespace tltest {

ChildProcess::~ChildProcess() {
  if (pi_.hProcess) {
    if (Running()) Kill();
    CloseHandle(pi_.hProcess);
    CloseHandle(pi_.hThread);
  }
}

bool ChildProcess::Start(const std::string& exePath, const std::string& args, const std::string& workingDir) {
  std::string cmd = "\"" + exePath + "\"";
  if (!args.empty()) cmd += " " + args;
  std::string dir = workingDir.empty() ? exePath.substr(0, exePath.find_last_of("\\/")) : workingDir;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  return CreateProcessA(exePath.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si,
                        &pi_) != FALSE;
}

namespace {
struct FindData {
  DWORD pid;
  const char* cls;
  HWND found;
};
BOOL CALLBACK FindProc(HWND window, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[256] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (pid == data->pid && lstrcmpA(cls, data->cls) == 0 && IsWindowVisible(window)) {
    data->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND ChildProcess::WaitForWindow(const char* className, DWORD timeoutMs) const {
  FindData data{pi_.dwProcessId, className, nullptr};
  WaitUntil(
      [&] {
        EnumWindows(FindProc, reinterpret_cast<LPARAM>(&data));
        return data.found != nullptr || !Running();
      },
      timeoutMs);
  return data.found;
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) {
  return WaitUntil([&] { return !Running(); }, timeoutMs);
}

DWORD ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

bool ChildProcess::Running() const {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
  TerminateProcess(pi_.hProcess, 99);
  WaitForSingleObject(pi_.hProcess, 5000);
}

bool CopyProgram(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  } while (GetTickCount() - start < ms);
}

}  // namespace tltest
