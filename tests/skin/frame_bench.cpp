// frame_bench: the background of a 481 x 375 skinned window with the embedded 1024 x 768
// picture stretched over it, each figure next to a baseline measured in the same run:
//   first render (picture decoded and scaled) and re-render (nothing changed) against GDI+
//   drawing an already-scaled 481 x 375 picture (target: re-render <= 3x);
//   present against one BitBlt of that size to the window (target <= 2x);
//   one step of the caption buttons' hover fade (target <= 1 ms).
#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/gdi_handles.h"
#include "gfx/graphics.h"
#include "skin/skin_engine.h"
#include "skin/skin_images.h"
#include "tests/support/stopwatch.h"

using namespace tunelark;

namespace {

constexpr int kW = 481, kH = 375;
constexpr int kWarmUp = 5;
constexpr int kSamples = 41;

void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(1);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

// Median milliseconds of run(), after a warm-up; before() runs untimed ahead of each sample.
double MedianMs(const std::function<void()>& run, const std::function<void()>& before = {}) {
  for (int i = 0; i < kWarmUp; ++i) {
    if (before) before();
    run();
  }
  std::vector<double> samples;
  for (int i = 0; i < kSamples; ++i) {
    if (before) before();
    GdiFlush();
    const double start = tltest::Seconds();
    run();
    GdiFlush();
    samples.push_back(1000.0 * (tltest::Seconds() - start));
  }
  return tltest::Median(samples);
}

// A window like the program's main window: a popup that clips its children.
HWND MakeWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  wc.lpszClassName = "TlFrameBench";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "Frame bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                         40, 40, kW, kH, nullptr, nullptr, wc.hInstance, nullptr);
}

void Print(const char* what, double ms, const char* baseline, double baseMs, const char* target) {
  std::printf("%-34s %8.3f ms   %-34s %8.3f ms   ratio %6.2fx %s\n", what, ms, baseline, baseMs,
              baseMs > 0 ? ms / baseMs : 0.0, target);
}

}  // namespace

int main() {
  SkinEngine engine;
  if (!engine.Start()) return 2;
  const ByteArray jpeg = CopySkinImage(SkinImage::Background);
  engine.SetBackground(jpeg, std::nullopt, std::nullopt, 3);
  HWND window = MakeWindow();
  const int n = engine.ApplySkin(window, {});
  if (!window || n < 1) return 3;
  Pump(300);
  SkinInstance& skin = *engine.Instance(n);

  // Baseline 1: GDI+ drawing the picture already scaled to the window's size.
  Bitmap decoded, scaled;
  Graphics scaler;
  if (!decoded.LoadFromBytes(jpeg) || !scaled.CreateFromScan0(kW, kH) || !scaler.CreateOnImage(scaled)) return 4;
  scaler.DrawImageRectI(decoded, 0, 0, kW, kH);
  scaler.Flush(Gdiplus::FlushIntentionSync);
  MemoryDC target(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kW, -kH, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  BitmapHandle dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  SelectGuard selected(target.get(), dib.get());
  const double drawScaled = MedianMs([&] {
    Graphics g;
    g.CreateFromDC(target.get());
    g.DrawImageRectI(scaled, 0, 0, kW, kH);
  });

  // Baseline 2: one BitBlt of the window's size to the window.
  WindowDC screen(window);
  const double blit = MedianMs([&] { BitBlt(screen.get(), 0, 0, kW, kH, target.get(), 0, 0, SRCCOPY); });

  const double first = MedianMs([&] { engine.RenderBackground(n, false); }, [&] {
    skin.back.ForgetBaseLayer();
    engine.decodedPictures().Clear();
  });
  const double again = MedianMs([&] { engine.RenderBackground(n, false); });
  // A paint presents into the DC BeginPaint gave; a present outside a paint takes its own.
  const double present = MedianMs([&] { engine.PresentBackground(n, screen.get()); });
  const double presentOwnDc = MedianMs([&] { engine.PresentBackground(n, nullptr); });
  int step = 0;
  const double fade = MedianMs([&] {
    step = step % 8 + 1;
    DrawCaptionButton(engine, skin, 3, nullptr, false, step * 30);
  });

  Print("first render (decode + scale)", first, "GDI+ draw of a scaled picture", drawScaled, "");
  Print("re-render (nothing changed)", again, "GDI+ draw of a scaled picture", drawScaled, "(target <= 3x)");
  Print("present (into the paint DC)", present, "one BitBlt 481 x 375", blit, "(target <= 2x)");
  Print("present (taking its own DC)", presentOwnDc, "one BitBlt 481 x 375", blit, "");
  std::printf("%-34s %8.3f ms   (target <= 1 ms)\n", "one fade step (draw button)", fade);
  DestroyWindow(window);
  return 0;
}
