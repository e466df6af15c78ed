// The working-set trimmer: when the program loses activation, the skinned main window starts
// TrimWorkingSet on a thread of its own. It runs empty.exe, a small console tool the program
// carries (resources/empty_tool.c), on this process's id, so the system takes back the
// memory the program is not using while the user works elsewhere.
//
// The tool lives at %windir%\empty.exe. A file there runs only when its bytes are exactly the
// tool's: anything else is replaced by the tool when the folder is writable and is never run.
// Without "windir" (unset, empty or not an absolute path) nothing is written or run.
#pragma once
#include <windows.h>

#include <string>

#include "base/byte_array.h"

namespace tunelark {

// The tool's bytes as the program carries them.
ByteArray TrimmerToolBytes();

// %windir%\empty.exe, read from the environment at each call; "" when windir is unset,
// empty or relative.
std::string TrimmerToolPath();

// What one trimmer call did.
struct TrimResult {
  bool wroteTool = false;  // this call wrote (or replaced) the file
  bool ranTool = false;    // the tool was started and ran to its end
  DWORD toolExitCode = 0;  // its exit code when it ran (0 = the working set was emptied)
};

// Writes the tool when needed and runs it on process `pid`, waiting for its end.
TrimResult TrimWorkingSetOf(DWORD pid);

// Waits until no trimmer is starting the tool and lets none start it afterwards. The program
// calls it as its main window goes, before the process ends.
void StopTrimming();

// Thread routine: TrimWorkingSetOf(GetCurrentProcessId()). No parameter; returns 0.
DWORD WINAPI TrimWorkingSet(void* unused);

}  // namespace tunelark
