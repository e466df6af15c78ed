// Real windows and GDI helpers for the skin tests: plain test window classes, a skinned
// top-level window made the way Apply skin leaves one (an instance in the engine, the
// window subclassed, a back buffer filled with a known pattern), test control families,
// pixel reading and a count of the process's GDI objects.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_engine.h"

namespace skintest {

// A top-level popup window (no frame: window and client rectangles coincide), visible.
HWND MakeTopLevel(int x, int y, int w, int h);
// A child window of class cls ("Static", "Button", "Edit", ...) with WS_CHILD | WS_VISIBLE.
HWND MakeChild(HWND parent, const char* cls, int x, int y, int w, int h, DWORD style = 0, DWORD exStyle = 0);

// The colour of the back-buffer test pattern at (x, y), as 0x00RRGGBB.
uint32_t PatternAt(int x, int y);
// Same pattern, another colour mix (for background owners' DCs).
uint32_t OwnerPatternAt(int x, int y);

// A memory DC holding a 32-bit w x h bitmap filled by pattern; released on destruction.
class PatternDC {
 public:
  PatternDC(int w, int h, uint32_t (*pattern)(int, int) = PatternAt);
  ~PatternDC();
  PatternDC(const PatternDC&) = delete;
  PatternDC& operator=(const PatternDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

// Turns window into a skinned top-level window of the engine: instance appended, back
// buffer made (w x h, PatternAt) with "Ck_Ycjdx"/"Ck_wtjbdx" as the background renderer
// keeps them, both strip DCs made, and the window subclassed with a procedure that removes
// the instance on WM_NCDESTROY. Returns the instance number.
int SkinTopLevel(tunelark::SkinEngine& engine, HWND window, int w, int h);

// Test families: push buttons and edit boxes taken with TakeControl, transparent controls
// with the "Kj_" keys, containers (tint, alpha, ownPaint given).
struct TestButtonRecord : tunelark::ControlRecord {
  static constexpr tunelark::Family kFamily = tunelark::Family::Button;
  int clicks = 0;
};
struct TestEditRecord : tunelark::ControlRecord {
  static constexpr tunelark::Family kFamily = tunelark::Family::Edit;
};
struct TestTransparentRecord : tunelark::ControlRecord {
  static constexpr tunelark::Family kFamily = tunelark::Family::Transparent;
};
void TakeTestButtons(tunelark::SkinEngine& engine, int instance, HWND parent);
void TakeTestEdits(tunelark::SkinEngine& engine, int instance, HWND parent);
int TakeTestTransparent(tunelark::SkinEngine& engine, int instance, HWND control);
int TakeTestContainer(tunelark::SkinEngine& engine, int instance, HWND container, COLORREF tint, BYTE alpha,
                      int ownPaint = 1, bool groupBox = false);
// Messages the test families' procedures saw (all of them, any window).
int FamilyMessagesSeen();

// Pixels of the bitmap selected into dc, as 0x00RRGGBB rows from the top.
std::vector<uint32_t> ReadPixels(HDC dc, int w, int h);
std::vector<uint32_t> ReadBitmapPixels(HBITMAP bitmap, int w, int h);
// Saves pixels as <screenshots>\<name>.png.
void SavePixels(const std::vector<uint32_t>& pixels, int w, int h, const std::string& name);

// GDI objects of this process.
int GdiObjectCount();

// a over b at alpha (0..255), per channel, as GDI+ blends an opaque destination.
uint32_t Blend(uint32_t a, uint32_t b, int alpha);
bool Near(uint32_t a, uint32_t b, int tolerance);

void Pump();

}  // namespace skintest
