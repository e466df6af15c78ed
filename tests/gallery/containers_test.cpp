// Containers, transparent controls and picture buttons on the "containers" gallery window
// under Wine: the group box's caption, frame and tint and the nested tinted panels sampled
// on the screen against the skin background; the tinted background that controls inside
// containers snapshot; transparent labels showing the picture behind them, repainting after
// text changes and never asking to be painted again; a label's own text colour; look C's
// pictures under real mouse input, also on a parent the skin does not paint, and look B's
// picture beside its caption; taking twice or off a skinned window changing nothing; GDI
// objects and memory flat over many repaints.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "skin/background_snapshot.h"
#include "skin/container_record.h"
#include "skin/controls/button.h"
#include "skin/controls/families.h"
#include "skin/window/container.h"
#include "skin/window/picture_button.h"
#include "skin/window/transparent_control.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_containers.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_count.h"
#include "tests/support/user_input.h"

using namespace tunelark;
using namespace gallery::containers;

namespace {

using tltest::Channel;
using tltest::Hex;
using tltest::Over;
using tltest::Rgb;

// --- colours (0x00RRGGBB) ------------------------------------------------------------------

bool Dark(uint32_t c) { return Channel(c, 0) + Channel(c, 8) + Channel(c, 16) < 200; }
#define EXPECT_NEAR_COLOUR(actual, expected, tolerance) \
  EXPECT_TRUE(tltest::ColourNear(actual, expected, tolerance)) << Hex(actual) << " vs " << Hex(expected)

// --- the fixture ---------------------------------------------------------------------------------

class ContainersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(engine_.Start());
    frame_ = gallery::Make("containers", engine_);
    ASSERT_NE(frame_, nullptr);
    ASSERT_NE(engine_.FindSkinInstance(frame_), 0);
    tltest::BringToFront(frame_);
    Park();
    gallery::Pump(300);
  }
  void TearDown() override {
    if (IsWindow(frame_)) DestroyWindow(frame_);
    gallery::Pump(50);
  }

  HWND Control(int id) const {
    if (HWND c = GetDlgItem(frame_, id)) return c;
    if (HWND c = GetDlgItem(GetDlgItem(frame_, kGroupBox), id)) return c;
    HWND outer = GetDlgItem(frame_, kOuterPanel);
    if (HWND c = GetDlgItem(outer, id)) return c;
    return GetDlgItem(GetDlgItem(outer, kInnerPanel), id);
  }
  SkinInstance& Skin() { return *engine_.Instance(engine_.FindSkinInstance(frame_)); }
  // The mouse rests on the window's background, over no control.
  void Park() {
    tltest::MoveMouseTo(frame_, POINT{500, 275});
    gallery::Pump(60);
  }
  // The skinned window's own background (its back buffer) at a point of control's client area.
  uint32_t Behind(HWND control, int x, int y) {
    POINT p{x, y};
    MapWindowPoints(control, frame_, &p, 1);
    SnapshotDC one = BackgroundSnapshot(engine_, frame_, RECT{p.x, p.y, p.x + 1, p.y + 1});
    return one ? Rgb(GetPixel(one.get(), 0, 0)) : 0xFFFFFFFF;
  }
  void Save(HWND w, const std::string& name) {
    tltest::CaptureWindow(w).SavePng(tltest::ScreenshotDirectory() + "\\containers_" + name + ".png");
  }
  void Repaint(HWND w) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  void ExpectStatePicturesFollowInput(HWND button, const std::string& name);

  SkinEngine engine_;
  HWND frame_ = nullptr;
};

// ---------------------------------------------------------------------------------------------

TEST_F(ContainersTest, GroupBoxDrawsCaptionDoubleFrameAndTintOverTheBackground) {
  Save(frame_, "window");
  HWND group = Control(kGroupBox);
  ASSERT_TRUE(IsGroupBox(group));
  // The controls inside were taken by their families.
  for (int id : {kGroupButton, kGroupCheck, kGroupEdit}) EXPECT_NE(nullptr, GetPropA(Control(id), "Hw_hProc")) << id;
  RECT r;
  GetClientRect(group, &r);
  const tltest::Capture c = tltest::CaptureWindow(group);
  auto tinted = [&](int x, int y) { return Over(Rgb(kGroupTint), kGroupAlpha, Behind(group, x, y)); };

  // Tint where no control lies; the outer line (black at 40) and the inner line (white at 90)
  // down the left side; the top line right of the caption.
  EXPECT_NEAR_COLOUR(c.At(r.right - 8, 70), tinted(r.right - 8, 70), 6);
  EXPECT_NEAR_COLOUR(c.At(0, 70), Over(0, 40, tinted(0, 70)), 6);
  EXPECT_NEAR_COLOUR(c.At(1, 70), Over(0xFFFFFF, 90, tinted(1, 70)), 6);
  EXPECT_NEAR_COLOUR(c.At(r.right - 20, 5), Over(0, 40, tinted(r.right - 20, 5)), 6);

  // The caption (style BS_LEFT) starts 10 pixels in, in black over the background: its
  // letters are dark, and above the frame line (rows 1..4) the untinted background shows.
  int letters = 0;
  for (int y = 1; y < 16; ++y)
    for (int x = 10; x < 60; ++x) letters += Dark(c.At(x, y));
  EXPECT_GT(letters, 15);
  int plain = 0;
  for (int x = 60; x < 64; ++x) plain += tltest::ColourNear(c.At(x, 2), Behind(group, x, 2), 6);
  EXPECT_GT(plain, 0) << "background above the frame line beside the caption";
  for (int x = 2; x < 9; ++x) EXPECT_FALSE(Dark(c.At(x, 3)));
}

TEST_F(ContainersTest, ControlsInsideTintedContainersTakeEveryTintAroundThem) {
  // A control in the group box snapshots the group box's tint over the background.
  HWND check = Control(kGroupCheck);
  ASSERT_NE(check, nullptr);
  SnapshotDC s = BackgroundSnapshot(engine_, check, RECT{0, 0, 8, 8});
  ASSERT_TRUE(s);
  for (POINT p : {POINT{1, 1}, POINT{6, 5}})
    EXPECT_NEAR_COLOUR(Rgb(GetPixel(s.get(), p.x, p.y)), Over(Rgb(kGroupTint), kGroupAlpha, Behind(check, p.x, p.y)), 4);

  // The inner panel lies in the outer one: both tints, on the screen and behind its button.
  HWND inner = Control(kInnerPanel), button = Control(kInnerButton);
  ASSERT_NE(button, nullptr);
  auto both = [&](HWND w, int x, int y) {
    return Over(Rgb(kInnerTint), kInnerAlpha, Over(Rgb(kOuterTint), kOuterAlpha, Behind(w, x, y)));
  };
  const tltest::Capture panel = tltest::CaptureWindow(inner);
  EXPECT_NEAR_COLOUR(panel.At(170, 20), both(inner, 170, 20), 6);
  EXPECT_NEAR_COLOUR(panel.At(0, 50), Over(0, 40, both(inner, 0, 50)), 6);
  EXPECT_NEAR_COLOUR(panel.At(1, 50), Over(0xFFFFFF, 100, both(inner, 1, 50)), 6);
  SnapshotDC b = BackgroundSnapshot(engine_, button, RECT{0, 0, 4, 4});
  ASSERT_TRUE(b);
  EXPECT_NEAR_COLOUR(Rgb(GetPixel(b.get(), 2, 2)), both(button, 2, 2), 6);
  // The outer panel shows its own light tint only.
  HWND outer = Control(kOuterPanel);
  const tltest::Capture o = tltest::CaptureWindow(outer);
  EXPECT_NEAR_COLOUR(o.At(8, 140), Over(Rgb(kOuterTint), kOuterAlpha, Behind(outer, 8, 140)), 6);

  // A new alpha repaints the group box and what lies in it.
  HWND group = Control(kGroupBox);
  ASSERT_TRUE(SetContainerTintAlpha(engine_, group, 200));
  EXPECT_FALSE(SetContainerTintAlpha(engine_, Control(kInnerButton), 200)) << "no container";
  gallery::Pump(100);
  RECT g;
  GetClientRect(group, &g);
  EXPECT_NEAR_COLOUR(tltest::CaptureWindow(group).At(g.right - 8, 70),
                     Over(Rgb(kGroupTint), 200, Behind(group, g.right - 8, 70)), 6);
  s = BackgroundSnapshot(engine_, check, RECT{0, 0, 4, 4});
  EXPECT_NEAR_COLOUR(Rgb(GetPixel(s.get(), 1, 1)), Over(Rgb(kGroupTint), 200, Behind(check, 1, 1)), 4);
  Save(frame_, "alpha200");
}

// A dialog's layout: the group box drawn around controls that are its siblings. Its own
// repaint leaves them as they are on the screen.
TEST_F(ContainersTest, AGroupBoxRepaintLeavesTheSiblingControlsItIsDrawnAround) {
  HWND group = gallery::MakeControl(frame_, "Button", "兄弟分组", 16, 190, 230, 90, BS_GROUPBOX, 0, 0);
  HWND sibling = gallery::MakeControl(frame_, "Button", "兄弟选项", 36, 246, 120, 22, BS_AUTOCHECKBOX, 0, 0);
  SetWindowPos(group, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);  // above it, as a dialog makes it
  ContainerArgs args;
  args.tintColour = 0x3050F0;
  args.tintAlpha = 120;
  SkinContainer(engine_, group, args);
  Repaint(frame_);
  gallery::Pump(200);
  const tltest::Capture before = tltest::CaptureWindow(sibling);
  RedrawWindow(group, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);  // the group box alone
  gallery::Pump(200);
  const tltest::Capture after = tltest::CaptureWindow(sibling);
  ASSERT_EQ(before.pixels.size(), after.pixels.size());
  int changed = 0;
  for (size_t i = 0; i < before.pixels.size(); ++i) changed += before.pixels[i] != after.pixels[i] ? 1 : 0;
  EXPECT_EQ(changed, 0) << "the sibling check box was painted over";
  Save(frame_, "group_box_siblings");
}

TEST_F(ContainersTest, TransparentLabelShowsThePictureAndRepaintsCleanlyAfterTextChanges) {
  HWND label = Control(kLabel);
  ASSERT_TRUE(IsTransparentControl(label));
  RECT r;
  GetClientRect(label, &r);
  const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE));
  auto washed = [&](int x, int y) { return Over(0xFFFFFF, kBackdropAlpha, Behind(label, x, y)); };
  auto checkClean = [&](const tltest::Capture& c, int fromX) {
    int wrong = 0;
    for (int y = 0; y < r.bottom; ++y)
      for (int x = fromX; x < r.right; ++x) wrong += !tltest::ColourNear(c.At(x, y), washed(x, y), 8);
    return wrong;
  };

  tltest::Capture c = tltest::CaptureWindow(label);
  int grey = 0, dark = 0;
  for (uint32_t p : c.pixels) grey += tltest::ColourNear(p, face, 2), dark += Dark(p);
  EXPECT_EQ(grey, 0) << "no grey box";
  EXPECT_GT(dark, 20) << "the text";
  EXPECT_EQ(checkClean(c, r.right - 30), 0) << "the washed picture beside the text";

  SetWindowTextA(label, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  gallery::Pump(80);
  c = tltest::CaptureWindow(label);
  dark = 0;
  for (int x = r.right - 60; x < r.right; ++x)
    for (int y = 0; y < r.bottom; ++y) dark += Dark(c.At(x, y));
  EXPECT_GT(dark, 10) << "the long text reaches the right end";
  Save(label, "label_long");

  SetWindowTextA(label, "");
  gallery::Pump(80);
  EXPECT_EQ(checkClean(tltest::CaptureWindow(label), 0), 0) << "no old text left";
  Save(label, "label_empty");

  // Painted once: nothing left to paint, no WM_PAINT waiting.
  InvalidateRect(label, nullptr, TRUE);
  gallery::Pump(80);
  EXPECT_FALSE(GetUpdateRect(label, nullptr, FALSE));
  EXPECT_EQ(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT, 0u);
}

TEST_F(ContainersTest, LabelTextIsDrawnInItsOwnColour) {
  HWND label = Control(kColouredLabel);
  EXPECT_EQ(static_cast<COLORREF>(reinterpret_cast<intptr_t>(GetPropA(label, "Kj_Ztys"))), kLabelColour);
  const tltest::Capture c = tltest::CaptureWindow(label);
  int red = 0, dark = 0;
  for (uint32_t p : c.pixels) {
    red += tltest::ColourNear(p, Rgb(kLabelColour), 40);
    dark += Channel(p, 16) < 60 && Channel(p, 8) < 60;
  }
  EXPECT_GT(red, 15);
  EXPECT_EQ(dark, 0) << "no black letters";
  Save(label, "label_colour");
}

// A look C button with the gallery's pictures shows each of them as real input and the
// enabled state change.
void ContainersTest::ExpectStatePicturesFollowInput(HWND button, const std::string& name) {
  const POINT at{8, 8};  // clear of the white disc in each picture's middle
  auto shown = [&] { return tltest::CaptureWindow(button).At(at.x, at.y); };

  EXPECT_NEAR_COLOUR(shown(), kNormalColour, 3);
  tltest::MoveMouseTo(button, at);
  gallery::Pump(80);
  EXPECT_NEAR_COLOUR(shown(), kHoverColour, 3);
  Save(button, name + "_hover");
  tltest::PressLeftButton();
  gallery::Pump(80);
  EXPECT_NEAR_COLOUR(shown(), kPressedColour, 3);
  Save(button, name + "_pressed");
  tltest::ReleaseLeftButton();
  Park();
  gallery::Pump(80);
  EXPECT_NEAR_COLOUR(shown(), kNormalColour, 3);

  EnableWindow(button, FALSE);
  gallery::Pump(80);
  EXPECT_NEAR_COLOUR(shown(), kDisabledColour, 3);
  Save(button, name + "_disabled");
  EnableWindow(button, TRUE);
}

TEST_F(ContainersTest, LookCShowsHoverPressedAndDisabledPicturesUnderRealInput) {
  HWND button = Control(kLookC);
  ButtonRecord* record = FindRecord<ButtonRecord>(button);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->kind, ButtonKind::PictureStates);
  ExpectStatePicturesFollowInput(button, "lookc");
}

TEST_F(ContainersTest, APictureButtonWhoseParentIsNotSkinnedPaintsItself) {
  // A plain popup owned by the skinned window: the button lies under the skin, but its
  // owner-draw notification goes to a window that hands it to no one.
  const ButtonRecord& look = *FindRecord<ButtonRecord>(Control(kLookC));
  const StatePictures pictures{look.pictures[0], look.pictures[1], look.pictures[2], look.pictures[4]};
  HWND plain = gallery::MakeFrame("plain", 100, 120, 200, 120, WS_POPUP | WS_VISIBLE, frame_);
  HWND button = gallery::MakeControl(plain, "Button", "", 20, 20, kPictureSize + 4, kPictureSize + 4, BS_PUSHBUTTON);
  ASSERT_EQ(MakeStatePictureButton(engine_, button, pictures), 1);
  gallery::Pump(100);
  ExpectStatePicturesFollowInput(button, "plain_parent");
  DestroyWindow(plain);
}

TEST_F(ContainersTest, LookBDrawsItsPictureBesideTheCaption) {
  HWND button = Control(kLookB);
  ASSERT_NE(FindRecord<ButtonRecord>(button), nullptr);
  EXPECT_EQ(FindRecord<ButtonRecord>(button)->kind, ButtonKind::PictureBeside);
  RECT r;
  GetClientRect(button, &r);
  const int s = static_cast<int>(r.bottom * 0.8f), top = (r.bottom - s) / 2;
  const tltest::Capture c = tltest::CaptureWindow(button);
  EXPECT_NEAR_COLOUR(c.At(3 + 3, top + 3), kLookBColour, 12);
  EXPECT_NEAR_COLOUR(c.At(3 + s / 2, top + s / 2), 0xFFFFFF, 12) << "the disc in the picture's middle";
  int letters = 0;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = s + 5; x < r.right; ++x) letters += Dark(c.At(x, y));
  EXPECT_GT(letters, 15) << "the caption right of the picture";
  Save(button, "lookb");
}

TEST_F(ContainersTest, TakingTwiceOrOffASkinnedWindowChangesNothing) {
  HWND group = Control(kGroupBox), label = Control(kLabel), lookC = Control(kLookC);
  const auto proc = [](HWND w) { return GetWindowLongPtrA(w, GWLP_WNDPROC); };
  const LONG_PTR groupProc = proc(group), labelProc = proc(label);
  const int containers = Skin().List<ContainerRecord>().Count();
  const int transparent = Skin().List<TransparentControlRecord>().Count();
  const int buttons = Skin().List<ButtonRecord>().Count();
  const int position = GetIntProp(group, prop::kListPosition);

  EXPECT_EQ(SkinContainer(engine_, group, {}), position);
  EXPECT_EQ(MakeControlTransparent(engine_, label), 0);
  StatePictures again{{}, {}, {}, {}};
  EXPECT_EQ(MakeStatePictureButton(engine_, lookC, again, "tip"), 1);
  EXPECT_EQ(proc(group), groupProc);
  EXPECT_EQ(proc(label), labelProc);
  EXPECT_EQ(Skin().List<ContainerRecord>().Count(), containers);
  EXPECT_EQ(Skin().List<TransparentControlRecord>().Count(), transparent);
  EXPECT_EQ(Skin().List<ButtonRecord>().Count(), buttons);
  EXPECT_TRUE(FindRecord<ButtonRecord>(lookC)->pictures[0].empty()) << "the pictures were replaced";
  gallery::Pump(50);  // and it still paints (an empty picture draws nothing)

  // A window that is not skinned: nothing is taken.
  HWND plain = gallery::MakeFrame("plain", 0, 0, 200, 100, WS_POPUP | WS_VISIBLE);
  HWND panel = gallery::MakeControl(plain, "Static", "", 0, 0, 100, 50);
  HWND child = gallery::MakeControl(panel, "Button", "b", 0, 0, 50, 20);
  const LONG_PTR panelProc = proc(panel), childProc = proc(child);
  EXPECT_EQ(SkinContainer(engine_, panel, {}), 0);
  EXPECT_EQ(MakeControlTransparent(engine_, panel), 0);
  EXPECT_EQ(MakePictureButton(engine_, child, {}, 1), 0);
  EXPECT_EQ(MakeStatePictureButton(engine_, child, {}), 0);
  EXPECT_EQ(proc(panel), panelProc);
  EXPECT_EQ(proc(child), childProc);
  EXPECT_EQ(GetPropA(panel, prop::kListPosition), nullptr);
  EXPECT_EQ(GetPropA(panel, prop::kTransparentProc), nullptr);
  EXPECT_EQ(SkinContainer(engine_, nullptr, {}), 0);
  EXPECT_EQ(MakeControlTransparent(engine_, nullptr), 0);
  SetControlTextColour(nullptr, 0);
  DestroyWindow(plain);
}

TEST_F(ContainersTest, TransparentTabControlShowsTheWashedPictureAndItsChildrenAreTaken) {
  HWND tab = gallery::MakeControl(frame_, WC_TABCONTROLA, "", 262, 244, 230, 42);
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>("Tab");
  SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  HWND inside = gallery::MakeControl(tab, "Button", "In tab", 150, 22, 60, 16);

  // With a child it is also a container, painted by the system.
  const int position = MakeControlTransparent(engine_, tab, {}, {}, kBackdropAlpha);
  ASSERT_GT(position, 0);
  EXPECT_EQ(Skin().List<ContainerRecord>().At(position)->ownPaint, 0);
  EXPECT_TRUE(IsTransparentControl(tab));
  ASSERT_NE(FindRecord<ButtonRecord>(inside), nullptr) << "the button inside was taken";

  RedrawWindow(tab, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  gallery::Pump(100);
  EXPECT_FALSE(GetUpdateRect(tab, nullptr, FALSE));
  const tltest::Capture c = tltest::CaptureWindow(tab);
  const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE));
  int grey = 0;
  for (uint32_t p : c.pixels) grey += p == face;
  EXPECT_EQ(grey, 0) << "the button-face colour lets the picture show";
  // Beside the tab item the picture shows: as the snapshot where the control left it, washed
  // where it painted the button-face colour (the body is the theme's own).
  const uint32_t beside = c.At(100, 6), picture = Behind(tab, 100, 6);
  EXPECT_TRUE(tltest::ColourNear(beside, picture, 8) ||
              tltest::ColourNear(beside, Over(0xFFFFFF, kBackdropAlpha, picture), 8))
      << Hex(beside) << " vs " << Hex(picture);
  Save(tab, "tab");
}

// A plain label (not made transparent) on a skinned window gets a pattern brush and its
// bitmap in each colour reply; they go when the window is destroyed.
TEST_F(ContainersTest, PlainLabelsColourRepliesGoWithTheirWindow) {
  auto cycle = [&](bool check) {
    HWND w = gallery::Make("containers", engine_);
    HWND plain = CreateWindowA("Static", "Plain label", WS_CHILD | WS_VISIBLE, 270, 250, 200, 18, w, nullptr,
                               nullptr, nullptr);
    RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (check) {
      EXPECT_NE(nullptr, GetPropA(plain, "Kj_dxjb")) << "the label was coloured by the skin";
    }
    DestroyWindow(w);
    gallery::Pump(10);
  };
  cycle(true);
  cycle(false);  // the system's own objects for such windows are made by the second one
  const int gdi = tltest::GdiObjectCount();
  for (int i = 0; i < 20; ++i) cycle(false);
  EXPECT_LE(tltest::GdiObjectCount() - gdi, 2);
  // Labels that come and go while the window lives take theirs along too.
  const int live = tltest::GdiObjectCount();
  for (int i = 0; i < 50; ++i) {
    HWND plain = CreateWindowA("Static", "Plain label", WS_CHILD | WS_VISIBLE, 270, 250, 200, 18, frame_, nullptr,
                               nullptr, nullptr);
    RedrawWindow(plain, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (i == 0) {
      EXPECT_NE(nullptr, GetPropA(plain, "Kj_dxjb"));
    }
    DestroyWindow(plain);
  }
  EXPECT_LE(tltest::GdiObjectCount() - live, 2) << "reply objects of labels destroyed on their own";
}

// Controls of every family made, skinned, painted and destroyed again and again on a live
// skinned window leave GDI objects, USER objects, memory and the family lists where they were.
TEST_F(ContainersTest, ControlsOfEveryFamilyComingAndGoingLeaveNothingBehind) {
  const int instance = engine_.FindSkinInstance(frame_);
  auto cycle = [&] {
    const HWND made[] = {
        gallery::MakeControl(frame_, "Button", "按钮", 20, 200, 80, 24, BS_PUSHBUTTON),
        gallery::MakeControl(frame_, "Button", "选项", 110, 200, 80, 20, BS_AUTOCHECKBOX),
        gallery::MakeControl(frame_, "Edit", "编辑", 200, 200, 80, 24, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE),
        gallery::MakeControl(frame_, "ComboBox", "", 290, 200, 90, 120, CBS_DROPDOWN),
        gallery::MakeControl(frame_, "ListBox", "", 20, 230, 80, 50, 0, WS_EX_CLIENTEDGE),
        gallery::MakeControl(frame_, WC_LISTVIEWA, "", 110, 230, 120, 50, LVS_REPORT, WS_EX_CLIENTEDGE),
        gallery::MakeControl(frame_, TRACKBAR_CLASSA, "", 240, 230, 100, 26),
        gallery::MakeControl(frame_, PROGRESS_CLASSA, "", 350, 230, 100, 16),
        gallery::MakeControl(frame_, UPDOWN_CLASSA, "", 460, 230, 18, 26)};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 80;
    column.pszText = const_cast<char*>("列");
    SendMessageA(made[5], LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    TakeEveryFamily(engine_, instance, frame_);
    for (HWND c : made) RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (HWND c : made) DestroyWindow(c);
  };
  for (int i = 0; i < 10; ++i) cycle();
  gallery::Pump(50);
  const int gdi = tltest::GdiObjectCount(), users = tltest::UserObjectCount();
  const size_t memory = tltest::WorkingSetBytes();
  int records = 0;
  for (int f = 0; f < kFamilyCount; ++f) records += Skin().CountOf(static_cast<Family>(f));
  const DWORD start = GetTickCount();
  for (int i = 0; i < 1000; ++i) cycle();
  printf("1000 rounds: %lu ms, USER objects %d -> %d\n", static_cast<unsigned long>(GetTickCount() - start), users,
         tltest::UserObjectCount());
  gallery::Pump(50);
  int after = 0;
  for (int f = 0; f < kFamilyCount; ++f) after += Skin().CountOf(static_cast<Family>(f));
  EXPECT_LE(tltest::GdiObjectCount() - gdi, 3);
  EXPECT_LE(tltest::UserObjectCount() - users, 2) << "USER objects (windows under Wine) before " << users;
  EXPECT_LT(tltest::WorkingSetBytes(), memory + 2 * 1024 * 1024) << "working set before " << memory;
  EXPECT_EQ(after, records) << "records of destroyed controls are taken again";
}

// The skin's string-keyed properties a window's own procedure still finds at its last
// WM_NCDESTROY (none may be left: each holds a global atom).
std::map<HWND, WNDPROC> g_ownProcs;
std::vector<std::string> g_leftKeys;
BOOL CALLBACK CollectKey(HWND, LPSTR key, HANDLE, ULONG_PTR) {
  if (!HIWORD(reinterpret_cast<ULONG_PTR>(key))) return TRUE;  // an atom, not a name
  for (const char* prefix : {"Hw_", "Kj_", "Ck_", "Wxk_", "Mb_"})  // the skin's; Wine keeps its own
    if (std::string(key).rfind(prefix, 0) == 0) g_leftKeys.emplace_back(key);
  return TRUE;
}
LRESULT CALLBACK LastMessageWatch(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  const WNDPROC own = g_ownProcs[w];
  if (m == WM_NCDESTROY) EnumPropsExA(w, CollectKey, 0);
  return CallWindowProcA(own, w, m, wp, lp);
}
void WatchLastMessage(HWND w) {
  g_ownProcs[w] = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LastMessageWatch)));
}

TEST_F(ContainersTest, NoSkinPropertyOutlivesItsWindow) {
  HWND w = gallery::MakeFrame("Props", 80, 80, 360, 240, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_SYSMENU);
  std::vector<HWND> watched{w};
  watched.push_back(gallery::MakeControl(w, "Button", "按钮", 20, 40, 90, 26, BS_PUSHBUTTON));
  watched.push_back(gallery::MakeControl(w, "Edit", "编辑", 20, 80, 120, 24, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE));
  watched.push_back(gallery::MakeControl(w, "ListBox", "", 160, 40, 120, 80, 0, WS_EX_CLIENTEDGE));
  HWND group = gallery::MakeControl(w, "Button", "分组", 20, 120, 140, 90, BS_GROUPBOX);
  HWND label = gallery::MakeControl(w, "Static", "标签", 180, 150, 100, 18);
  watched.push_back(group);
  watched.push_back(label);
  for (HWND c : watched) WatchLastMessage(c);
  engine_.ApplySkin(w, {});
  SkinContainer(engine_, group, {});
  MakeControlTransparent(engine_, label);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ASSERT_NE(GetPropA(watched[1], "Hw_hProc"), nullptr) << "the button was taken";
  g_leftKeys.clear();
  DestroyWindow(w);
  std::string left;
  for (const std::string& key : g_leftKeys) left += key + " ";
  EXPECT_TRUE(g_leftKeys.empty()) << left;
}

TEST_F(ContainersTest, RepaintsAndTextChangesLeaveGdiObjectsAndMemoryFlat) {
  HWND labels[] = {Control(kLabel), Control(kSecondLabel), Control(kColouredLabel)};
  HWND others[] = {Control(kGroupBox), Control(kOuterPanel), Control(kInnerPanel), Control(kLookB), Control(kLookC)};
  HWND pictured[] = {Control(kLookB), Control(kLookC)};
  // Each picture look in turn hot, pressed, released and left, disabled and enabled again.
  auto changeLook = [&](int i) {
    HWND b = pictured[(i / 4) % 2];
    switch (i % 4) {
      case 0: SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4)); break;
      case 1: SendMessageA(b, BM_SETSTATE, TRUE, 0); break;
      case 2: SendMessageA(b, BM_SETSTATE, FALSE, 0); SendMessageA(b, WM_MOUSELEAVE, 0, 0); break;
      default: EnableWindow(b, FALSE); UpdateWindow(b); EnableWindow(b, TRUE); break;
    }
    UpdateWindow(b);
  };
  // A text change and a repaint of one transparent label, a repaint of one container or
  // picture button (each paints itself only), and a picture look changed.
  auto cycle = [&](int i) {
    HWND label = labels[i % 3];
    SetWindowTextA(label, (i % 2) ? "Some text 一些文字" : "Other words");
    UpdateWindow(label);
    RedrawWindow(others[i % 5], nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    changeLook(i);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  };
  for (int i = 0; i < 30; ++i) cycle(i);
  const int gdi = tltest::GdiObjectCount();
  const size_t bytes = tltest::WorkingSetBytes();
  const DWORD start = GetTickCount();
  for (int i = 0; i < 1000; ++i) cycle(i);
  printf("1000 cycles: %lu ms, GDI objects %d -> %d, working set %zu -> %zu KiB\n",
         static_cast<unsigned long>(GetTickCount() - start), gdi, tltest::GdiObjectCount(), bytes / 1024,
         tltest::WorkingSetBytes() / 1024);
  EXPECT_LE(tltest::GdiObjectCount() - gdi, 2);
  EXPECT_LT(tltest::WorkingSetBytes(), bytes + 1024 * 1024);
  Save(frame_, "after_cycles");
}

}  // namespace
