// gallery.exe [name ...] [--stay]: shows the named gallery windows (all when none is
// named), saves a screenshot of each as <screenshots>\gallery_<name>.png, and exits, or
// with --stay keeps them open until the last is closed.
#include <cstring>
#include <string>
#include <vector>

#include "tests/gallery/gallery.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"

int main(int argc, char** argv) {
  tunelark::SkinEngine engine;
  if (!engine.Start()) return 2;
  bool stay = false;
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--stay") == 0)
      stay = true;
    else
      names.push_back(argv[i]);
  }
  if (names.empty())
    for (const gallery::Entry& e : gallery::Entries()) names.push_back(e.name);
  std::vector<HWND> windows;
  for (const std::string& name : names) {
    HWND w = gallery::Make(name, engine);
    if (!w) return 3;
    gallery::Pump(400);
    tltest::CaptureWindow(w).SavePng(tltest::ScreenshotDirectory() + "\\gallery_" + name + ".png");
    if (stay)
      windows.push_back(w);
    else
      DestroyWindow(w);
  }
  while (stay) {
    bool any = false;
    for (HWND w : windows) any = any || IsWindow(w);
    if (!any) break;
    gallery::Pump(50);
  }
  return 0;
}
