#include "tests/support/gdi_count.h"

#include <psapi.h>

namespace tltest {

int GdiObjectCount() {
  if (int n = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))) return n;
  const BYTE* peb = nullptr;
#if defined(_WIN64)
  __asm__("movq %%gs:0x60, %0" : "=r"(peb));  // the TEB's pointer to the PEB
  const size_t tableOffset = 0xF8;
#else
  __asm__("movl %%fs:0x30, %0" : "=r"(peb));
  const size_t tableOffset = 0x94;
#endif
  const BYTE* table = *reinterpret_cast<const BYTE* const*>(peb + tableOffset);
  if (!table) return -1;
  int count = 0;
  for (int i = 0; i < 16384; ++i)
    if (table[i * 24 + 14] != 0) ++count;
  return count;
}

size_t WorkingSetBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  return GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)) ? counters.WorkingSetSize : 0;
}

}  // namespace tltest
