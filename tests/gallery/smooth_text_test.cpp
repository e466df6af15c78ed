// The plain list box and the tree view of the "controls-lists" gallery window with font
// smoothing on and a TrueType face that is smoothed at its size: the glyphs' smoothed edges
// lie on the washed picture (no magenta-like fringe), a paint after real clicks and keys shows
// what a full repaint shows, and repaints leave GDI objects and memory flat.
//
// Windows applies a change of the smoothing settings at once; Wine reads them when a process
// starts. So the checks run in a child process started after smoothing was turned on, and the
// settings go back as they were when it has ended.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "gfx/gdi_handles.h"
#include "skin/skin_engine.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_controls_lists.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "tests/support/process.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tunelark;
using namespace gallery::lists;

namespace {

using tltest::Channel;

constexpr char kChildFlag[] = "TL_SMOOTH_TEXT_CHILD";

// --- the parent: smoothing on, the checks in a child ------------------------------------------

// Font smoothing on, ClearType in RGB order, for the user (the registry under
// HKCU\Control Panel\Desktop through SPIF_UPDATEINIFILE); put back as it was on destruction.
class SmoothingOn {
 public:
  SmoothingOn() {
    SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &on_, 0);
    SystemParametersInfoA(SPI_GETFONTSMOOTHINGTYPE, 0, &type_, 0);
    SystemParametersInfoA(SPI_GETFONTSMOOTHINGORIENTATION, 0, &orientation_, 0);
    Set(TRUE, FE_FONTSMOOTHINGCLEARTYPE, FE_FONTSMOOTHINGORIENTATIONRGB);
  }
  ~SmoothingOn() { Set(on_, type_, orientation_); }
  SmoothingOn(const SmoothingOn&) = delete;
  SmoothingOn& operator=(const SmoothingOn&) = delete;

 private:
  static void Set(BOOL on, UINT type, UINT orientation) {
    const UINT save = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
    SystemParametersInfoA(SPI_SETFONTSMOOTHING, on, nullptr, save);
    SystemParametersInfoA(SPI_SETFONTSMOOTHINGTYPE, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(type)), save);
    SystemParametersInfoA(SPI_SETFONTSMOOTHINGORIENTATION, 0,
                          reinterpret_cast<void*>(static_cast<UINT_PTR>(orientation)), save);
  }
  BOOL on_ = FALSE;
  UINT type_ = 0, orientation_ = 0;
};

TEST(SmoothTextTest, ListsAreCheckedInAProcessStartedWithSmoothingOn) {
  if (!tltest::Env(kChildFlag).empty()) GTEST_SKIP() << "the child runs the checks";
  SmoothingOn smoothing;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  tltest::ChildProcess child;
  SetEnvironmentVariableA(kChildFlag, "1");
  const bool started = child.Start(self, "--gtest_filter=SmoothTextChild.* --gtest_color=no");
  SetEnvironmentVariableA(kChildFlag, nullptr);
  ASSERT_TRUE(started);
  ASSERT_TRUE(child.WaitForExit(240000));
  EXPECT_EQ(child.ExitCode(), 0u) << "the checks in the child process failed";
}

// --- the child --------------------------------------------------------------------------------

// A blend of dark text and magenta: green well below both red and blue. The washed picture
// (white at alpha 100 over it) never gets there, nor does text smoothed onto it.
bool MagentaLike(uint32_t c) {
  const int r = Channel(c, 16), g = Channel(c, 8), b = Channel(c, 0);
  return std::min(r, b) > 60 && g * 2 < std::min(r, b);
}
bool Dark(uint32_t c) { return Channel(c, 16) + Channel(c, 8) + Channel(c, 0) < 180; }

// The first of these faces the system has: TrueType faces without bitmap strikes, smoothed at
// the size used (CJK faces such as WenQuanYi Zen Hei draw their strikes unsmoothed).
// A font enumeration callback is stdcall: a lambda does not convert to one on 32-bit x86.
int CALLBACK NoteFaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

std::string SmoothableFace() {
  for (const char* face : {"DejaVu Sans", "Tahoma", "Arial"}) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    WindowDC screen(nullptr);
    EnumFontFamiliesExA(screen.get(), &wanted, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    if (found) return face;
  }
  return {};
}

// Pixels of a sample text in the font, black on white, neither black nor white: the edges
// smoothing blends (grey under Wine, whose FreeType may lack subpixel rendering).
int BlendedSamplePixels(HFONT font) {
  MemoryDC dc(nullptr);
  BitmapHandle bitmap(CreateCompatibleBitmap(WindowDC(nullptr).get(), 160, 30));
  SelectGuard keepBitmap(dc.get(), bitmap.get()), keepFont(dc.get(), font);
  RECT all{0, 0, 160, 30};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TextOutA(dc.get(), 2, 4, "Smoothed words", 14);
  int blended = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 160; ++x) {
      const COLORREF c = GetPixel(dc.get(), x, y);
      blended += c != 0 && c != 0xFFFFFF;
    }
  return blended;
}

class SmoothTextChild : public ::testing::Test {
 protected:
  void SetUp() override {
    if (tltest::Env(kChildFlag).empty()) GTEST_SKIP() << "run by SmoothTextTest in a child process";
    face_ = SmoothableFace();
    ASSERT_FALSE(face_.empty()) << "no TrueType face without bitmap strikes";
    font_.reset(CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, DEFAULT_QUALITY, 0, face_.c_str()));
    ASSERT_GT(BlendedSamplePixels(font_.get()), 20) << face_ << " is not smoothed: font smoothing is off";
    ASSERT_TRUE(engine_.Start());
    frame_ = gallery::Make("controls-lists", engine_);
    ASSERT_NE(frame_, nullptr);
    for (HWND c : {List(), Tree()}) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
    tltest::BringToFront(frame_);
    Park();
  }
  void TearDown() override {
    if (IsWindow(frame_)) DestroyWindow(frame_);
    gallery::Pump(50);
  }

  HWND List() const { return GetDlgItem(frame_, kListBox); }
  HWND Tree() const { return GetDlgItem(frame_, kTreeView); }
  void Park() {
    tltest::MoveMouseTo(frame_, POINT{560, 360});
    gallery::Pump(150);
  }
  void RepaintAll() {
    RedrawWindow(frame_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gallery::Pump(100);
  }
  // Each control shows text, and nothing magenta-like.
  void ExpectSmoothTextOnWash(const std::string& when) {
    for (HWND c : {List(), Tree()}) {
      const tltest::Capture shown = tltest::CaptureWindow(c);
      const std::string what = when + ", control " + std::to_string(GetDlgCtrlID(c));
      EXPECT_GT(std::count_if(shown.pixels.begin(), shown.pixels.end(), Dark), 60) << what << ": its text";
      EXPECT_EQ(std::count_if(shown.pixels.begin(), shown.pixels.end(), MagentaLike), 0) << what;
    }
  }
  void Save(const std::string& name) {
    tltest::CaptureWindow(frame_).SavePng(tltest::ScreenshotDirectory() + "\\smooth_text_" + name + ".png");
  }

  std::string face_;
  FontHandle font_;
  SkinEngine engine_;
  HWND frame_ = nullptr;
};

// A point in the middle of a tree item's text, in the tree's client coordinates.
POINT TreeItemText(HWND tree, HTREEITEM item) {
  RECT text{};
  std::memcpy(&text, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
  SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text));
  return {(text.left + text.right) / 2, (text.top + text.bottom) / 2};
}

TEST_F(SmoothTextChild, SmoothedTextLiesOnTheWashAndAPaintAfterInputMatchesAFullRepaint) {
  RepaintAll();
  ExpectSmoothTextOnWash("at first");
  Save("window");
  // A list box row selected by a click and moved by a key; the second tree root selected by a
  // click on its text and opened by a key.
  RECT row{};
  SendMessageA(List(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  tltest::ClickAt(List(), POINT{20, (row.top + row.bottom) / 2});
  tltest::PressKey(VK_DOWN);
  EXPECT_EQ(SendMessageA(List(), LB_GETCURSEL, 0, 0), 2);
  HWND tree = Tree();
  auto second = static_cast<LPARAM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  second = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, second);
  tltest::ClickAt(tree, TreeItemText(tree, reinterpret_cast<HTREEITEM>(second)));
  tltest::PressKey(VK_RIGHT);
  EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMSTATE, second, TVIS_EXPANDED) & TVIS_EXPANDED);
  Park();
  ExpectSmoothTextOnWash("after the clicks and keys");
  const tltest::Capture list = tltest::CaptureWindow(List()), shownTree = tltest::CaptureWindow(tree);
  Save("selected");
  RepaintAll();
  for (const auto& [c, before] : {std::pair{List(), &list}, std::pair{tree, &shownTree}}) {
    const tltest::Capture full = tltest::CaptureWindow(c);
    ASSERT_EQ(full.pixels.size(), before->pixels.size());
    long differing = 0;
    for (size_t i = 0; i < full.pixels.size(); ++i) differing += !tltest::ColourNear(full.pixels[i], before->pixels[i], 2);
    EXPECT_EQ(differing, 0) << "control " << GetDlgCtrlID(c) << ": the paint after input against a full repaint";
  }
}

TEST_F(SmoothTextChild, RepaintsLeaveGdiObjectsAndMemoryFlat) {
  auto repaint = [&](int i) {
    RedrawWindow(i % 2 ? List() : Tree(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  };
  for (int i = 0; i < 40; ++i) repaint(i);
  gallery::Pump(50);
  const int gdi = tltest::GdiObjectCount();
  const size_t memory = tltest::WorkingSetBytes();
  for (int i = 0; i < 600; ++i) repaint(i);
  gallery::Pump(50);
  EXPECT_LE(tltest::GdiObjectCount() - gdi, 3) << "GDI objects before " << gdi;
  EXPECT_LT(tltest::WorkingSetBytes(), memory + 2 * 1024 * 1024) << "working set before " << memory;
  EXPECT_EQ(engine_.snapshots().Count(), 0) << "every snapshot back through the engine";
  ExpectSmoothTextOnWash("after the repaints");
}

}  // namespace
