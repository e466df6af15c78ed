// Counts of the USER objects a process holds, for the leak checks of controls that come and
// go (next to the GDI object count of gdi_count.h).
#pragma once
#include <windows.h>

namespace tltest {

// Live USER objects of this process. Windows counts them (GetGuiResources); Wine answers 0
// there, so the windows of this process are counted instead: the top-level ones
// (EnumWindows), the message-only ones, and every descendant of both (EnumChildWindows).
int UserObjectCount();

}  // namespace tltest
