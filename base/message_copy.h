// Reading the structure a message's lParam points at (WM_NOTIFY's NMHDR, WM_DRAWITEM's
// DRAWITEMSTRUCT). Such a message may be sent by another process, which the system does not
// translate: the pointer then names that process's memory, or nothing. The copy is refused
// instead of faulting when the address cannot be read here.
#pragma once
#include <windows.h>

namespace tunelark {

template <typename T>
bool CopyMessageStruct(LPARAM lParam, T& out) {
  if (!lParam) return false;
  SIZE_T read = 0;
  return ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(lParam), &out, sizeof(T), &read) &&
         read == sizeof(T);
}

}  // namespace tunelark
