#include "app/app.h"

#include <commctrl.h>

#include "app/app_globals.h"
#include "app/main_window.h"

namespace tunelark {

std::unique_ptr<SkinEngine> g_skin;
std::unique_ptr<JsonDocument> g_json;
ByteArray g_searchReply;

namespace {

// Releases the process-wide objects in the order the program needs: the skin engine (GDI+
// shut down), the search reply, then the JSON document (which ends its script engine and
// COM on this thread).
struct ExitRoutine {
  ExitRoutine() = default;
  ExitRoutine(const ExitRoutine&) = delete;
  ExitRoutine& operator=(const ExitRoutine&) = delete;
  ~ExitRoutine() {
    g_skin.reset();
    ByteArray().swap(g_searchReply);
    g_json.reset();
  }
};

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

  g_skin = std::make_unique<SkinEngine>();
  ExitRoutine exitRoutine;
  // The window is skinned as it is created, so GDI+ must run before it is made.
  g_skin->Start();
  MainWindow mainWindow;
  if (!mainWindow.Create(instance, showCommand)) return 1;
  // The script engine behind the search document takes a while to load: the window makes
  // it after its first frame is on screen (or at the first search, if that comes sooner).
  return RunMessageLoop(mainWindow.window());
}

}  // namespace tunelark
