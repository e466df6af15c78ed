// Figures of the program's main job against the embedded song service:
//   start-up to window shown, for tunelark.exe and for a minimal Win32 window program;
//   search click to rows written for a 100-hit reply;
//   download of a 64 MiB song (double-click to "OK").
// Prints "name value" lines; app_bench.sh adds curl's figure for the same file and the ratios.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "tests/support/process.h"
#include "tests/support/remote_window.h"
#include "tests/support/stopwatch.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tltest;

namespace {

double NowMs() { return 1000.0 * Seconds(); }

// Milliseconds from CreateProcess to the window being visible, polled every millisecond.
double StartUp(const std::string& exe, const char* windowClass) {
  ChildProcess p;
  double start = NowMs();
  if (!p.Start(exe)) return -1;
  HWND w = nullptr;
  while (!w && p.Running() && NowMs() - start < 20000) {
    HWND candidate = FindWindowA(windowClass, nullptr);
    DWORD pid = 0;
    if (candidate) GetWindowThreadProcessId(candidate, &pid);
    if (candidate && pid == p.Id() && IsWindowVisible(candidate)) {
      w = candidate;
    } else {
      Sleep(1);
    }
  }
  double elapsed = NowMs() - start;
  if (w) PostMessageA(w, WM_CLOSE, 0, 0);
  p.WaitForExit(10000);
  return w ? elapsed : -1;
}

}  // namespace

int main() {
  ScratchFolder folder("bench");
  const std::string exe = folder.path() + "\\tunelark.exe";
  CopyProgram(ProgramPath(), exe);
  const std::string minimal = BinDirectory() + "\\minimal_window.exe";

  std::vector<double> ours, floor;
  StartUp(exe, tunelark::kMainWindowClass);  // warm the file cache for both
  StartUp(minimal, "MinimalWindow");
  for (int i = 0; i < 7; ++i) {
    ours.push_back(StartUp(exe, tunelark::kMainWindowClass));
    floor.push_back(StartUp(minimal, "MinimalWindow"));
  }
  std::printf("startup_ms %.1f\nminimal_startup_ms %.1f\n", Median(ours), Median(floor));

  ChildProcess app;
  app.Start(exe);
  HWND window = app.WaitForWindow(tunelark::kMainWindowClass);
  if (!window) return 1;
  HWND box = GetDlgItem(window, tunelark::kIdKeywordBox);
  HWND button = GetDlgItem(window, tunelark::kIdSearchButton);
  RemoteListView list(GetDlgItem(window, tunelark::kIdResultList));
  std::vector<double> searches;
  for (int i = 0; i < 5; ++i) {
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("百首"));
    double start = NowMs();
    SendMessageA(button, BM_CLICK, 0, 0);  // returns when the click handler has written the rows
    searches.push_back(NowMs() - start);
    if (list.RowCount() != 100) return 2;
  }
  std::printf("search_100_hits_ms %.1f\n", Median(searches));

  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("big"));
  SendMessageA(button, BM_CLICK, 0, 0);
  if (list.RowCount() != 1) return 3;
  BringToFront(window);
  list.Select(0);
  double start = NowMs();
  RECT r = list.RowRect(0);
  ClickAt(GetDlgItem(window, tunelark::kIdResultList), POINT{r.left + 20, (r.top + r.bottom) / 2}, true);
  bool ok = WaitUntil([&] { return list.Cell(0, 2) == "OK" || list.Cell(0, 2) == "失败"; }, 120000);
  double elapsed = NowMs() - start;
  if (!ok || list.Cell(0, 2) != "OK") return 4;
  std::printf("download_64MiB_ms %.1f\n", elapsed);
  PostMessageA(window, WM_CLOSE, 0, 0);
  app.WaitForExit(10000);
  return 0;
}
