#include "tests/support/screenshot.h"

#include <objbase.h>
// GDI+ headers want min/max from windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdlib>

#include "gfx/gdi_handles.h"

namespace tltest {

Capture CaptureWindow(HWND window) {
  Capture cap;
  RECT r;
  GetWindowRect(window, &r);
  cap.width = r.right - r.left;
  cap.height = r.bottom - r.top;
  if (cap.width <= 0 || cap.height <= 0) return cap;
  tunelark::WindowDC screen(nullptr);
  tunelark::MemoryDC mem(screen.get());
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = cap.width;
  bi.bmiHeader.biHeight = -cap.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  tunelark::BitmapHandle dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    tunelark::SelectGuard sel(mem.get(), dib.get());
    BitBlt(mem.get(), 0, 0, cap.width, cap.height, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  const auto* p = static_cast<const uint32_t*>(bits);
  cap.pixels.assign(p, p + static_cast<size_t>(cap.width) * cap.height);
  for (auto& px : cap.pixels) px &= 0x00FFFFFF;
  return cap;
}

bool Capture::SavePng(const std::string& path) const {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool ok = false;
  {
    std::vector<uint32_t> argb(pixels);
    for (auto& px : argb) px |= 0xFF000000u;
    Gdiplus::Bitmap bmp(width, height, width * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(argb.data()));
    static const CLSID kPngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    ok = bmp.Save(wide.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  return ok;
}

bool ColourNear(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift <= 16; shift += 8) {
    int ca = static_cast<int>((a >> shift) & 0xFF);
    int cb = static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > tolerance) return false;
  }
  return true;
}

}  // namespace tltest
