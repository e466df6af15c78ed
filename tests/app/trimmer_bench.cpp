// Figures of the working-set trimmer, each next to its baseline from the same run:
//   this process's working set after touching 64 MiB, before (baseline) and after the
//   trimmer ran empty.exe on it;
//   one trimmer call (check the file, start the tool, wait) next to a bare start of the tool.
// Wine's SetProcessWorkingSetSize is a stub that trims nothing: under Wine the two working
// sets match, on Windows the second drops to a few hundred KiB.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/working_set_trimmer.h"
#include "tests/support/stopwatch.h"
#include "tests/support/test_paths.h"

using namespace tltest;

namespace {

double WorkingSetKib() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.WorkingSetSize) / 1024.0;
}

// Starts the tool with no argument (its usage line goes nowhere) and waits for its end.
double BareToolStartMs(const std::string& exe) {
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  double start = Seconds();
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return -1;
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  double elapsed = 1000.0 * (Seconds() - start);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return elapsed;
}

}  // namespace

int main() {
  ScratchFolder windir("trimbench");
  SetEnvironmentVariableA("windir", windir.path().c_str());

  std::vector<char> block(64 << 20);
  for (size_t i = 0; i < block.size(); i += 4096) block[i] = 1;
  double before = WorkingSetKib();
  tunelark::TrimResult first = tunelark::TrimWorkingSetOf(GetCurrentProcessId());
  double after = WorkingSetKib();
  if (!first.ranTool) return 1;
  std::printf("trim_ws_before_kib %.0f\ntrim_ws_after_kib %.0f\ntrim_ws_after_vs_before %.2fx\n", before, after,
              after / before);

  std::vector<double> calls, bare;
  for (int i = 0; i < 7; ++i) {
    double start = Seconds();
    tunelark::TrimWorkingSetOf(GetCurrentProcessId());
    calls.push_back(1000.0 * (Seconds() - start));
    bare.push_back(BareToolStartMs(tunelark::TrimmerToolPath()));
  }
  std::printf("trim_call_ms %.1f\ntool_bare_start_ms %.1f\ntrim_call_vs_bare_start %.2fx\n", Median(calls),
              Median(bare), Median(calls) / Median(bare));
  return block[4096] == 1 ? 0 : 2;  // keeps the block alive up to here
}
