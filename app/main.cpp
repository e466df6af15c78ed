// Entry point of tunelark.exe.
#include <windows.h>

#include "app/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return tunelark::RunTunelark(instance, showCommand);
}
