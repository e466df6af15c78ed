// Program start and exit: builds the process-wide objects in their order, shows the main
// window and runs the message loop. Returns the process exit code.
#pragma once
#include <windows.h>

namespace tunelark {

int RunTunelark(HINSTANCE instance, int showCommand);

}  // namespace tunelark
