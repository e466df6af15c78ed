// Reading the structure a message's lParam points at (WM_NOTIFY's NMHDR, WM_DRAWITEM's
// DRAWITEMSTRUCT). Such a message may be sent by another process, which the system does not
// translate: the pointer then names that process's memory, or nothing. The copy is refused
// instead of faulting when the range is not committed, readable memory of this process.
//
// The check stays in the process (VirtualQuery, then a plain copy): ReadProcessMemory did
// the same, but under Wine each call is a round trip to the server, and a list being filled
// sends its parent hundreds of notifications.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstring>

namespace tunelark {

// Whether every byte of [address, address + size) lies in committed memory that this
// process may read.
inline bool ReadableRange(const void* address, size_t size) {
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  const char* at = static_cast<const char*>(address);
  const char* end = at + size;
  if (!at || end < at) return false;
  while (at < end) {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(at, &info, sizeof info) != sizeof info) return false;
    if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) || !(info.Protect & kReadable))
      return false;
    const char* regionEnd = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
    if (regionEnd <= at) return false;
    at = regionEnd;
  }
  return true;
}

template <typename T>
bool CopyMessageStruct(LPARAM lParam, T& out) {
  const void* source = reinterpret_cast<const void*>(lParam);
  if (!ReadableRange(source, sizeof(T))) return false;
  std::memcpy(&out, source, sizeof(T));
  return true;
}

}  // namespace tunelark
