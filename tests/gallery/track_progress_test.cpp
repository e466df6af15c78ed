// Skinned trackbars and progress bars on the "controls-track" gallery window: their looks at
// sample pixels in the states real input puts them in, the system's own behaviour under the
// skin (dragging, keys, PBM_SETPOS / PBM_STEPIT), fills placed within their ranges, the
// installers taking each control once, and GDI objects and memory flat over many paints.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "skin/controls/progress_bar.h"
#include "skin/controls/trackbar.h"
#include "skin/skin_engine.h"
#include "skin/window/transparent_control.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_controls_track.h"
#include "tests/support/gdi_count.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tunelark;
using namespace gallery::track;

namespace {

const int kAllControls[] = {
    kTrackPlain,         kTrackSelection,     kTrackDisabled,     kTrackVertical,         kProgressSmooth,
    kProgressSmooth + 1, kProgressSmooth + 2, kProgressSegmented, kProgressSegmented + 1, kProgressSegmented + 2,
    kProgressRange,      kProgressVertical};

int Red(uint32_t c) { return (c >> 16) & 0xFF; }
int Green(uint32_t c) { return (c >> 8) & 0xFF; }
int Blue(uint32_t c) { return c & 0xFF; }

// The accent colour (red 0x22, green 0xCA, blue 0xDD) shows as far less red than green and
// blue; the skin's washes over the blue background do not.
bool IsAccent(uint32_t c) { return Green(c) >= Red(c) + 70 && Blue(c) >= Red(c) + 70; }
// The thumb: light and grey (white shaded with black); the washed background is bluish.
bool IsThumbWhite(uint32_t c) {
  const int lo = std::min({Red(c), Green(c), Blue(c)}), hi = std::max({Red(c), Green(c), Blue(c)});
  return lo >= 200 && hi - lo <= 20;
}
// a is lighter than b by at least `by` in every channel.
bool Lighter(uint32_t a, uint32_t b, int by) {
  return Red(a) >= Red(b) + by && Green(a) >= Green(b) + by && Blue(a) >= Blue(b) + by;
}

SIZE SizeOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// What the screen shows of the gallery window, read at points of its controls (in each
// control's window coordinates).
struct Screen {
  tltest::Capture capture;
  RECT frame{};
  uint32_t At(HWND control, POINT p) const {
    RECT r{};
    GetWindowRect(control, &r);
    return capture.At(r.left - frame.left + p.x, r.top - frame.top + p.y);
  }
  void Save(const std::string& name) const {
    capture.SavePng(tltest::ScreenshotDirectory() + "\\track_progress_" + name + ".png");
  }
};

// The last column of a horizontal bar's fill on a row 4/5 down the bar (where the fill is
// nearly the pure accent); -1 when nothing is filled.
int FillEnd(const Screen& s, HWND bar) {
  const SIZE size = SizeOf(bar);
  for (int x = size.cx - 1; x >= 0; --x)
    if (IsAccent(s.At(bar, {x, size.cy * 4 / 5}))) return x;
  return -1;
}
// The first row of a vertical bar's fill in a column 4/5 across it; -1 when none.
int FillTop(const Screen& s, HWND bar) {
  const SIZE size = SizeOf(bar);
  for (int y = 0; y < size.cy; ++y)
    if (IsAccent(s.At(bar, {size.cx * 4 / 5, y}))) return y;
  return -1;
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A point inside the hot thumb's circle but outside the resting dot, the channel and the
// fill: 8 pixels along from the thumb's start, 2 before the channel's cross start.
POINT ThumbProbe(HWND trackbar, const TrackbarState& s) {
  const TrackbarRecord r = TrackbarRecordFor(trackbar);
  const int offset = r.tickMode == 0 ? 2 : (r.tickMode == 2 ? 1 : 0);
  if (r.vertical) return {s.channel.left - 2 + offset, s.thumb.top + 8};
  return {s.thumb.left + 8, s.channel.top - 2 + offset};
}

// A 32-bit memory picture filled with one colour, with a canvas on it.
class MemoryCanvas {
 public:
  MemoryCanvas(int w, int h, uint32_t fill) : w_(w) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    std::fill(bits_, bits_ + w * h, fill);
    dc_ = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc_, bitmap_);
    canvas_.emplace(dc_, w, h);
  }
  ~MemoryCanvas() {
    canvas_.reset();
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Canvas& canvas() { return *canvas_; }
  uint32_t At(int x, int y) {
    canvas_->Flush();
    GdiFlush();
    return bits_[y * w_ + x] & 0xFFFFFF;
  }
  int FillEnd(int y) {
    for (int x = w_ - 1; x >= 0; --x)
      if (IsAccent(At(x, y))) return x;
    return -1;
  }

 private:
  int w_;
  HBITMAP bitmap_;
  uint32_t* bits_ = nullptr;
  HDC dc_;
  HGDIOBJ previous_;
  std::optional<Canvas> canvas_;
};

class TrackProgress : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    engine_ = new SkinEngine;
    engine_->Start();
  }
  static void TearDownTestSuite() {
    delete engine_;
    engine_ = nullptr;
  }
  void SetUp() override {
    window_ = gallery::Make("controls-track", *engine_);
    ASSERT_NE(nullptr, window_);
    tltest::BringToFront(window_);
    ParkMouse();
    gallery::Pump(300);
  }
  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    gallery::Pump(50);
  }

  HWND Control(int id) const { return GetDlgItem(window_, id); }
  int Instance() const { return engine_->FindSkinInstance(window_); }
  // The mouse on a bare spot of the window, for as long as Wine's leave tracking (a timer
  // of the hover time, 400 ms) needs to tell the control it has gone.
  void ParkMouse() const {
    tltest::MoveMouseTo(window_, {420, 100});
    gallery::Pump(500);
  }
  Screen Shoot() const {
    gallery::Pump(150);
    Screen s;
    s.capture = tltest::CaptureWindow(window_);
    GetWindowRect(window_, &s.frame);
    return s;
  }

  static SkinEngine* engine_;
  HWND window_ = nullptr;
};

SkinEngine* TrackProgress::engine_ = nullptr;

TEST_F(TrackProgress, InstallersTakeEachControlOnceWithItsStyle) {
  const int n = Instance();
  ASSERT_GE(n, 1) << "the gallery window is not skinned";
  SkinInstance* skin = engine_->Instance(n);
  EXPECT_EQ(4, skin->CountOf(Family::Trackbar));
  EXPECT_EQ(8, skin->CountOf(Family::Progress));
  struct Expected {
    int id, vertical, tickMode, selectionRange;
  };
  for (const Expected& e : {Expected{kTrackPlain, 0, 1, 0}, Expected{kTrackSelection, 0, 2, 1},
                            Expected{kTrackDisabled, 0, 3, 0}, Expected{kTrackVertical, 1, 2, 0}}) {
    const TrackbarRecord* r = engine_->RecordOf<TrackbarRecord>(Control(e.id));
    ASSERT_NE(nullptr, r) << e.id;
    EXPECT_EQ(Control(e.id), r->window);
    EXPECT_EQ(e.vertical, r->vertical) << e.id;
    EXPECT_EQ(e.tickMode, r->tickMode) << e.id;
    EXPECT_EQ(e.selectionRange, r->selectionRange) << e.id;
  }
  const ProgressRecord* vertical = engine_->RecordOf<ProgressRecord>(Control(kProgressVertical));
  ASSERT_NE(nullptr, vertical);
  EXPECT_EQ(1, vertical->vertical);

  // Running the installers again (twice) takes only the controls made since.
  HWND plain = Control(kTrackPlain);
  const LONG_PTR proc = GetWindowLongPtrA(plain, GWLP_WNDPROC);
  HWND newTrack = gallery::MakeControl(window_, TRACKBAR_CLASSA, "", 240, 262, 220, 30, 0, 0, 105);
  HWND newBar = gallery::MakeControl(window_, PROGRESS_CLASSA, "", 240, 300, 200, 16, 0, 0, 231);
  // One made transparent first belongs to that procedure: the family leaves it alone.
  HWND transparentTrack = gallery::MakeControl(window_, TRACKBAR_CLASSA, "", 240, 340, 220, 30, 0, 0, 106);
  ASSERT_EQ(0, MakeControlTransparent(*engine_, transparentTrack, {}, {}, {}));
  const LONG_PTR transparentProc = GetWindowLongPtrA(transparentTrack, GWLP_WNDPROC);
  for (int i = 0; i < 2; ++i) {
    TakeTrackbars(*engine_, n, window_);
    TakeProgressBars(*engine_, n, window_);
  }
  EXPECT_EQ(5, skin->CountOf(Family::Trackbar));
  EXPECT_EQ(9, skin->CountOf(Family::Progress));
  EXPECT_NE(nullptr, engine_->RecordOf<TrackbarRecord>(newTrack));
  EXPECT_NE(nullptr, engine_->RecordOf<ProgressRecord>(newBar));
  EXPECT_EQ(proc, GetWindowLongPtrA(plain, GWLP_WNDPROC));
  EXPECT_EQ(transparentProc, GetWindowLongPtrA(transparentTrack, GWLP_WNDPROC));
  EXPECT_EQ(nullptr, engine_->RecordOf<TrackbarRecord>(transparentTrack));
  // A control taken twice would chain to itself for ever; these answer and paint.
  EXPECT_EQ(30, SendMessageA(plain, TBM_GETPOS, 0, 0));
  SendMessageA(newBar, PBM_SETPOS, 50, 0);
  EXPECT_EQ(50, SendMessageA(newBar, PBM_GETPOS, 0, 0));
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_LT(0, FillEnd(Shoot(), newBar));
}

TEST_F(TrackProgress, ColourReplyObjectsGoWithTheirControl) {
  const int n = Instance();
  ASSERT_GE(n, 1);
  HWND track = gallery::MakeControl(window_, TRACKBAR_CLASSA, "", 240, 262, 220, 30);
  HWND bar = gallery::MakeControl(window_, PROGRESS_CLASSA, "", 240, 300, 200, 16);
  TakeTrackbars(*engine_, n, window_);
  TakeProgressBars(*engine_, n, window_);
  HGDIOBJ objects[4] = {};
  int i = 0;
  for (HWND c : {track, bar}) {
    HDC screen = GetDC(nullptr);
    objects[i] = CreateSolidBrush(RGB(1, 2, 3));
    objects[i + 1] = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    SetPropA(c, "Kj_dxjb", objects[i]);
    SetPropA(c, "Kj_wtjb", objects[i + 1]);
    i += 2;
  }
  DestroyWindow(track);
  DestroyWindow(bar);
  for (HGDIOBJ o : objects) EXPECT_EQ(0u, GetObjectType(o)) << "still alive: " << o;
}

TEST_F(TrackProgress, ProgressFillFollowsThePositionWithinTheRange) {
  ASSERT_GE(Instance(), 1);
  Screen s = Shoot();
  s.Save("bars");
  const int percents[] = {0, 37, 100};
  for (int i = 0; i < 3; ++i) {
    for (int first : {kProgressSmooth, kProgressSegmented}) {
      HWND bar = Control(first + i);
      const int w = SizeOf(bar).cx;
      if (percents[i] == 0)
        EXPECT_EQ(-1, FillEnd(s, bar)) << "id " << first + i;
      else  // the bar's outline ends 2 pixels short of its length
        EXPECT_NEAR(w * percents[i] / 100 - 2, FillEnd(s, bar), 2) << "id " << first + i;
    }
  }
  // 100 within 50..150 is half the bar (the range's minimum counts).
  HWND range = Control(kProgressRange);
  EXPECT_NEAR(SizeOf(range).cx / 2 - 2, FillEnd(s, range), 2);
  // A vertical bar grows from the bottom.
  HWND vertical = Control(kProgressVertical);
  const int h = SizeOf(vertical).cy;
  EXPECT_NEAR(h - h * 37 / 100 + 1, FillTop(s, vertical), 2);

  // The system control keeps its steps and positions; the picture follows.
  HWND bar = Control(kProgressSmooth + 1);
  EXPECT_EQ(37, SendMessageA(bar, PBM_STEPIT, 0, 0));
  EXPECT_EQ(47, SendMessageA(bar, PBM_GETPOS, 0, 0));
  SendMessageA(range, PBM_SETPOS, 40, 0);  // below the range: the control keeps 50
  EXPECT_EQ(50, SendMessageA(range, PBM_GETPOS, 0, 0));
  s = Shoot();
  s.Save("bars_stepped");
  EXPECT_NEAR(SizeOf(bar).cx * 47 / 100 - 2, FillEnd(s, bar), 2);
  EXPECT_EQ(-1, FillEnd(s, range));
}

TEST_F(TrackProgress, ProgressPainterKeepsWideAndEmptyRangesInsideTheTrough) {
  const ProgressRecord horizontal;
  const SkinOptions options;
  struct Case {
    ProgressState state;
    int end;  // expected last filled column; -1 none
  };
  // 1,500,000,000 x 200 overflows 32 bits; 75 % of 200 is 150.
  for (const Case& c : {Case{{1'500'000'000, 0, 2'000'000'000}, 148}, Case{{5, 5, 5}, -1}, Case{{7, 10, 5}, -1},
                        Case{{300, 0, 100}, 198}, Case{{-20, 0, 100}, -1}}) {
    MemoryCanvas m(200, 18, 0x808080);
    PaintProgressBar(m.canvas(), horizontal, c.state, options);
    if (c.end < 0)
      EXPECT_EQ(-1, m.FillEnd(14)) << c.state.position << " of " << c.state.low << ".." << c.state.high;
    else
      EXPECT_NEAR(c.end, m.FillEnd(14), 2) << c.state.position << " of " << c.state.low << ".." << c.state.high;
  }
}

TEST_F(TrackProgress, TrackbarSelectionLiesWhereItsValuesFallInTheRangeAndTheFrameFollowsTheOption) {
  TrackbarRecord r;
  r.tickMode = 2;
  r.selectionRange = 1;
  TrackbarState s;
  s.channel = {10, 8, 210, 20};  // drawn 4 thick from row 12
  s.thumb = {10, 2, 21, 26};     // at the start: no fill
  SkinOptions options;
  struct Case {
    LONG low, high, start, end;
    bool drawn;  // from column 59 to 159 (25 % to 75 % of 200, less one)
  };
  for (const Case& c : {Case{50, 150, 75, 125, true}, Case{0, 2'000'000'000, 500'000'000, 1'500'000'000, true},
                        Case{7, 7, 7, 7, false}, Case{0, 100, 60, 20, false}}) {
    s.low = s.position = c.low;
    s.high = c.high;
    s.selectionStart = c.start;
    s.selectionEnd = c.end;
    MemoryCanvas m(220, 30, 0x808080);
    PaintTrackbar(m.canvas(), r, s, options);
    const uint32_t inside = m.At(100, 12), before = m.At(40, 12), after = m.At(180, 12);
    EXPECT_EQ(c.drawn, Lighter(inside, before, 40)) << c.start << ".." << c.end << " of " << c.low << ".." << c.high;
    EXPECT_EQ(c.drawn, Lighter(m.At(62, 12), m.At(55, 12), 40)) << c.start << " of " << c.low;
    EXPECT_EQ(c.drawn, Lighter(m.At(156, 12), m.At(163, 12), 40)) << c.end << " of " << c.high;
    EXPECT_TRUE(tltest::ColourNear(before, after, 3));
  }
  // The rounded frame's wash only with controlFrames.
  for (int frames : {0, 1}) {
    options.controlFrames = frames;
    MemoryCanvas m(220, 30, 0x808080);
    PaintTrackbar(m.canvas(), r, s, options);
    EXPECT_EQ(frames == 0, m.At(3, 15) == 0x808080u) << "controlFrames " << frames;
  }
}

TEST_F(TrackProgress, TrackbarLooksFollowTheRealMouseAndKeys) {
  ASSERT_GE(Instance(), 1);
  HWND t = Control(kTrackPlain);
  const TrackbarState at30 = ReadTrackbarState(t);
  const POINT probe = ThumbProbe(t, at30);
  const POINT dot{at30.thumb.left + 2, at30.channel.top + 1};
  // The trackbar lies borderless: its window and client coordinates agree.
  const POINT thumbCentre = Centre(at30.thumb);

  const Screen normal = Shoot();
  normal.Save("track_normal");
  EXPECT_TRUE(IsThumbWhite(normal.At(t, dot)));
  EXPECT_FALSE(IsThumbWhite(normal.At(t, probe)));

  // Focused by a click on the thumb (which leaves the position), the mouse gone again:
  // the same picture as before.
  tltest::ClickAt(t, thumbCentre);
  ParkMouse();
  EXPECT_EQ(t, GetFocus());
  EXPECT_EQ(30, SendMessageA(t, TBM_GETPOS, 0, 0));
  const Screen focused = Shoot();
  focused.Save("track_focused");
  const SIZE size = SizeOf(t);
  int differing = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) differing += normal.At(t, {x, y}) != focused.At(t, {x, y});
  EXPECT_EQ(0, differing);

  // Hot: the dot grows into a circle.
  tltest::MoveMouseTo(t, thumbCentre);
  const Screen hot = Shoot();
  hot.Save("track_hot");
  EXPECT_TRUE(IsThumbWhite(hot.At(t, probe)));

  // Pressed on the thumb and dragged 60 pixels: the system moves the position, the circle
  // and the accent bar follow.
  tltest::PressLeftButton();
  const Screen pressed = Shoot();
  pressed.Save("track_pressed");
  EXPECT_TRUE(IsThumbWhite(pressed.At(t, probe)));
  for (int i = 1; i <= 6; ++i) tltest::MoveMouseTo(t, {thumbCentre.x + 10 * i, thumbCentre.y});
  tltest::ReleaseLeftButton();
  const LONG travel = (at30.channel.right - at30.channel.left) - (at30.thumb.right - at30.thumb.left);
  ASSERT_GT(travel, 0);
  const LONG dragged = static_cast<LONG>(SendMessageA(t, TBM_GETPOS, 0, 0));
  EXPECT_NEAR(30 + 60 * 100 / travel, dragged, 4);
  const TrackbarState moved = ReadTrackbarState(t);
  const Screen afterDrag = Shoot();
  afterDrag.Save("track_dragged");
  EXPECT_TRUE(IsAccent(afterDrag.At(t, {moved.thumb.left - 3, moved.channel.top})));
  EXPECT_FALSE(IsAccent(afterDrag.At(t, {moved.thumb.left + 16, moved.channel.top})));
  EXPECT_TRUE(IsThumbWhite(afterDrag.At(t, ThumbProbe(t, moved))));

  // Its keys: one step right, then the end of the range, where the bar reaches 10 pixels
  // past the thumb's start and the resting dot sits 8 pixels along.
  tltest::PressKey(VK_RIGHT);
  EXPECT_EQ(dragged + 1, SendMessageA(t, TBM_GETPOS, 0, 0));
  tltest::PressKey(VK_END);
  EXPECT_EQ(100, SendMessageA(t, TBM_GETPOS, 0, 0));
  ParkMouse();
  const TrackbarState atEnd = ReadTrackbarState(t);
  const Screen end = Shoot();
  end.Save("track_end");
  EXPECT_TRUE(IsAccent(end.At(t, {atEnd.thumb.left + 5, atEnd.channel.top})));
  EXPECT_TRUE(IsThumbWhite(end.At(t, {atEnd.thumb.left + 9, atEnd.channel.top + 1})));
  EXPECT_FALSE(IsThumbWhite(end.At(t, ThumbProbe(t, atEnd))));
}

TEST_F(TrackProgress, VerticalSelectionAndDisabledTrackbarsOnScreen) {
  ASSERT_GE(Instance(), 1);
  // Vertical: hovering grows the thumb across the upright channel.
  HWND v = Control(kTrackVertical);
  const TrackbarState vs = ReadTrackbarState(v);
  EXPECT_GT(vs.channel.bottom - vs.channel.top, vs.channel.right - vs.channel.left);
  EXPECT_FALSE(IsThumbWhite(Shoot().At(v, ThumbProbe(v, vs))));
  tltest::MoveMouseTo(v, Centre(vs.thumb));
  Screen s = Shoot();
  s.Save("vertical_hot");
  EXPECT_TRUE(IsThumbWhite(s.At(v, ThumbProbe(v, vs))));

  // Disabled: the mouse neither lights it nor moves it.
  HWND d = Control(kTrackDisabled);
  const TrackbarState ds = ReadTrackbarState(d);
  tltest::ClickAt(d, {ds.channel.left + 5, Centre(ds.thumb).y});
  tltest::MoveMouseTo(d, Centre(ds.thumb));
  s = Shoot();
  s.Save("disabled_hover");
  EXPECT_EQ(100, SendMessageA(d, TBM_GETPOS, 0, 0));
  EXPECT_FALSE(IsThumbWhite(s.At(d, ThumbProbe(d, ds))));

  // The selection 20..60 of 0..100 outlined in white over the channel, up to 60 %.
  ParkMouse();
  s = Shoot();
  HWND sel = Control(kTrackSelection);
  const TrackbarState ss = ReadTrackbarState(sel);
  const int length = ss.channel.right - ss.channel.left;
  const int row = ss.channel.top + (ss.channel.bottom - ss.channel.top - 4) / 2;
  const uint32_t selected = s.At(sel, {ss.channel.left + length * 58 / 100, row});
  const uint32_t channel = s.At(sel, {ss.channel.left + length * 70 / 100, row});
  EXPECT_TRUE(Lighter(selected, channel, 40));
}

TEST_F(TrackProgress, HoverAndRepaintLeaveGdiObjectsAndMemoryFlat) {
  ASSERT_GE(Instance(), 1);
  const HWND tracks[] = {Control(kTrackPlain), Control(kTrackSelection), Control(kTrackVertical)};
  // One hover in and out of a trackbar; one repaint of a control, its frame included.
  auto hover = [&](int i) {
    SendMessageA(tracks[i % 3], WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(tracks[i % 3], WM_MOUSELEAVE, 0, 0);
    gallery::Pump(0);
  };
  auto repaint = [&](int i) {
    RedrawWindow(Control(kAllControls[i % 12]), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  };
  for (int i = 0; i < 24; ++i) hover(i), repaint(i);
  const int gdi = tltest::GdiObjectCount();
  const size_t memory = tltest::WorkingSetBytes();
  ASSERT_GT(gdi, 0);
  for (int i = 0; i < 1000; ++i) hover(i);
  for (int i = 0; i < 1000; ++i) repaint(i);
  EXPECT_LE(tltest::GdiObjectCount(), gdi + 2) << "from " << gdi;
  EXPECT_LT(static_cast<long long>(tltest::WorkingSetBytes()) - static_cast<long long>(memory), 3LL << 20);
  EXPECT_EQ(0, engine_->snapshots().Count());
}

}  // namespace
