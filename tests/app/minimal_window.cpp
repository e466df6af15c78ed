// The floor for start-up time: the smallest Win32 program that shows a window, built with
// the same toolchain and runtime as tunelark.exe.
#include <windows.h>

static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "MinimalWindow";
  RegisterClassA(&wc);
  HWND w = CreateWindowA("MinimalWindow", "Minimal", WS_POPUP | WS_SYSMENU, 50, 50, 481, 375, nullptr, nullptr,
                         instance, nullptr);
  ShowWindow(w, show);
  UpdateWindow(w);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
