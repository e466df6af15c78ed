// Owners of kernel handles (base/unique_handle.h): threads, events and files are closed with
// CloseHandle. A file handle's "no handle" value is INVALID_HANDLE_VALUE, the others' null.
#pragma once
#include <windows.h>

#include "base/unique_handle.h"

namespace tunelark {

struct CloseKernelHandle {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct CloseFileHandle {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// Threads, events, processes (CreateThread, CreateEvent, ...: null when none).
using KernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
// Files (CreateFile: INVALID_HANDLE_VALUE when none).
using FileHandle = UniqueHandle<HANDLE, CloseFileHandle>;

}  // namespace tunelark
