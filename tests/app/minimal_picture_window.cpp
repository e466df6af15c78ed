// The floor for a skinned start: the smallest program of the same toolchain that starts
// GDI+, decodes the program's background picture, scales it once to a 481 x 375 window and
// paints it there. After its first frame it makes one HTTPS GET through WinINet, as a
// search does, so that its memory holds the platform's TLS stack too. app_bench measures
// its start and memory next to tunelark.exe's.
#include <windows.h>

#include <wininet.h>

#include <objidl.h>

#include <gdiplus.h>

extern const unsigned char tl_picture_background[];
extern const unsigned int tl_picture_background_size;

namespace {

constexpr int kWidth = 481, kHeight = 375;
HBITMAP g_frame = nullptr;

// The picture decoded and stretched into a screen-compatible bitmap.
HBITMAP StretchedPicture() {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, tl_picture_background_size);
  if (!memory) return nullptr;
  CopyMemory(GlobalLock(memory), tl_picture_background, tl_picture_background_size);
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) return nullptr;
  HBITMAP out = nullptr;
  {
    Gdiplus::Bitmap picture(stream);
    HDC screen = GetDC(nullptr);
    out = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, out);
    {
      Gdiplus::Graphics g(dc);
      g.DrawImage(&picture, 0, 0, kWidth, kHeight);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }
  stream->Release();
  return out;
}

// One HTTPS GET of the search service's address, its body read and dropped.
void FetchOnce() {
  HINTERNET session = InternetOpenA("Minimal", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (!session) return;
  const char* url = "https://" TUNELARK_SEARCH_HOST "/music/kugou/search?key=318604752&s=abc&limit=100&offset=0&type=song";
  if (HINTERNET request = InternetOpenUrlA(session, url, nullptr, 0, INTERNET_FLAG_RELOAD, 0)) {
    char buffer[8192];
    DWORD read = 0;
    while (InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0) {
    }
    InternetCloseHandle(request);
  }
  InternetCloseHandle(session);
}

LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, g_frame);
    BitBlt(dc, 0, 0, kWidth, kHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    EndPaint(w, &ps);
    return 0;
  }
  if (m == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
  g_frame = StretchedPicture();
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "MinimalPictureWindow";
  RegisterClassA(&wc);
  HWND w = CreateWindowA("MinimalPictureWindow", "Minimal", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 50, 50, kWidth,
                         kHeight, nullptr, nullptr, instance, nullptr);
  ShowWindow(w, show);
  UpdateWindow(w);
  FetchOnce();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  DeleteObject(g_frame);
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
