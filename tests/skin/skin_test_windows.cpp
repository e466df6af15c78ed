#include "tests/skin/skin_test_windows.h"

#include "tests/support/gdi_count.h"

#include <cstdlib>
#include <memory>

#include "skin/container_record.h"
#include "skin/subclass.h"
#include "tests/support/gdi_count.h"
#include "tests/support/process.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"

using namespace tunelark;

namespace skintest {

namespace {

int g_familyMessages = 0;

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

const char* TopLevelClass() {
  static const char* name = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = Module();
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "TlSkinTestTop";
    RegisterClassA(&wc);
    return "TlSkinTestTop";
  }();
  return name;
}

// The engine's top-level procedure as far as these tests need it: instance removal on
// WM_NCDESTROY, everything chained.
LRESULT CALLBACK TestTopLevelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY)
    if (SkinEngine* engine = SkinEngine::Current()) engine->RemoveInstance(window);
  return CallPreviousProc(window, message, wParam, lParam);
}

LRESULT CALLBACK TestFamilyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_familyMessages;
  return CallPreviousProc(window, message, wParam, lParam);
}

LRESULT CALLBACK TestTransparentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_familyMessages;
  return CallPreviousProc(window, message, wParam, lParam, prop::kTransparentProc);
}

// The header of a top-down 32-bit w x h DIB.
BITMAPINFO TopDown32(int w, int h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

HBITMAP MakeDib(int w, int h, uint32_t** bits) {
  BITMAPINFO info = TopDown32(w, h);
  void* p = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &p, nullptr, 0);
  *bits = static_cast<uint32_t*>(p);
  return b;
}

}  // namespace

HWND MakeTopLevel(int x, int y, int w, int h) {
  HWND window = CreateWindowExA(0, TopLevelClass(), "skin test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, w, h,
                                nullptr, nullptr, Module(), nullptr);
  Pump();
  return window;
}

HWND MakeChild(HWND parent, const char* cls, int x, int y, int w, int h, DWORD style, DWORD exStyle) {
  return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr, Module(),
                         nullptr);
}

uint32_t PatternAt(int x, int y) {
  return (static_cast<uint32_t>(x & 0xFF) << 16) | (static_cast<uint32_t>(y & 0xFF) << 8) |
         static_cast<uint32_t>((x * 7 + y * 3) & 0xFF);
}

uint32_t OwnerPatternAt(int x, int y) {
  return (static_cast<uint32_t>((x * 5 + 40) & 0xFF) << 16) | (static_cast<uint32_t>((200 - y) & 0xFF) << 8) |
         static_cast<uint32_t>((x + y) & 0xFF);
}

PatternDC::PatternDC(int w, int h, uint32_t (*pattern)(int, int)) {
  dc_ = CreateCompatibleDC(nullptr);
  uint32_t* bits = nullptr;
  bitmap_ = MakeDib(w, h, &bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bits[y * w + x] = pattern(x, y);
  previous_ = SelectObject(dc_, bitmap_);
}

PatternDC::~PatternDC() {
  SelectObject(dc_, previous_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

int SkinTopLevel(SkinEngine& engine, HWND window, int w, int h) {
  auto instance = std::make_unique<SkinInstance>(window);
  // The back buffer as the background renderer leaves it.
  HDC dc = CreateCompatibleDC(nullptr);
  uint32_t* bits = nullptr;
  HBITMAP back = MakeDib(w, h, &bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bits[y * w + x] = PatternAt(x, y);
  HGDIOBJ original = SelectObject(dc, back);
  instance->back.Adopt(window, dc, back, original);
  instance->back.captionStrip.Make(dc, w, 25, OffscreenDC::Kind::LikeDC);
  instance->back.statusStrip.Make(dc, w, 20, OffscreenDC::Kind::LikeDC);
  instance->skinned = true;
  SkinInstance& skin = *instance;
  int number = engine.AddInstance(std::move(instance));
  SubclassTopLevel(skin, number, TestTopLevelProc);
  return number;
}

void TakeTestButtons(SkinEngine& engine, int instance, HWND parent) {
  SkinInstance* skin = engine.Instance(instance);
  ForEachChildOfClass(parent, "Button", [&](HWND child) {
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) != BS_PUSHBUTTON) return;
    if (skin->List<TestButtonRecord>().Find(child)) return;
    TakeControl(*skin, instance, child, TestFamilyProc, TestButtonRecord{});
  });
}

void TakeTestEdits(SkinEngine& engine, int instance, HWND parent) {
  SkinInstance* skin = engine.Instance(instance);
  ForEachChildOfClass(parent, "Edit", [&](HWND child) {
    if (skin->List<TestEditRecord>().Find(child)) return;
    TakeControl(*skin, instance, child, TestFamilyProc, TestEditRecord{});
  });
}

int TakeTestTransparent(SkinEngine& engine, int instance, HWND control) {
  return TakeControl(*engine.Instance(instance), instance, control, TestTransparentProc, TestTransparentRecord{},
                     kTransparentLinkKeys);
}

int TakeTestContainer(SkinEngine& engine, int instance, HWND container, COLORREF tint, BYTE alpha, int ownPaint,
                      bool groupBox) {
  ContainerRecord record;
  record.tintColour = tint;
  record.tintAlpha = alpha;
  record.ownPaint = ownPaint;
  record.isGroupBox = groupBox ? 1 : 0;
  return TakeControl(*engine.Instance(instance), instance, container, TestFamilyProc, std::move(record));
}

int FamilyMessagesSeen() { return g_familyMessages; }

std::vector<uint32_t> ReadBitmapPixels(HBITMAP bitmap, int w, int h) {
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  BITMAPINFO info = TopDown32(w, h);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, h, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

std::vector<uint32_t> ReadPixels(HDC dc, int w, int h) {
  return ReadBitmapPixels(static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)), w, h);
}

void SavePixels(const std::vector<uint32_t>& pixels, int w, int h, const std::string& name) {
  tltest::Capture capture;
  capture.width = w;
  capture.height = h;
  capture.pixels = pixels;
  capture.SavePng(tltest::ScreenshotDirectory() + "\\" + name + ".png");
}

int GdiObjectCount() { return tltest::GdiObjectCount(); }

uint32_t Blend(uint32_t a, uint32_t b, int alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    int c = (ca * alpha + cb * (255 - alpha) + 127) / 255;
    out |= static_cast<uint32_t>(c) << shift;
  }
  return out;
}

bool Near(uint32_t a, uint32_t b, int tolerance) { return tltest::ColourNear(a, b, tolerance); }

void Pump() { tltest::PumpFor(30); }

}  // namespace skintest
