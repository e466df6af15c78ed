#include "tests/gallery/gallery.h"

#include <commctrl.h>

namespace gallery {
namespace {

std::vector<Entry>& Table() {
  static std::vector<Entry> table;
  return table;
}

const char kFrameClass[] = "TunelarkGallery";

void RegisterFrameClass() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kFrameClass;
  RegisterClassExA(&wc);
}

}  // namespace

Registration::Registration(const char* name, Maker make) { Table().push_back({name, make}); }

const std::vector<Entry>& Entries() { return Table(); }

HWND Make(const std::string& name, tunelark::SkinEngine& engine) {
  for (const Entry& e : Table())
    if (e.name == name) return e.make(engine);
  return nullptr;
}

HWND MakeFrame(const char* title, int x, int y, int w, int h, DWORD style, HWND owner) {
  RegisterFrameClass();
  return CreateWindowExA(0, kFrameClass, title, style, x, y, w, h, owner, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

HWND MakeControl(HWND parent, const char* cls, const char* text, int x, int y, int w, int h, DWORD style,
                 DWORD exStyle, int id) {
  return CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (static_cast<int>(end - GetTickCount()) > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

}  // namespace gallery
