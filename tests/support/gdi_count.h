// Counts of what a process holds, for the leak checks of painters: live GDI objects and
// the working set.
#pragma once
#include <windows.h>

#include <cstddef>

namespace tltest {

// Live GDI objects of this process. Windows counts them (GetGuiResources); Wine answers 0
// there, so its per-process GDI handle table (24-byte entries, 16384 of them, the object
// type in byte 14) is read where the process environment block points to it.
int GdiObjectCount();

// The working set of this process in bytes.
size_t WorkingSetBytes();

}  // namespace tltest
