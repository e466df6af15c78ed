// Plain gallery frames until the skin's own windows land.
#include "tests/gallery/gallery.h"

namespace {

HWND MakePlain(tunelark::SkinEngine&) {
  HWND w = gallery::MakeFrame("Gallery", 40, 40, 481, 375, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_SYSMENU);
  gallery::MakeControl(w, "Button", "Button", 20, 40, 100, 30);
  return w;
}

}  // namespace

GALLERY_WINDOW("plain", MakePlain);
