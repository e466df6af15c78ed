// Figures of the program's main job against the embedded song service:
//   start-up to window shown, for tunelark.exe and for a minimal Win32 window program;
//   start-up to the first fully painted frame on screen, for tunelark.exe (skinned) and for
//   a minimal GDI+ program that paints the same picture stretched (minimal_picture_window);
//   peak working set after a 100-hit search, next to that GDI+ program's after its start and
//   one HTTPS request (both then hold the platform's TLS stack);
//   search click to rows written for a 100-hit reply;
//   download of a 64 MiB song (double-click to "OK").
// Prints "name value" lines; app_bench.sh adds curl's figure for the same file and the ratios.
#include <windows.h>

#include <psapi.h>

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

// Screen colours at points of a window whose top-left corner is at (50, 50).
std::vector<COLORREF> ScreenColours(const std::vector<POINT>& points) {
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> out;
  for (POINT p : points) out.push_back(GetPixel(screen, 50 + p.x, 50 + p.y));
  ReleaseDC(nullptr, screen);
  return out;
}

bool Near(COLORREF a, COLORREF b) {
  auto d = [](int x, int y) { return x > y ? x - y : y - x; };
  return d(GetRValue(a), GetRValue(b)) <= 8 && d(GetGValue(a), GetGValue(b)) <= 8 && d(GetBValue(a), GetBValue(b)) <= 8;
}

// The colours at `points` once the window has settled (an untimed run); also its process's
// peak working set then, in KiB.
std::vector<COLORREF> SettledColours(const std::string& exe, const char* windowClass,
                                     const std::vector<POINT>& points) {
  ChildProcess p;
  if (!p.Start(exe)) return {};
  HWND w = p.WaitForWindow(windowClass);
  Sleep(1500);
  std::vector<COLORREF> colours = w ? ScreenColours(points) : std::vector<COLORREF>();
  if (w) PostMessageA(w, WM_CLOSE, 0, 0);
  p.WaitForExit(10000);
  return colours;
}

// Milliseconds from CreateProcess until every point shows its settled colour.
double FirstFrame(const std::string& exe, const char* windowClass, const std::vector<POINT>& points,
                  const std::vector<COLORREF>& settled) {
  ChildProcess p;
  const double start = NowMs();
  if (settled.empty() || !p.Start(exe)) return -1;
  double elapsed = -1;
  while (p.Running() && NowMs() - start < 20000) {
    const std::vector<COLORREF> now = ScreenColours(points);
    if (std::equal(now.begin(), now.end(), settled.begin(), Near)) {
      elapsed = NowMs() - start;
      break;
    }
    Sleep(1);
  }
  HWND w = FindWindowA(windowClass, nullptr);
  if (w) PostMessageA(w, WM_CLOSE, 0, 0);
  p.WaitForExit(10000);
  return elapsed;
}

double PeakWorkingSetKib(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
}

// Start-up to the first fully painted frame: tunelark's skinned window (caption, title,
// caption buttons, picture, list wash) and the minimal GDI+ program's stretched picture.
void FirstFrameFigures(const std::string& exe, const std::string& picture) {
  const std::vector<POINT> ours{{30, 12}, {60, 14}, {454, 9}, {170, 50}, {240, 300}, {20, 366}};
  const std::vector<POINT> theirs{{30, 12}, {170, 50}, {240, 300}, {20, 366}};
  SetCursorPos(1000, 740);  // nothing hovered
  const std::vector<COLORREF> ourSettled = SettledColours(exe, tunelark::kMainWindowClass, ours);
  const std::vector<COLORREF> theirSettled = SettledColours(picture, "MinimalPictureWindow", theirs);
  std::vector<double> a, b;
  for (int i = 0; i < 7; ++i) {
    a.push_back(FirstFrame(exe, tunelark::kMainWindowClass, ours, ourSettled));
    b.push_back(FirstFrame(picture, "MinimalPictureWindow", theirs, theirSettled));
  }
  std::printf("first_frame_ms %.1f\nminimal_picture_first_frame_ms %.1f\n", Median(a), Median(b));
  ChildProcess minimal;
  minimal.Start(picture);
  minimal.WaitForWindow("MinimalPictureWindow");
  Sleep(1500);  // its HTTPS request has ended
  std::printf("minimal_picture_peak_kib %.0f\n", PeakWorkingSetKib(minimal.Handle()));
  if (HWND w = FindWindowA("MinimalPictureWindow", nullptr)) PostMessageA(w, WM_CLOSE, 0, 0);
  minimal.WaitForExit(10000);
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
  FirstFrameFigures(exe, BinDirectory() + "\\minimal_picture_window.exe");

  ChildProcess app;
  app.Start(exe);
  HWND window = app.WaitForWindow(tunelark::kMainWindowClass);
  if (!window) return 1;
  Sleep(500);
  std::printf("peak_after_start_kib %.0f\n", PeakWorkingSetKib(app.Handle()));
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
  std::printf("peak_after_search_kib %.0f\n", PeakWorkingSetKib(app.Handle()));

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
