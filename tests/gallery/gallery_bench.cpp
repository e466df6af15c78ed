// gallery_bench: one full repaint (RedrawWindow with RDW_ALLCHILDREN | RDW_UPDATENOW |
// RDW_INVALIDATE | RDW_ERASE) of every gallery window whose name starts with "controls",
// skinned, next to the same window made without the skin, in one run. Both windows stand
// side by side and are repainted in turn, so a busy machine slows both alike; prints the
// median of each and their ratio (target: skinned <= 4x unskinned).
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
constexpr UINT kFullRepaint = RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_INVALIDATE | RDW_ERASE;

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

// Puts the second window beside the first (or as far right as the screen allows).
void StandBeside(HWND first, HWND second) {
  RECT a, b;
  GetWindowRect(first, &a);
  GetWindowRect(second, &b);
  const int width = b.right - b.left;
  const int x = std::min<int>(a.right + 10, GetSystemMetrics(SM_CXSCREEN) - width);
  SetWindowPos(second, nullptr, x, a.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

double RepaintMs(HWND w) {
  gallery::Pump(2);
  const double start = tltest::Seconds();
  RedrawWindow(w, nullptr, nullptr, kFullRepaint);
  GdiFlush();
  return 1000.0 * (tltest::Seconds() - start);
}

struct Figures {
  double skinned = 0;
  double plain = 0;
};

// Median full repaint of each window, the two repainted in turn.
Figures Measure(HWND skinned, HWND plain) {
  gallery::Pump(300);
  for (int i = 0; i < kWarmUp; ++i) RepaintMs(skinned), RepaintMs(plain);
  std::vector<double> a, b;
  for (int i = 0; i < kSamples; ++i) {
    a.push_back(RepaintMs(skinned));
    b.push_back(RepaintMs(plain));
  }
  return {tltest::Median(a), tltest::Median(b)};
}

void Print(const char* name, const Figures& f) {
  std::printf("full repaint %-22s skinned %8.2f ms   unskinned %8.2f ms   ratio %5.2fx (target <= 4x)\n", name,
              f.skinned, f.plain, f.plain > 0 ? f.skinned / f.plain : 0.0);
}

}  // namespace

int main() {
  SkinEngine engine;
  if (!engine.Start()) return 2;
  Figures total;
  int windows = 0;
  for (const gallery::Entry& entry : gallery::Entries()) {
    if (entry.name.rfind("controls", 0) != 0) continue;
    HWND skinned = gallery::Make(entry.name, engine);
    HWND plain = MakeUnskinned(entry.name, engine);
    if (!skinned || !plain) return 3;
    if (GetPropA(plain, "Hw_hProc")) std::printf("%s: the unskinned window got skinned\n", entry.name.c_str());
    StandBeside(skinned, plain);
    const Figures f = Measure(skinned, plain);
    DestroyWindow(skinned);
    DestroyWindow(plain);
    engine.RemoveInstance(plain);
    gallery::Pump(50);
    Print(entry.name.c_str(), f);
    total.skinned += f.skinned;
    total.plain += f.plain;
    ++windows;
  }
  if (windows > 1) Print("(all controls windows)", total);
  if (windows == 0) std::printf("no gallery window named controls*\n");
  return 0;
}
