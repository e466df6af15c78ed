#include "tests/support/user_count.h"

namespace tltest {

namespace {

bool Ours(HWND w) {
  DWORD process = 0;
  GetWindowThreadProcessId(w, &process);
  return process == GetCurrentProcessId();
}

BOOL CALLBACK CountOne(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The window and its descendants.
int CountWithDescendants(HWND w) {
  int count = 1;
  EnumChildWindows(w, CountOne, reinterpret_cast<LPARAM>(&count));
  return count;
}

BOOL CALLBACK CountTopLevel(HWND w, LPARAM count) {
  if (Ours(w)) *reinterpret_cast<int*>(count) += CountWithDescendants(w);
  return TRUE;
}

}  // namespace

int UserObjectCount() {
  if (int n = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))) return n;
  int count = 0;
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w; w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
    if (Ours(w)) count += CountWithDescendants(w);
  return count;
}

}  // namespace tltest
