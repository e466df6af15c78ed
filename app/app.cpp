#include "app/app.h"

#include <commctrl.h>

#include "app/main_window.h"

namespace tunelark {
namespace {

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND mainWindow) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(mainWindow, &msg)) continue;  // Tab between controls
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int RunTunelark(HINSTANCE instance, int showCommand) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  MainWindow mainWindow;
  if (!mainWindow.Create(instance, showCommand)) return 1;
  return RunMessageLoop(mainWindow.window());
}

}  // namespace tunelark
