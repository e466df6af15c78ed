// search_bench: a 100-hit search in the real main window, skinned and with the skin left off
// (the same window class, made while no skin engine is set), side by side in one run:
//   click to rows: "查询" clicked (BM_CLICK returns when the click handler has written the rows),
//   then its parts, each timed on its own: fetch (WinINet), parse (the JSON document), rows
//   (the hits read from it),
//   clear (the list emptied), fill (100 rows written) and repaint (the list painted again).
// Target: click to rows of the skinned window <= 1.5x the unskinned one's.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "app/app_globals.h"
#include "app/main_window.h"
#include "app/song_search.h"
#include "base/code_page.h"
#include "net/wininet_fetch.h"
#include "skin/skin_engine.h"
#include "tests/support/stopwatch.h"
#include "text/json_document.h"

using namespace tunelark;
using tltest::Median;
using tltest::Seconds;

namespace {

constexpr int kSamples = 15;
constexpr char kKeyword[] = "百首";

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

double MedianMs(const std::function<void()>& run) {
  std::vector<double> samples;
  for (int i = 0; i < kSamples + 2; ++i) {
    Pump();
    const double start = Seconds();
    run();
    const double ms = 1000 * (Seconds() - start);
    if (i >= 2) samples.push_back(ms);  // two warm-up runs
  }
  return Median(samples);
}

struct Figures {
  double click = 0, fetch = 0, parse = 0, rows = 0, clear = 0, fill = 0, repaint = 0;
};

Figures Measure(MainWindow& main) {
  Figures f;
  const HWND window = main.window();
  const HWND box = GetDlgItem(window, kIdKeywordBox), button = GetDlgItem(window, kIdSearchButton);
  const ResultList list = main.results();
  SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kKeyword));
  f.click = MedianMs([&] { SendMessageA(button, BM_CLICK, 0, 0); });
  if (list.RowCount() != 100) std::printf("search_bench: %d rows, not 100 (song service?)\n", list.RowCount());

  ByteArray reply;
  f.fetch = MedianMs([&] {
    WinInetOptions options;
    reply = WinInetFetch(SearchAddress(kKeyword), options);
  });
  std::vector<std::vector<std::string>> hits;
  f.parse = MedianMs([&] { g_json->Parse(Utf8ToGbk(AsText(reply))); });
  f.rows = MedianMs([&] { hits = g_json->Rows("data", {"singer", "name", "url"}, 1000); });
  auto fill = [&] {
    for (const auto& hit : hits) {
      const int row = list.AppendRow();
      list.SetCell(row, ResultList::kTitle, HitRowTitle(hit[0], hit[1]));
      list.SetCell(row, ResultList::kAddress, hit[2]);
    }
  };
  std::vector<double> clears, fills, repaints;
  for (int i = 0; i < kSamples; ++i) {
    Pump();
    double t = Seconds();
    SendMessageA(list.window(), WM_SETREDRAW, FALSE, 0);
    list.DeleteAllRows();
    clears.push_back(1000 * (Seconds() - t));
    t = Seconds();
    fill();
    fills.push_back(1000 * (Seconds() - t));
    t = Seconds();
    SendMessageA(list.window(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list.window(), nullptr, TRUE);
    UpdateWindow(list.window());
    repaints.push_back(1000 * (Seconds() - t));
  }
  f.clear = Median(clears), f.fill = Median(fills), f.repaint = Median(repaints);
  return f;
}

}  // namespace

int main() {
  g_skin = std::make_unique<SkinEngine>();
  g_skin->Start();
  g_json = std::make_unique<JsonDocument>();
  MainWindow skinned, plain;
  if (!skinned.Create(GetModuleHandleA(nullptr), SW_SHOWNOACTIVATE)) return 1;
  {
    // The same window made while no engine is set: its creation handler skins nothing.
    std::unique_ptr<SkinEngine> engine = std::move(g_skin);
    const bool made = plain.Create(GetModuleHandleA(nullptr), SW_SHOWNOACTIVATE);
    g_skin = std::move(engine);
    if (!made) return 1;
  }
  SetWindowPos(plain.window(), nullptr, 540, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const Figures a = Measure(skinned), b = Measure(plain);
  std::printf("search click to 100 rows:   skinned %7.1f ms   skin left off %7.1f ms   ratio %.2fx (target <= 1.5x)\n",
              a.click, b.click, a.click / b.click);
  auto part = [](const char* name, double x, double y) {
    std::printf("  %-8s skinned %7.2f ms   skin left off %7.2f ms\n", name, x, y);
  };
  part("fetch", a.fetch, b.fetch);
  part("parse", a.parse, b.parse);
  part("rows", a.rows, b.rows);
  part("clear", a.clear, b.clear);
  part("fill", a.fill, b.fill);
  part("repaint", a.repaint, b.repaint);
  DestroyWindow(plain.window());
  DestroyWindow(skinned.window());
  g_json.reset();
  g_skin.reset();
  return 0;
}
