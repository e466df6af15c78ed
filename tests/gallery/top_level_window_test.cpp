// The skinned top-level window under Wine with real windows and real mouse input: its
// rounded region and frame, the caption buttons' geometry, hover fade and clicks, moving,
// sizing and maximising, each picture layout mode, the title, the status bar, and GDI
// objects and memory over many windows and fades.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/graphics.h"
#include "gfx/image_codec.h"
#include "skin/skin_colour.h"
#include "skin/skin_images.h"
#include "skin/window/caption_buttons.h"
#include "skin/window/window_placement.h"
#include "tests/gallery/gallery.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tunelark;

namespace {

constexpr DWORD kMinMax = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

using tltest::Channel;
using tltest::Rgb;
int Red(uint32_t c) { return Channel(c, 16); }
// How far a colour leans to red: red less the mean of green and blue.
int Redness(uint32_t c) { return Channel(c, 16) - (Channel(c, 8) + Channel(c, 0)) / 2; }
bool Near(uint32_t a, uint32_t b, int tolerance = 10) { return tltest::ColourNear(a, b, tolerance); }

// --- real mouse input from a second thread (the move and size loops are modal) -------------

POINT ToScreen(HWND w, POINT p) {
  ClientToScreen(w, &p);
  return p;
}

void SendMouse(DWORD flags, POINT screen = {}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((screen.x * 65535LL + (sw - 1) / 2) / (sw - 1));
    in.mi.dy = static_cast<LONG>((screen.y * 65535LL + (sh - 1) / 2) / (sh - 1));
  }
  SendInput(1, &in, sizeof in);
  Sleep(25);
}
void MoveTo(POINT screen) { SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen); }

// A press at `from`, moves in steps to `to`, a release; injected while this thread pumps.
void DragOnScreen(POINT from, POINT to) {
  std::atomic<bool> done{false};
  std::thread hand([&] {
    MoveTo(from);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 6; ++i) MoveTo({from.x + (to.x - from.x) * i / 6, from.y + (to.y - from.y) * i / 6});
    SendMouse(MOUSEEVENTF_LEFTUP);
    done = true;
  });
  while (!done) gallery::Pump(10);
  hand.join();
  gallery::Pump(100);
}

void DoubleClickOnScreen(POINT at) {
  std::atomic<bool> done{false};
  std::thread hand([&] {
    MoveTo(at);
    for (int i = 0; i < 2; ++i) {
      SendMouse(MOUSEEVENTF_LEFTDOWN);
      SendMouse(MOUSEEVENTF_LEFTUP);
    }
    done = true;
  });
  while (!done) gallery::Pump(10);
  hand.join();
  gallery::Pump(150);
}

// --- pictures ---------------------------------------------------------------------------

// A w x h picture of four quadrants (red, blue / green, yellow), or two halves (red | blue);
// PNG unless another encoder is named.
ByteArray QuadrantPicture(int w, int h, bool halves = false, const char* format = kImageFormatPng) {
  Bitmap b;
  Graphics g;
  if (!b.CreateFromScan0(w, h) || !g.CreateOnImage(b)) return {};
  g.FillRectangleWithColour(0xFFFF0000, {0, 0, w / 2.0f, static_cast<float>(h)});
  g.FillRectangleWithColour(0xFF0000FF, {w / 2.0f, 0, w / 2.0f, static_cast<float>(h)});
  if (!halves) {
    g.FillRectangleWithColour(0xFF00FF00, {0, h / 2.0f, w / 2.0f, h / 2.0f});
    g.FillRectangleWithColour(0xFFFFFF00, {w / 2.0f, h / 2.0f, w / 2.0f, h / 2.0f});
  }
  g.Flush(Gdiplus::FlushIntentionSync);
  return b.SaveToBytes(format);
}
const uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00, kYellow = 0xFFFF00;

RECT ClientOf(HWND w) {
  RECT r{};
  GetClientRect(w, &r);
  return r;
}

struct Changes {
  int inside = 0, outside = 0;
};

class TopLevelWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(engine_.Start()); }
  void TearDown() override {
    for (HWND w : windows_)
      if (IsWindow(w)) DestroyWindow(w);
    gallery::Pump(30);
  }
  HWND Gallery(const char* name) {
    HWND w = gallery::Make(name, engine_);
    windows_.push_back(w);
    tltest::BringToFront(w);
    gallery::Pump(150);
    return w;
  }
  HWND Own(const char* title, DWORD style, const ApplySkinArgs& args, int w = 481, int h = 375) {
    HWND window = gallery::MakeFrame(title, 40, 40, w, h, style);
    windows_.push_back(window);
    engine_.ApplySkin(window, args);
    tltest::BringToFront(window);
    gallery::Pump(150);
    return window;
  }
  SkinInstance& Skin(HWND w) { return *engine_.InstanceOfWindow(w); }
  uint32_t Back(HWND w, int x, int y) { return Rgb(GetPixel(Skin(w).back.dc(), x, y)); }
  uint32_t Strip(HWND w, int x, int y) { return Rgb(GetPixel(Skin(w).back.captionStrip.dc(), x, y)); }
  // What the window shows at a client point (read through its own DC: Wine hands a window's
  // pixels to the X server a little later than it draws them).
  uint32_t Screen(HWND w, int x, int y) {
    WindowDC dc(w);
    return Rgb(GetPixel(dc.get(), x, y));
  }
  // The back buffer's pixels in r (0x00RRGGBB, rows from the top), read in one go.
  std::vector<uint32_t> BackArea(HWND w, const RECT& r) {
    const BackBuffer& back = Skin(w).back;
    const int bw = back.width(), bh = back.height();
    std::vector<uint32_t> all(static_cast<size_t>(bw) * bh), out;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bw, -bh, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(back.dc(), static_cast<HBITMAP>(GetCurrentObject(back.dc(), OBJ_BITMAP)), 0, bh, all.data(), &info,
              DIB_RGB_COLORS);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) out.push_back(all[static_cast<size_t>(y) * bw + x] & 0xFFFFFF);
    return out;
  }
  // Back-buffer pixels a Set status item changes inside item n's cell and outside it.
  Changes ChangesOfStatusItem(HWND w, int n, const std::string& text, const std::optional<ByteArray>& picture,
                              std::optional<COLORREF> colour = std::nullopt) {
    const RECT all = ClientOf(w);
    const std::vector<uint32_t> before = BackArea(w, all);
    EXPECT_EQ(engine_.SetStatusItem(w, n, text, picture, colour), 1);
    const std::vector<uint32_t> after = BackArea(w, all);
    const IntRect cell = Skin(w).status.cells[static_cast<size_t>(n - 1)];
    Changes changes;
    for (int y = 0; y < all.bottom; ++y)
      for (int x = 0; x < all.right; ++x) {
        const size_t i = static_cast<size_t>(y * all.right + x);
        if (before[i] == after[i]) continue;
        const bool in = x >= cell.x && x < cell.x + cell.width && y >= cell.y && y < cell.y + cell.height;
        ++(in ? changes.inside : changes.outside);
      }
    return changes;
  }
  POINT ButtonCentre(HWND w, int n) {
    const CaptionButton& b = *Skin(w).caption.Button(n);
    return {static_cast<int>(b.x + b.w / 2), static_cast<int>(b.y + b.h / 2)};
  }
  void Save(HWND w, const std::string& name) {
    tltest::CaptureWindow(w).SavePng(tltest::ScreenshotDirectory() + "\\top_level_" + name + ".png");
  }
  SkinEngine engine_;
  std::vector<HWND> windows_;
};

RECT WorkAreaRect(HWND w) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

// --- region and frame ---------------------------------------------------------------------

TEST_F(TopLevelWindowTest, TheWindowIsARoundedRectangleWithATwoPenFrameAndNoMagentaOnScreen) {
  HWND w = Gallery("frame_minmax");
  const RECT c = ClientOf(w);
  const int W = c.right, H = c.bottom;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(w, region), ERROR);
  for (POINT corner : {POINT{0, 0}, POINT{W - 1, 0}, POINT{0, H - 1}, POINT{W - 1, H - 1}})
    EXPECT_FALSE(PtInRegion(region, corner.x, corner.y)) << corner.x << "," << corner.y;
  EXPECT_TRUE(PtInRegion(region, W / 2, 0));
  EXPECT_TRUE(PtInRegion(region, W / 2, H / 2));
  DeleteObject(region);
  // Black (alpha 180) on the outer line, white (alpha 180) on the inner one.
  for (POINT p : {POINT{W / 2, 0}, POINT{0, H / 2}, POINT{W / 2, H - 1}, POINT{W - 1, H / 2}})
    EXPECT_LE(Red(Back(w, p.x, p.y)), 90) << p.x << "," << p.y;
  for (POINT p : {POINT{W / 2, 1}, POINT{1, H / 2}, POINT{W / 2, H - 2}, POINT{W - 2, H / 2}})
    EXPECT_GE(Channel(Back(w, p.x, p.y), 8), 170) << p.x << "," << p.y;
  const tltest::Capture shot = tltest::CaptureWindow(w);
  shot.SavePng(tltest::ScreenshotDirectory() + "\\top_level_frame.png");
  region = CreateRectRgn(0, 0, 0, 0);
  GetWindowRgn(w, region);
  int magenta = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (PtInRegion(region, x, y) && shot.At(x, y) == 0xFF00FF) ++magenta;
  DeleteObject(region);
  EXPECT_EQ(magenta, 0);
  EXPECT_TRUE(Near(shot.At(W / 2, H / 2), Back(w, W / 2, H / 2), 2)) << "the screen shows the back buffer";
}

// --- caption buttons -------------------------------------------------------------------------

TEST_F(TopLevelWindowTest, CaptionButtonsAreLaidOutFromTheRightEdgeAndAnAddedButtonPushesThemLeft) {
  HWND w = Gallery("frame_minmax");
  const int W = ClientOf(w).right;
  CaptionBar& bar = Skin(w).caption;
  ASSERT_EQ(bar.Count(), 3);
  EXPECT_EQ(bar.width, 95);
  EXPECT_EQ(bar.left, W - 94);
  const CaptionButtonKind kinds[] = {CaptionButtonKind::Minimize, CaptionButtonKind::MaximizeRestore,
                                     CaptionButtonKind::Close};
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(bar.Button(i)->kind, kinds[i - 1]);
    EXPECT_EQ(bar.Button(i)->x, bar.left + 2 + (i - 1) * 27);
  }
  EXPECT_EQ(bar.Button(3)->w, 40) << "the close button answers the mouse 40 wide";
  EXPECT_EQ(bar.Button(3)->width, 38) << "and draws 38 wide";
  EXPECT_EQ(bar.Button(1)->w, 26);
  EXPECT_EQ(bar.tooltip.ToolCount(), 3);
  // A point on an edge belongs to no button; one pixel inside does.
  const CaptionButton& close = *bar.Button(3);
  const int midY = static_cast<int>(close.y + close.h / 2);
  EXPECT_EQ(ButtonAtPoint(Skin(w), static_cast<int>(close.x), midY), 0);
  EXPECT_EQ(ButtonAtPoint(Skin(w), static_cast<int>(close.x) + 1, midY), 3);
  EXPECT_EQ(ButtonAtPoint(Skin(w), static_cast<int>(close.x + close.w), midY), 0);
  EXPECT_EQ(ButtonAtPoint(Skin(w), static_cast<int>(close.x) + 1, static_cast<int>(close.y)), 0);
  EXPECT_EQ(ButtonAtPoint(Skin(w), bar.left - 1, midY), 0);

  // An added button goes in front: the strip grows 27 pixels to the left and the new button
  // takes that place; the others move one place on in the list and keep their place on the
  // screen, the row staying against the right edge.
  const float before[] = {bar.Button(1)->x, bar.Button(2)->x, bar.Button(3)->x};
  const int left = bar.left;
  ASSERT_EQ(engine_.AddCaptionButton(w, CopySkinImage(SkinImage::HelpGlyph), "tip", {}), 1);
  CaptionBar& after = Skin(w).caption;
  ASSERT_EQ(after.Count(), 4);
  EXPECT_EQ(after.left, left - 27);
  EXPECT_EQ(after.width, 95 + 27);
  EXPECT_EQ(after.Button(1)->kind, CaptionButtonKind::Own);
  EXPECT_EQ(after.Button(1)->x, before[0] - 27);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(after.Button(i + 2)->x, before[i]) << "button " << i + 1;
  EXPECT_EQ(after.tooltip.ToolCount(), 4);
  EXPECT_EQ(engine_.AddCaptionButton(GetDesktopWindow(), {}, "", {}), 0);

  HWND closeOnly = Gallery("frame_close_only");
  EXPECT_EQ(Skin(closeOnly).caption.width, 41);
  EXPECT_EQ(Skin(closeOnly).caption.Count(), 1);
  HWND helpMenu = Gallery("frame_help_menu");
  ASSERT_EQ(Skin(helpMenu).caption.Count(), 5);
  EXPECT_EQ(Skin(helpMenu).caption.Button(1)->kind, CaptionButtonKind::Help);
  EXPECT_EQ(Skin(helpMenu).caption.Button(2)->kind, CaptionButtonKind::MainMenu);
}

// Dispatches this thread's messages for up to ms; after every WM_TIMER of w runs, adds
// sample() to the samples.
std::vector<int> SampleTicks(HWND w, int ticks, const std::function<int()>& sample) {
  std::vector<int> samples;
  const DWORD end = GetTickCount() + 2000;
  while (static_cast<int>(samples.size()) < ticks && static_cast<int>(end - GetTickCount()) > 0) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (msg.message == WM_TIMER && msg.hwnd == w) samples.push_back(sample());
  }
  return samples;
}

std::string Listed(const std::vector<int>& v) {
  std::string s;
  for (int x : v) s += std::to_string(x) + " ";
  return s;
}

TEST_F(TopLevelWindowTest, TheHoverFadeRisesOnTheButtonUnderTheMouseAndFallsOnTheOneItLeft) {
  HWND w = Gallery("frame_minmax");
  const CaptionButton close = *Skin(w).caption.Button(3);
  const CaptionButton max = *Skin(w).caption.Button(2);
  // Top corners of the buttons, clear of their glyphs.
  const POINT closeSpot{static_cast<int>(close.x) + 2, static_cast<int>(close.y) + 2};
  const POINT maxSpot{static_cast<int>(max.x) + 2, static_cast<int>(max.y) + 2};
  auto closeRed = [&] { return Redness(Screen(w, closeSpot.x, closeSpot.y)); };
  const int atRest = closeRed();
  tltest::MoveMouseTo(w, {100, 60});
  tltest::MoveMouseTo(w, ButtonCentre(w, 3));
  std::vector<int> in = SampleTicks(w, 8, closeRed);
  ASSERT_EQ(in.size(), 8u);
  for (size_t i = 1; i < in.size(); ++i) EXPECT_GE(in[i], in[i - 1] - 2) << Listed(in);
  EXPECT_GE(in.back(), atRest + 60) << Listed(in);
  Save(w, "close_hot");

  // Straight on to the maximise button: one fades out while the other fades in.
  const uint32_t accent = Rgb(engine_.options.accentColour);
  auto maxDistance = [&] {
    const uint32_t p = Screen(w, maxSpot.x, maxSpot.y);
    return std::abs(Channel(p, 0) - Channel(accent, 0)) + std::abs(Channel(p, 8) - Channel(accent, 8)) + std::abs(Channel(p, 16) - Channel(accent, 16));
  };
  tltest::MoveMouseTo(w, ButtonCentre(w, 2));
  EXPECT_EQ(Skin(w).caption.fadeOut.button, 3);
  EXPECT_EQ(Skin(w).caption.fadeIn.button, 2);
  std::vector<int> closeOut;
  const std::vector<int> maxIn = SampleTicks(w, 8, [&] {
    closeOut.push_back(closeRed());
    return maxDistance();
  });
  ASSERT_EQ(maxIn.size(), 8u);
  for (size_t i = 1; i < maxIn.size(); ++i) EXPECT_LE(maxIn[i], maxIn[i - 1] + 3) << Listed(maxIn);
  for (size_t i = 1; i < closeOut.size(); ++i) EXPECT_LE(closeOut[i], closeOut[i - 1] + 2) << Listed(closeOut);
  EXPECT_LE(closeOut.back(), atRest + 5) << "the close button is back at rest";

  // Away from the strip: the maximise button fades out, then the timer stops.
  tltest::MoveMouseTo(w, {100, 120});
  std::vector<int> out = SampleTicks(w, 8, [&] { return maxDistance(); });
  for (size_t i = 1; i < out.size(); ++i) EXPECT_GE(out[i], out[i - 1] - 3) << Listed(out);
  gallery::Pump(100);
  EXPECT_EQ(Skin(w).caption.hotButton, 0);
  EXPECT_FALSE(Skin(w).caption.hoverTimer);

  // Straight out of the window from the close button: it falls back to rest.
  tltest::MoveMouseTo(w, ButtonCentre(w, 3));
  SampleTicks(w, 8, closeRed);
  tltest::MoveMouseTo(w, {ClientOf(w).right + 60, 60});
  SampleTicks(w, 8, closeRed);
  gallery::Pump(100);
  EXPECT_EQ(Skin(w).caption.hotButton, 0);
  EXPECT_LE(closeRed(), atRest + 5);
}

TEST_F(TopLevelWindowTest, ClicksOnTheCaptionButtonsMinimiseMaximiseRestoreAndClose) {
  HWND w = Gallery("frame_minmax");
  RECT start{};
  GetWindowRect(w, &start);
  tltest::ClickAt(w, ButtonCentre(w, 2));  // maximise
  gallery::Pump(200);
  EXPECT_TRUE(IsZoomed(w));
  RECT r{};
  GetWindowRect(w, &r);
  const RECT work = WorkAreaRect(w);
  EXPECT_TRUE(EqualRect(&r, &work)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  Save(w, "maximised");
  tltest::ClickAt(w, ButtonCentre(w, 2));  // restore
  gallery::Pump(200);
  EXPECT_FALSE(IsZoomed(w));
  EXPECT_FALSE(Skin(w).frame.maximised);
  GetWindowRect(w, &r);
  EXPECT_TRUE(EqualRect(&r, &start));
  tltest::ClickAt(w, ButtonCentre(w, 1));  // minimise
  gallery::Pump(200);
  EXPECT_TRUE(IsIconic(w));
  SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
  gallery::Pump(200);
  EXPECT_FALSE(IsIconic(w));
  EXPECT_FALSE(Skin(w).frame.minimised);
  tltest::BringToFront(w);
  tltest::ClickAt(w, ButtonCentre(w, 3));  // close
  gallery::Pump(200);
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(TopLevelWindowTest, HandlerButtonsRunTheirRoutinesAndTheSystemPicturesCanBeReplaced) {
  HWND w = Gallery("frame_help_menu");
  int help = 0, menu = 0, own = 0;
  ASSERT_EQ(engine_.SetHelpHandler(w, [&] { ++help; }), 1);
  ASSERT_EQ(engine_.SetMenuHandler(w, [&] { ++menu; }), 1);
  tltest::ClickAt(w, ButtonCentre(w, 1));
  tltest::ClickAt(w, ButtonCentre(w, 2));
  EXPECT_EQ(help, 1);
  EXPECT_EQ(menu, 1);
  ASSERT_EQ(engine_.AddCaptionButton(w, CopySkinImage(SkinImage::MinimizeGlyph), "own", [&] { ++own; }), 1);
  gallery::Pump(100);
  tltest::ClickAt(w, ButtonCentre(w, 1));
  EXPECT_EQ(own, 1);
  EXPECT_EQ(help, 1) << "the help button moved one place on";
  engine_.CaptionButtonAction(engine_.FindSkinInstance(w), 99);  // outside the list: nothing

  // A new close picture shows at once; pictures not given stay.
  const int n = Skin(w).caption.Count();
  const ByteArray minimise = Skin(w).caption.Button(n - 2)->image;
  const RECT close = [&] {
    const CaptionButton& b = *Skin(w).caption.Button(n);
    return RECT{static_cast<LONG>(b.x), static_cast<LONG>(b.y), static_cast<LONG>(b.x + b.width - 1),
                static_cast<LONG>(b.y + b.h)};
  }();
  const std::vector<uint32_t> before = BackArea(w, close);
  SystemButtonPictures pictures;
  pictures.close = QuadrantPicture(38, 18);
  ASSERT_EQ(engine_.SetSystemButtonPictures(w, pictures), 1);
  EXPECT_NE(BackArea(w, close), before);
  EXPECT_EQ(Skin(w).caption.Button(n)->image, *pictures.close);
  EXPECT_EQ(Skin(w).caption.Button(n - 2)->image, minimise);
  EXPECT_EQ(engine_.SetSystemButtonPictures(GetDesktopWindow(), pictures), 0);
  Save(w, "own_pictures");
}

// --- moving, sizing, maximising ----------------------------------------------------------

TEST_F(TopLevelWindowTest, TheCaptionDragsTheWindowAndADoubleClickMaximisesAndRestoresASizableOne) {
  HWND w = Gallery("frame_minmax");
  RECT before{}, after{};
  GetWindowRect(w, &before);
  DragOnScreen(ToScreen(w, {150, 12}), ToScreen(w, {210, 52}));
  GetWindowRect(w, &after);
  EXPECT_EQ(after.left - before.left, 60);
  EXPECT_EQ(after.top - before.top, 40);
  EXPECT_EQ(after.right - after.left, before.right - before.left) << "moved, not sized";

  DoubleClickOnScreen(ToScreen(w, {150, 12}));
  EXPECT_TRUE(IsZoomed(w));
  DoubleClickOnScreen(ToScreen(w, {150, 12}));
  EXPECT_FALSE(IsZoomed(w));
  RECT restored{};
  GetWindowRect(w, &restored);
  EXPECT_TRUE(EqualRect(&restored, &after));
  DoubleClickOnScreen(ToScreen(w, {150, 100}));
  EXPECT_FALSE(IsZoomed(w)) << "below the caption band";

  HWND fixed = Gallery("frame_close_only");  // WS_MAXIMIZEBOX absent, sizable 0
  DoubleClickOnScreen(ToScreen(fixed, {150, 12}));
  EXPECT_FALSE(IsZoomed(fixed));
}

TEST_F(TopLevelWindowTest, EdgesAndCornersOfASizableWindowShowSizingCursorsAndSizeIt) {
  HWND w = Gallery("frame_minmax");
  const RECT c = ClientOf(w);
  struct Hover {
    POINT at;
    int cursor;
  };
  const Hover hovers[] = {{{c.right - 1, c.bottom / 2}, 32644}, {{0, c.bottom / 2}, 32644},
                          {{c.right / 2, c.bottom - 1}, 32645}, {{c.right / 2, 1}, 32645},
                          {{c.right - 2, c.bottom - 2}, 32642}, {{1, 1}, 32642},
                          {{c.right - 2, 2}, 32643},            {{2, c.bottom - 2}, 32643}};
  for (const Hover& h : hovers) {
    tltest::MoveMouseTo(w, {c.right / 2, c.bottom / 2});
    tltest::MoveMouseTo(w, h.at);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(h.cursor))) << h.at.x << "," << h.at.y;
    SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(h.cursor))) << "kept over WM_SETCURSOR";
  }
  RECT before{}, after{};
  GetWindowRect(w, &before);
  DragOnScreen(ToScreen(w, {c.right - 1, c.bottom / 2}), ToScreen(w, {c.right + 49, c.bottom / 2}));
  GetWindowRect(w, &after);
  EXPECT_EQ(after.right - before.right, 50);
  EXPECT_EQ(after.left, before.left);
  before = after;
  DragOnScreen(ToScreen(w, {ClientOf(w).right - 2, c.bottom - 2}), ToScreen(w, {ClientOf(w).right + 28, c.bottom + 18}));
  GetWindowRect(w, &after);
  EXPECT_EQ(after.right - before.right, 30);
  EXPECT_EQ(after.bottom - before.bottom, 20);
  // The top-left corner moves the window's left and top edges and keeps the others.
  before = after;
  DragOnScreen(ToScreen(w, {1, 1}), ToScreen(w, {-19, -9}));
  GetWindowRect(w, &after);
  EXPECT_EQ(after.left - before.left, -20);
  EXPECT_EQ(after.top - before.top, -10);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  gallery::Pump(100);
  EXPECT_EQ(Skin(w).back.width(), after.right - after.left) << "rendered again at the new size";
  Save(w, "sized");
  // Resized by a program while another window is active: it is shaped again and stays
  // inactive.
  HWND other = Gallery("frame_close_only");
  SetWindowPos(other, nullptr, 560, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);  // beside it
  ASSERT_EQ(GetForegroundWindow(), other);
  SetWindowPos(w, nullptr, 0, 0, after.right - after.left + 30, after.bottom - after.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  gallery::Pump(150);
  EXPECT_EQ(Skin(w).back.width(), after.right - after.left + 30);
  EXPECT_EQ(GetForegroundWindow(), other) << "the re-render did not activate the resized window";
}

TEST_F(TopLevelWindowTest, AWindowAppliedWithSizableZeroIsNeverSizedByItsBorder) {
  HWND w = Gallery("frame_close_only");
  const RECT c = ClientOf(w);
  tltest::MoveMouseTo(w, {c.right / 2, c.bottom / 2});
  tltest::MoveMouseTo(w, {c.right - 1, c.bottom / 2});
  EXPECT_NE(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32644)));
  RECT before{}, after{};
  GetWindowRect(w, &before);
  DragOnScreen(ToScreen(w, {c.right - 1, c.bottom / 2}), ToScreen(w, {c.right + 40, c.bottom / 2}));
  DragOnScreen(ToScreen(w, {c.right / 2, c.bottom - 1}), ToScreen(w, {c.right / 2, c.bottom + 40}));
  GetWindowRect(w, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  DragOnScreen(ToScreen(w, {100, 10}), ToScreen(w, {130, 30}));
  GetWindowRect(w, &after);
  EXPECT_EQ(after.left - before.left, 30) << "its caption still moves it";
}

TEST_F(TopLevelWindowTest, MaximisingFillsTheWorkAreaWhereverTheTaskbarLies) {
  HWND w = Gallery("frame_minmax");
  RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  RECT saved{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved, 0);
  RECT side = screen;
  side.right -= 100;  // a taskbar on the right edge
  SystemParametersInfoA(SPI_SETWORKAREA, 0, &side, 0);
  const RECT work = WorkAreaRect(w);
  if (work.right == screen.right) std::printf("note: the monitor's work area ignores SPI_SETWORKAREA here\n");
  tltest::ClickAt(w, ButtonCentre(w, 2));
  gallery::Pump(200);
  RECT r{};
  GetWindowRect(w, &r);
  SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved, 0);
  EXPECT_TRUE(IsZoomed(w));
  EXPECT_TRUE(EqualRect(&r, &work)) << r.left << "," << r.top << "," << r.right << "," << r.bottom << " work "
                                    << work.right << "," << work.bottom;
  EXPECT_GT(r.bottom - r.top, 150);
  // A restore by the system command (with the low bits the system sets) clears the flag, so
  // the caption drags the window again.
  SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE | 2, 0);
  gallery::Pump(200);
  EXPECT_FALSE(IsZoomed(w));
  EXPECT_FALSE(Skin(w).frame.maximised);
  RECT before{}, after{};
  GetWindowRect(w, &before);
  DragOnScreen(ToScreen(w, {150, 12}), ToScreen(w, {170, 32}));
  GetWindowRect(w, &after);
  EXPECT_EQ(after.left - before.left, 20);
}

TEST(MaximisedSizeTest, IsTheWorkAreaWhereverTheTaskbarLies) {
  const RECT monitor{0, 0, 1024, 768};
  FrameState frame;
  frame.maximised = true;
  struct Case {
    RECT work;
    const char* taskbar;
  };
  for (const Case& c : {Case{{0, 0, 1024, 728}, "bottom"}, Case{{0, 40, 1024, 768}, "top"},
                        Case{{0, 0, 964, 768}, "right"}, Case{{60, 0, 1024, 768}, "left"}, Case{monitor, "none"}}) {
    MINMAXINFO info{};
    FillMinMaxInfo(frame, c.work, monitor, info);
    EXPECT_EQ(info.ptMaxTrackSize.x, c.work.right - c.work.left) << c.taskbar;
    EXPECT_EQ(info.ptMaxTrackSize.y, c.work.bottom - c.work.top) << c.taskbar;
    EXPECT_EQ(info.ptMaxPosition.x, c.work.left) << c.taskbar;
    EXPECT_EQ(info.ptMaxPosition.y, c.work.top) << c.taskbar;
    EXPECT_EQ(info.ptMinTrackSize.x, 200);
    EXPECT_EQ(info.ptMinTrackSize.y, 150);
  }
}

// --- the picture's layout modes --------------------------------------------------------------

TEST_F(TopLevelWindowTest, EachLayoutModePlacesThePictureWhereItBelongs) {
  const ByteArray quadrants = QuadrantPicture(200, 200);
  ASSERT_FALSE(quadrants.empty());
  auto make = [&](int mode, const ByteArray& picture) {
    ApplySkinArgs args;
    args.picture = picture;
    args.ownLayoutMode = mode;
    HWND w = Own(("mode " + std::to_string(mode)).c_str(), kMinMax, args);
    Save(w, "layout" + std::to_string(mode));
    return w;
  };
  struct Sample {
    int x, y;
    uint32_t colour;
  };
  auto check = [&](HWND w, std::initializer_list<Sample> samples) {
    for (const Sample& s : samples)
      EXPECT_TRUE(Near(Back(w, s.x, s.y), s.colour, 12))
          << "mode " << Skin(w).picture.layoutMode << " at " << s.x << "," << s.y << ": " << std::hex << Back(w, s.x, s.y);
  };
  const RECT c = [&] {
    HWND probe = make(0, quadrants);
    check(probe, {{50, 50, kRed}, {120, 50, kBlue}, {50, 120, kGreen}});
    return ClientOf(probe);
  }();
  const int W = c.right, H = c.bottom;
  check(make(1, quadrants), {{W - 200 + 80, 50, kRed}, {W - 200 + 150, 50, kBlue}, {W - 200 + 80, 120, kGreen}});
  const int x0 = (W - 200) / 2, y0 = (H - 200) / 2;
  check(make(2, quadrants), {{x0 + 50, y0 + 50, kRed}, {x0 + 150, y0 + 50, kBlue}, {x0 + 150, y0 + 150, kYellow}});
  check(make(3, quadrants), {{W / 4, H / 4, kRed}, {3 * W / 4, H / 4, kBlue}, {W / 4, 3 * H / 4, kGreen},
                             {3 * W / 4, 3 * H / 4, kYellow}});
  HWND tiles = make(4, quadrants);
  check(tiles, {{50, 50, kRed}, {150, 50, kBlue}, {250, 50, kBlue}, {350, 50, kRed}, {450, 50, kRed}});
  EXPECT_TRUE(Near(Back(tiles, 100, 250), Rgb(Skin(tiles).picture.baseColour), 3)) << "below the tiles";
  // A picture wider than the window: one copy, not mirrored.
  check(make(4, QuadrantPicture(600, 200, true)), {{100, 50, kRed}, {400, 50, kBlue}});
}

TEST_F(TopLevelWindowTest, SetBackgroundKeepsClearsOrFollowsAndAWindowCanHaveItsOwnPicture) {
  HWND w = Gallery("frame_minmax");
  const ByteArray quadrants = QuadrantPicture(400, 300, false);
  engine_.SetBackground(quadrants, std::nullopt, std::nullopt, 3);
  EXPECT_EQ(engine_.options.accentColour, 0xDDCA22u) << "no accent given: the default";
  EXPECT_TRUE(Near(Back(w, 100, 100), kRed, 3)) << "visible windows render the new picture";
  engine_.SetBackground({}, RGB(1, 2, 3));  // a colour alone changes nothing
  EXPECT_EQ(engine_.background.picture, quadrants);
  engine_.SetBackground(quadrants, std::nullopt, static_cast<COLORREF>(-1), 3);
  EXPECT_EQ(engine_.options.accentColour, engine_.background.baseColour & 0xFFFFFF) << "-1: the base colour";

  // The window's own picture, stretched, in front of the engine's.
  EXPECT_EQ(0, engine_.SetWindowBackground(w, {}));
  EXPECT_EQ(1, engine_.SetWindowBackground(w, QuadrantPicture(200, 100, true), 3));
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const RECT c = ClientOf(w);
  EXPECT_TRUE(Near(Back(w, c.right / 4, c.bottom * 3 / 4), kRed, 3));
  EXPECT_TRUE(Near(Back(w, c.right * 3 / 4, c.bottom * 3 / 4), kBlue, 3));
  // Bytes that decode to no picture are refused and the window keeps its picture and mode.
  const WindowPicture kept = Skin(w).picture;
  EXPECT_EQ(0, engine_.SetWindowBackground(w, ByteArray(3000, 0x5A), 0));
  EXPECT_EQ(Skin(w).picture.bytes, kept.bytes);
  EXPECT_EQ(Skin(w).picture.layoutMode, 3);
  EXPECT_EQ(Skin(w).picture.baseColour, kept.baseColour);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(Near(Back(w, c.right / 4, c.bottom * 3 / 4), kRed, 3));
  EXPECT_EQ(1, engine_.SetWindowBackground(w, QuadrantPicture(200, 100, true, kImageFormatJpeg)));

  // No picture at all: the button-face colour is the base.
  engine_.SetBackground({});
  EXPECT_TRUE(engine_.background.picture.empty());
  EXPECT_EQ(engine_.background.baseColour, GetSysColor(COLOR_BTNFACE));
}

TEST_F(TopLevelWindowTest, APictureThatDoesNotLoadIsSkippedInEveryMode) {
  const ByteArray garbage(4000, 0x5A);
  for (int mode = 0; mode <= 4; ++mode) {
    ApplySkinArgs args;
    args.picture = garbage;
    args.ownLayoutMode = mode;
    HWND w = Own("garbage", kMinMax, args);
    ASSERT_NE(Skin(w).back.dc(), nullptr) << "mode " << mode << " rendered";
    const uint32_t base = Skin(w).picture.bytes.empty() ? Rgb(engine_.background.baseColour)
                                                         : Rgb(Skin(w).picture.baseColour);
    EXPECT_TRUE(Near(Back(w, 200, 200), base, 3)) << "mode " << mode;
    DestroyWindow(w);
  }
  engine_.SetBackground(garbage, std::nullopt, std::nullopt, 4);  // the engine-wide picture too
  HWND w = Gallery("frame_minmax");
  EXPECT_NE(Skin(w).back.dc(), nullptr);
}

// --- the title ---------------------------------------------------------------------------------

TEST_F(TopLevelWindowTest, TheTitleIsTheIconAndWhiteLettersWithAGreyHaloClippedBeforeTheButtons) {
  HWND w = Own("Title", kMinMax, {});
  Skin(w);
  const int b = engine_.borderWidth;
  ASSERT_EQ(b, 3);
  // The icon at (B + 6, B + 2), 17 x 17; nothing of it past 17 pixels.
  int iconPixels = 0;
  for (int y = b + 2; y < b + 2 + 17; ++y)
    for (int x = b + 6; x < b + 6 + 17; ++x) iconPixels += Back(w, x, y) != Strip(w, x, y);
  EXPECT_GT(iconPixels, 40);
  for (int y = b + 2; y < b + 2 + 17; ++y) EXPECT_EQ(Back(w, b + 6 + 18, y), Strip(w, b + 6 + 18, y)) << y;
  // White letters with grey (0x808080, alpha 150) around them.
  auto countText = [&](int* grey) {
    int white = 0;
    *grey = 0;
    for (int y = b + 5; y < 25; ++y)
      for (int x = b + 26; x < b + 26 + 60; ++x) {
        const uint32_t p = Back(w, x, y);
        if (Near(p, 0xFFFFFF, 8)) ++white;
        if (p != Strip(w, x, y) && Channel(p, 16) < Red(Strip(w, x, y)) - 10) ++*grey;
      }
    return white;
  };
  int grey = 0;
  EXPECT_GT(countText(&grey), 5);
  EXPECT_GT(grey, 5);
  Save(w, "title");
  // A long title stops before the buttons; SetWindowText puts it on the screen at once.
  const RECT strip = CaptionButtonRect(Skin(w));
  const std::vector<uint32_t> buttons = BackArea(w, strip);
  std::vector<uint32_t> before;
  for (int x = b + 26; x < b + 26 + 40; ++x) before.push_back(Screen(w, x, b + 10));
  ValidateRect(w, nullptr);
  SetWindowTextA(w, std::string(300, 'W').c_str());
  EXPECT_EQ(BackArea(w, strip), buttons);
  int shown = 0, changed = 0;
  for (int x = b + 26; x < b + 26 + 40; ++x) {
    shown += Screen(w, x, b + 10) == Back(w, x, b + 10) ? 1 : 0;
    changed += Screen(w, x, b + 10) != before[static_cast<size_t>(x - b - 26)] ? 1 : 0;
  }
  EXPECT_GT(shown, 36) << "the screen shows the new title without a paint";
  EXPECT_GT(changed, 5);
  // A null text is an empty title.
  SendMessageA(w, WM_SETTEXT, 0, 0);
  EXPECT_EQ(countText(&grey), 0);
  EXPECT_EQ(engine_.SetTitleStyle(w, {}), 1);
  EXPECT_EQ(engine_.SetTitleStyle(GetDesktopWindow(), {}), 0);
}

// --- the status bar ----------------------------------------------------------------------------

TEST_F(TopLevelWindowTest, StatusItemsAreLaidOutAndOneItemRepaintsOnlyItsCell) {
  HWND w = Gallery("frame_status_bar");
  const RECT c = ClientOf(w);
  const StatusBar& bar = Skin(w).status;
  ASSERT_EQ(bar.Count(), 3);
  EXPECT_EQ(bar.area.y, c.bottom - 3 - 22 - 1);
  EXPECT_EQ(bar.cells[0].x, 3);
  EXPECT_EQ(bar.cells[1].x, 123);
  EXPECT_EQ(bar.cells[2].x, 213);
  EXPECT_EQ(bar.cells[2].width, c.right - 3 - 213);
  Save(w, "status_bar");
  RECT r{};
  GetWindowRect(w, &r);
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left + 100, r.bottom - r.top + 20, SWP_NOMOVE | SWP_NOZORDER);
  gallery::Pump(100);
  EXPECT_EQ(Skin(w).status.cells[2].width, c.right + 100 - 3 - 213);
  EXPECT_EQ(Skin(w).status.cells[2].y, c.bottom + 20 - 3 - 22 - 1);
  SetWindowPos(w, nullptr, 0, 0, r.right - r.left - 60, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  gallery::Pump(100);
  EXPECT_EQ(Skin(w).status.cells[2].width, c.right - 60 - 3 - 213);

  const Changes changes = ChangesOfStatusItem(w, 2, "Changed", std::nullopt, RGB(200, 0, 0));
  EXPECT_GT(changes.inside, 10);
  EXPECT_EQ(changes.outside, 0);
  EXPECT_EQ(engine_.SetStatusItem(w, 0, "x"), 0);
  EXPECT_EQ(engine_.SetStatusItem(w, 4, "x"), 0);
  StatusStyleArgs style;
  style.face = "Tahoma";
  ASSERT_EQ(engine_.SetStatusStyle(w, style), 1);
  EXPECT_EQ(Skin(w).status.size, 12);
  EXPECT_TRUE(Skin(w).status.inverseText);
  EXPECT_FALSE(Skin(w).status.halo);
}

TEST_F(TopLevelWindowTest, StatusCellsNeverGetNegativeWidthsAndKeepTheirInkInside) {
  // Fixed items wider than the bar leave the rest item nothing, never less.
  ApplySkinArgs args;
  args.statusHeight = 22;
  args.statusItems = std::vector<StatusItem>{{40, "", {}, 0}, {400, "", {}, 0}, {-1, "rest", {}, 0}, {-9, "", {}, 0}};
  HWND w = Own("Narrow cells", kMinMax, args, 300, 200);
  const StatusBar& bar = Skin(w).status;
  ASSERT_EQ(bar.Count(), 4);
  EXPECT_EQ(bar.cells[2].width, 0);
  EXPECT_EQ(bar.cells[3].width, 0);
  // A picture, then a long text, wider than the 40-pixel first cell: no ink outside it.
  const Changes picture = ChangesOfStatusItem(w, 1, "", QuadrantPicture(60, 16));
  EXPECT_GT(picture.inside, 100);
  EXPECT_EQ(picture.outside, 0);
  const Changes text = ChangesOfStatusItem(w, 1, "WWWW WWWW WWWW WWWW", ByteArray{});
  EXPECT_GT(text.inside, 10);
  EXPECT_EQ(text.outside, 0);
  gallery::Pump(150);  // the screen catches up before the screenshot
  Save(w, "status_narrow_cells");
}

// --- applying the skin, engine-wide behaviour ----------------------------------------------------

TEST_F(TopLevelWindowTest, ApplySkinTakesTheWindowOnceWithItsDefaults) {
  HWND w = gallery::MakeFrame("plain", 40, 40, 300, 200, WS_POPUP | WS_VISIBLE);
  windows_.push_back(w);
  const LONG_PTR own = GetWindowLongPtrA(w, GWLP_WNDPROC);
  ApplySkinArgs args;
  args.captionHeight = 24;
  const int n = engine_.ApplySkin(w, args);
  ASSERT_GE(n, 1);
  EXPECT_EQ(engine_.ApplySkin(w, {}), n) << "a second apply changes nothing";
  EXPECT_EQ(GetPropA(w, "Hw_lbID"), reinterpret_cast<HANDLE>(static_cast<intptr_t>(n)));
  // The procedure replaced is the one in front when the skin went on (the caption tooltip
  // subclasses the window first).
  EXPECT_NE(GetWindowLongPtrA(w, GWLP_WNDPROC), own);
  EXPECT_EQ(GetPropA(w, "Hw_hProc"), reinterpret_cast<HANDLE>(Skin(w).previousProc));
  EXPECT_NE(Skin(w).previousProc, nullptr);
  EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(Skin(w).frame.captionHeight, 25);
  EXPECT_TRUE(Skin(w).frame.sizable);
  EXPECT_TRUE(Skin(w).back.renderPending || Skin(w).back.dc());
  EXPECT_EQ(engine_.ApplySkin(nullptr, {}), 0);
  args.captionHeight = 30;
  HWND tall = Own("tall", kMinMax, args);
  EXPECT_EQ(Skin(tall).frame.captionHeight, 30);
}

HANDLE g_ran = CreateEventA(nullptr, TRUE, FALSE, nullptr);
DWORD WINAPI MarkDeactivated(LPVOID) {
  SetEvent(g_ran);
  return 0;
}

TEST_F(TopLevelWindowTest, GdiplusOutlivesAStrayQuitMessageAndDeactivationRunsTheRoutine) {
  HWND w = Gallery("frame_minmax");
  SendMessageA(w, WM_QUIT, 0, 0);
  EXPECT_TRUE(engine_.GdiplusRunning());
  Skin(w).back.renderPending = true;
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_FALSE(Skin(w).back.renderPending) << "it still renders";

  ResetEvent(g_ran);
  engine_.deactivationRoutine = MarkDeactivated;
  SendMessageA(w, WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_EQ(WaitForSingleObject(g_ran, 200), static_cast<DWORD>(WAIT_TIMEOUT));
  SendMessageA(w, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(WaitForSingleObject(g_ran, 2000), WAIT_OBJECT_0);
  engine_.deactivationRoutine = nullptr;
}

TEST_F(TopLevelWindowTest, EveryFrameGalleryWindowShowsSkinnedAndIsSavedAsAScreenshot) {
  int made = 0;
  for (const gallery::Entry& e : gallery::Entries()) {
    if (e.name.rfind("frame", 0) != 0) continue;
    HWND w = Gallery(e.name.c_str());
    ASSERT_NE(engine_.InstanceOfWindow(w), nullptr) << e.name;
    EXPECT_NE(Skin(w).back.dc(), nullptr) << e.name;
    EXPECT_TRUE(tltest::CaptureWindow(w).SavePng(tltest::ScreenshotDirectory() + "\\gallery_" + e.name + ".png"));
    DestroyWindow(w);
    ++made;
  }
  EXPECT_GE(made, 13);
}

// --- GDI objects and memory --------------------------------------------------------------------

TEST_F(TopLevelWindowTest, WindowsAndFadesLeaveGdiObjectsAndMemoryWhereTheyStarted) {
  auto cycle = [&] {
    HWND w = gallery::Make("frame_status_bar", engine_);
    engine_.AddCaptionButton(w, CopySkinImage(SkinImage::MenuGlyph), "tip", {});
    gallery::Pump(20);
    SetWindowTextA(w, "another title");
    DestroyWindow(w);
  };
  for (int i = 0; i < 5; ++i) cycle();
  gallery::Pump(50);
  const int gdi = tltest::GdiObjectCount();
  const size_t memory = tltest::WorkingSetBytes();
  for (int i = 0; i < 100; ++i) cycle();
  gallery::Pump(50);
  EXPECT_LE(tltest::GdiObjectCount(), gdi + 2);
  EXPECT_LT(tltest::WorkingSetBytes(), memory + 3 * 1024 * 1024);

  HWND w = Gallery("frame_minmax");
  auto fade = [&](int times) {
    for (int i = 0; i < times; ++i) {
      SkinInstance& skin = Skin(w);
      DrawCaptionButton(engine_, skin, 1 + i % 3, nullptr, true, 0);
      for (int step = 1; step <= 8; ++step) DrawCaptionButton(engine_, skin, 1 + i % 3, nullptr, false, step * 30);
      for (int step = 1; step <= 8; ++step) DrawCaptionButton(engine_, skin, 1 + i % 3, nullptr, false, 240 - step * 30);
      if (i % 100 == 0) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
  };
  // Paints, every other one rendering again: each paint DC is ended once, nothing piles up.
  auto paint = [&](int times) {
    for (int i = 0; i < times; ++i) {
      Skin(w).back.renderPending = i % 2 == 0;
      RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
  };
  fade(20);
  paint(20);
  const int gdiFade = tltest::GdiObjectCount();
  const size_t memoryFade = tltest::WorkingSetBytes();
  fade(1000);
  paint(500);
  EXPECT_LE(tltest::GdiObjectCount(), gdiFade + 2);
  EXPECT_LT(tltest::WorkingSetBytes(), memoryFade + 2 * 1024 * 1024);
}

}  // namespace
