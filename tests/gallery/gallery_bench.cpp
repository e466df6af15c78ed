// gallery_bench: one full repaint (RedrawWindow with RDW_ALLCHILDREN | RDW_UPDATENOW |
// RDW_INVALIDATE | RDW_ERASE) of every gallery window whose name starts with "controls",
// skinned, next to the same window made without the skin, in one run. Prints the median
// of each and their ratio (target: skinned <= 4x unskinned).
//
// The unskinned window comes from the same maker: while it runs, the engine is told the
// new top-level window already has a skin instance (a bare one), so Apply skin leaves the
// window and its controls as they are.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/gallery/gallery.h"
#include "tests/support/stopwatch.h"

using tunelark::SkinEngine;

namespace {

constexpr int kWarmUp = 5;
constexpr int kSamples = 41;

SkinEngine* g_engine = nullptr;
HWND g_bareWindow = nullptr;

// Gives the first top-level window made while it is hooked a bare skin instance.
LRESULT CALLBACK MarkBare(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && !g_bareWindow) {
    const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs;
    if (!(cs->style & WS_CHILD) && !cs->hwndParent) {
      g_bareWindow = reinterpret_cast<HWND>(wp);
      g_engine->AddInstance(std::make_unique<tunelark::SkinInstance>(g_bareWindow));
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

HWND MakeUnskinned(const std::string& name, SkinEngine& engine) {
  g_engine = &engine;
  g_bareWindow = nullptr;
  HHOOK hook = SetWindowsHookExA(WH_CBT, MarkBare, nullptr, GetCurrentThreadId());
  HWND w = gallery::Make(name, engine);
  UnhookWindowsHookEx(hook);
  return w;
}

// Median milliseconds of one full repaint of w.
double RepaintMs(HWND w) {
  const UINT flags = RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_INVALIDATE | RDW_ERASE;
  gallery::Pump(300);
  for (int i = 0; i < kWarmUp; ++i) RedrawWindow(w, nullptr, nullptr, flags);
  std::vector<double> samples;
  for (int i = 0; i < kSamples; ++i) {
    gallery::Pump(5);
    const double start = tltest::Seconds();
    RedrawWindow(w, nullptr, nullptr, flags);
    GdiFlush();
    samples.push_back(1000.0 * (tltest::Seconds() - start));
  }
  return tltest::Median(samples);
}

}  // namespace

int main() {
  SkinEngine engine;
  if (!engine.Start()) return 2;
  double skinnedTotal = 0, plainTotal = 0;
  int windows = 0;
  for (const gallery::Entry& entry : gallery::Entries()) {
    if (entry.name.rfind("controls", 0) != 0) continue;
    HWND skinned = gallery::Make(entry.name, engine);
    if (!skinned) return 3;
    const double skinnedMs = RepaintMs(skinned);
    DestroyWindow(skinned);
    gallery::Pump(50);

    HWND plain = MakeUnskinned(entry.name, engine);
    if (!plain) return 3;
    if (GetPropA(plain, "Hw_hProc")) std::printf("%s: the unskinned window got skinned; figures void\n", entry.name.c_str());
    const double plainMs = RepaintMs(plain);
    DestroyWindow(plain);
    engine.RemoveInstance(plain);
    gallery::Pump(50);

    std::printf("full repaint %-22s skinned %8.2f ms   unskinned %8.2f ms   ratio %5.2fx (target <= 4x)\n",
                entry.name.c_str(), skinnedMs, plainMs, plainMs > 0 ? skinnedMs / plainMs : 0.0);
    skinnedTotal += skinnedMs;
    plainTotal += plainMs;
    ++windows;
  }
  if (windows > 1)
    std::printf("full repaint %-22s skinned %8.2f ms   unskinned %8.2f ms   ratio %5.2fx (target <= 4x)\n",
                "(all controls windows)", skinnedTotal, plainTotal, plainTotal > 0 ? skinnedTotal / plainTotal : 0.0);
  if (windows == 0) std::printf("no gallery window named controls*\n");
  return 0;
}
