// The test gallery: skinned top-level windows showing every family and decoration in the
// styles they distinguish. Each gallery_*.cpp registers its windows with GALLERY_WINDOW;
// tests make them in their own process (gallery::Make) and drive them with real input,
// and gallery.exe shows them and saves a screenshot of each under build/screenshots.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "skin/skin_engine.h"

namespace gallery {

// Makes one gallery window, skinned and shown, and returns it (null on failure).
using Maker = HWND (*)(tunelark::SkinEngine& engine);

struct Entry {
  std::string name;
  Maker make;
};

struct Registration {
  Registration(const char* name, Maker make);
};

const std::vector<Entry>& Entries();
// The window registered under name, made now; null when there is none.
HWND Make(const std::string& name, tunelark::SkinEngine& engine);

// Helpers for makers: a plain top-level window of the gallery class (no system frame,
// the style given, owned by owner when given), and a child control.
HWND MakeFrame(const char* title, int x, int y, int w, int h, DWORD style, HWND owner = nullptr);
HWND MakeControl(HWND parent, const char* cls, const char* text, int x, int y, int w, int h, DWORD style = 0,
                 DWORD exStyle = 0, int id = 0);
// Dispatches the messages waiting on this thread, for about `ms` milliseconds.
void Pump(int ms);

}  // namespace gallery

#define GALLERY_CONCAT2(a, b) a##b
#define GALLERY_CONCAT(a, b) GALLERY_CONCAT2(a, b)
// GALLERY_WINDOW("buttons", MakeButtonsWindow);
#define GALLERY_WINDOW(name, maker) \
  static ::gallery::Registration GALLERY_CONCAT(galleryRegistration_, __LINE__)(name, maker)
