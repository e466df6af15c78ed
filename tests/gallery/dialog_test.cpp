// The skin on a dialog that keeps its system frame ("dialog") next to the same layout on a
// borderless window ("dialog_borderless"), with real windows and real mouse input: the
// pictures behind the controls, the window region over the frame and the sizing border,
// GDI objects and memory over repaints and resizes, the caption buttons' tips.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "gfx/gdi_handles.h"
#include "skin/background_snapshot.h"
#include "skin/skin_geometry.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_dialog.h"
#include "tests/support/gdi_count.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tunelark;
using namespace gallery::dialog;

namespace {

// The pixels of r in dc (0x00RRGGBB, rows from the top).
std::vector<uint32_t> PixelsOf(HDC dc, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  MemoryDC memory(dc);
  BitmapHandle dib(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !dib) return {};
  {
    SelectGuard select(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, w, h, dc, r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  std::vector<uint32_t> out(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + w * h);
  for (uint32_t& p : out) p &= 0xFFFFFF;
  return out;
}

// Pixels differing by more than tolerance in a channel; -1 when the sizes differ.
int Differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance = 0) {
  if (a.size() != b.size() || a.empty()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += tltest::ColourNear(a[i], b[i], tolerance) ? 0 : 1;
  return n;
}

// "w x h" of a window rectangle, and of the box of the window's region (none: "0 x 0").
std::string SizeText(const RECT& r) {
  return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}
std::string WindowSize(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return SizeText(r);
}
std::string RegionSize(HWND w) {
  RegionHandle region(CreateRectRgn(0, 0, 0, 0));
  RECT box{};
  if (GetWindowRgn(w, region.get()) != ERROR) GetRgnBox(region.get(), &box);
  return box.left == 0 && box.top == 0 ? SizeText(box) : "moved";
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(engine_.Start());
    plain_ = gallery::Make("dialog_borderless", engine_);
    framed_ = gallery::Make("dialog", engine_);
    ASSERT_TRUE(engine_.InstanceOfWindow(framed_) && engine_.InstanceOfWindow(plain_));
    tltest::BringToFront(framed_);
    POINT away{1200, 950};  // the mouse rests on neither window
    ScreenToClient(framed_, &away);
    tltest::MoveMouseTo(framed_, away);
    gallery::Pump(300);
  }
  void TearDown() override {
    for (HWND w : {framed_, plain_})
      if (IsWindow(w)) DestroyWindow(w);
    gallery::Pump(50);
  }
  HDC Back(HWND w) { return engine_.InstanceOfWindow(w)->back.dc(); }
  // What the screen shows of the window (saved as dialog_<name>.png), after a whole repaint
  // when asked.
  std::vector<uint32_t> Shown(HWND w, const std::string& name, bool repaintWhole = false) {
    if (repaintWhole) {
      engine_.InstanceOfWindow(w)->back.renderPending = true;
      RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    gallery::Pump(150);
    const tltest::Capture shot = tltest::CaptureWindow(w);
    shot.SavePng(tltest::ScreenshotDirectory() + "\\dialog_" + name + ".png");
    return shot.pixels;
  }

  SkinEngine engine_;
  HWND framed_ = nullptr, plain_ = nullptr;
};

// Behind each control lies the back buffer at the control's place in the client area; on
// the screen the framed dialog's controls look as the borderless window's (same client
// size and picture), and the client area's corners are not keyed out.
TEST_F(DialogTest, ControlsShowThePictureAtTheirPlaceInTheClientAreaAsOnABorderlessWindow) {
  Shown(framed_, "framed");
  Shown(plain_, "borderless");
  for (HWND w : {framed_, plain_}) {
    SCOPED_TRACE(w == framed_ ? "framed" : "borderless");
    for (int id : {kLabel, kEdit, kCheckOne, kList, kGroupBox}) {
      HWND c = GetDlgItem(w, id);
      RECT at{};
      GetClientRect(c, &at);
      const RECT own = at;
      MapWindowPoints(c, w, reinterpret_cast<POINT*>(&at), 2);
      SnapshotDC behind = BackgroundSnapshot(engine_, c, ClientRectInWindow(c));
      ASSERT_TRUE(behind) << id;
      EXPECT_EQ(Differing(PixelsOf(behind.get(), own), PixelsOf(Back(w), at)), 0) << id;
    }
  }
  for (int id : {kLabel, kGroupBox, kList}) {
    const tltest::Capture framed = tltest::CaptureWindow(GetDlgItem(framed_, id));
    EXPECT_EQ(Differing(framed.pixels, tltest::CaptureWindow(GetDlgItem(plain_, id)).pixels, 2), 0) << id;
  }
  const int w = kClientWidth - 1, h = kClientHeight - 1;
  for (POINT p : {POINT{0, 0}, POINT{w, 0}, POINT{0, h}, POINT{w, h}})
    EXPECT_NE(PixelsOf(Back(framed_), {p.x, p.y, p.x + 1, p.y + 1})[0], 0xFF00FFu) << p.x << "," << p.y;
}

// The region covers the window rectangle (the borderless window's is its client area, as
// before), so a real drag on the bottom-right sizing border sizes the window; the region
// follows, and the screen after the sizing is the screen of a whole repaint.
TEST_F(DialogTest, TheRegionCoversTheFrameAndTheSizingBorderSizesTheWindow) {
  EXPECT_EQ(RegionSize(plain_), SizeText({0, 0, kClientWidth, kClientHeight}));
  EXPECT_EQ(RegionSize(framed_), WindowSize(framed_));
  RECT before{};
  GetWindowRect(framed_, &before);
  POINT from{before.right - 3, before.bottom - 3}, to{before.right + 37, before.bottom + 27};
  EXPECT_EQ(WindowFromPoint(from), framed_) << "the sizing border is the window's";
  ScreenToClient(framed_, &from);
  ScreenToClient(framed_, &to);
  std::atomic<bool> done{false};
  std::thread hand([&] {  // the size loop is modal: the hand works while this thread pumps
    tltest::DragLeft(framed_, from, to, 6);
    done = true;
  });
  while (!done) gallery::Pump(10);
  hand.join();
  gallery::Pump(200);

  EXPECT_EQ(WindowSize(framed_), SizeText({0, 0, before.right - before.left + 40, before.bottom - before.top + 30}));
  EXPECT_EQ(RegionSize(framed_), WindowSize(framed_));
  const std::vector<uint32_t> sized = Shown(framed_, "sized");
  EXPECT_EQ(Differing(sized, Shown(framed_, "sized_repainted", true), 2), 0) << "as a whole repaint shows it";
}

TEST_F(DialogTest, RepaintsAndResizesLeaveGdiObjectsAndMemoryFlat) {
  RECT start{};
  GetWindowRect(framed_, &start);
  auto cycle = [&](int i) {
    SetWindowPos(framed_, nullptr, 0, 0, start.right - start.left + (i % 4) * 12,
                 start.bottom - start.top + (i % 3) * 9, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(framed_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gallery::Pump(0);
  };
  for (int i = 0; i < 20; ++i) cycle(i);
  const int gdi = tltest::GdiObjectCount();
  const size_t bytes = tltest::WorkingSetBytes();
  for (int i = 0; i < 150; ++i) cycle(i);
  printf("150 resizes: GDI objects %d -> %d, working set %zu -> %zu KiB\n", gdi, tltest::GdiObjectCount(), bytes / 1024,
         tltest::WorkingSetBytes() / 1024);
  EXPECT_LE(tltest::GdiObjectCount() - gdi, 2);
  EXPECT_LT(tltest::WorkingSetBytes(), bytes + 2 * 1024 * 1024);
  EXPECT_EQ(RegionSize(framed_), WindowSize(framed_));
}

// The caption buttons' tips show only where the caption band shows the buttons: hovering the
// close button's place on the framed dialog (no caption band) shows none, on the borderless
// one its tip.
TEST_F(DialogTest, CaptionButtonTipsShowOnlyWithTheCaptionBand) {
  auto tipShownOver = [&](HWND w) {
    tltest::BringToFront(w);
    const CaptionBar& bar = engine_.InstanceOfWindow(w)->caption;
    const CaptionButton& close =
        *std::find_if(bar.buttons.begin(), bar.buttons.end(),
                      [](const CaptionButton& b) { return b.kind == CaptionButtonKind::Close; });
    tltest::MoveMouseTo(w, POINT{static_cast<int>(close.x + close.w / 2), static_cast<int>(close.y + close.h / 2)});
    gallery::Pump(100);
    tltest::MoveMouseTo(w, POINT{static_cast<int>(close.x + close.w / 2) + 1, static_cast<int>(close.y + close.h / 2)});
    gallery::Pump(1500);
    return IsWindowVisible(bar.tooltip.window()) != FALSE;
  };
  EXPECT_FALSE(tipShownOver(framed_)) << "a tip for a caption button the dialog does not show";
  EXPECT_TRUE(tipShownOver(plain_));
}

}  // namespace
