// The skin engine's own state under Wine with real windows: start and end, options, the
// family lists, subclassing and chaining, the lookups, and the removal of a skinned window
// with the renumbering of every other window's and control's properties.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "skin/controls/button.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/framed_control.h"
#include "skin/controls/trackbar.h"
#include "skin/link_table.h"
#include "skin/skin_engine.h"
#include "skin/subclass.h"
#include "skin/window/transparent_control.h"
#include "tests/skin/skin_test_fixture.h"
#include "tests/skin/skin_test_windows.h"

using namespace tunelark;
using namespace skintest;

namespace {

// A family whose every handler throws, over a window class that counts its WM_NCDESTROY.
int g_finalDestroys = 0;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCDESTROY) ++g_finalDestroys;
  return DefWindowProcA(w, m, wp, lp);
}
LRESULT Throwing(FamilyMessage<TestEditRecord>&) { throw std::runtime_error("handler failed"); }

class SkinEngineTest : public EngineTest {};

TEST_F(SkinEngineTest, StartsAndEndsGdiplusOnceAndLoadsTheProgramIcon) {
  EXPECT_EQ(SkinEngine::Current(), &engine_);
  EXPECT_TRUE(engine_.GdiplusRunning());
  EXPECT_NE(engine_.programIcon(), nullptr) << "icon 129 is linked into this test";
  EXPECT_EQ(engine_.options.drawChildControls, 1);
  EXPECT_EQ(engine_.options.backdropAlpha, 160);
  EXPECT_EQ(engine_.options.alphaGiven, 0);
  EXPECT_EQ(engine_.options.accentColour, 0xDDCA22u);
  EXPECT_EQ(engine_.options.controlFrames, 1);
  EXPECT_EQ(engine_.options.firstSizePending, 1);
  EXPECT_EQ(engine_.background.baseColour, GetSysColor(COLOR_BTNFACE));

  engine_.ShutdownGdiplus();  // as WM_QUIT does
  EXPECT_FALSE(engine_.GdiplusRunning());
  engine_.End();  // the second shutdown finds no token and does nothing
  EXPECT_EQ(engine_.programIcon(), nullptr);
  EXPECT_TRUE(engine_.Start());
}

TEST_F(SkinEngineTest, SkinOptionsWithoutAlphaSwitchTheColourRepliesOff) {
  EXPECT_EQ(engine_.SetSkinOptions(1, 100), 1);
  EXPECT_EQ(engine_.options.backdropAlpha, 100);
  EXPECT_EQ(engine_.options.alphaGiven, 1);
  EXPECT_EQ(engine_.SetSkinOptions(0, 100, 0), 0);
  EXPECT_EQ(engine_.options.drawChildControls, 0);
  EXPECT_EQ(engine_.options.controlFrames, 0);
  EXPECT_EQ(engine_.SetSkinOptions(1), 1);
  EXPECT_EQ(engine_.options.backdropAlpha, 160);
  EXPECT_EQ(engine_.options.alphaGiven, 0);
  EXPECT_EQ(engine_.options.controlFrames, 1);
}

TEST_F(SkinEngineTest, TakingControlsLinksThemAndChainsEveryMessage) {
  HWND top = Track(MakeTopLevel(40, 40, 300, 200));
  HWND ok = MakeChild(top, "Button", 10, 10, 80, 24, BS_PUSHBUTTON);
  HWND check = MakeChild(top, "Button", 10, 40, 80, 24, BS_AUTOCHECKBOX);
  HWND cancel = MakeChild(top, "Button", 100, 10, 80, 24, BS_PUSHBUTTON);
  WNDPROC buttonProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(ok, GWLP_WNDPROC));
  int k = SkinTopLevel(engine_, top, 300, 200);
  ASSERT_EQ(k, 1);
  SkinInstance& skin = *engine_.Instance(k);

  // A list holding no control reports none; the first control taken gets position 1.
  EXPECT_EQ(skin.CountOf(Family::Button), 0);
  TakeTestButtons(engine_, k, top);
  TakeTestButtons(engine_, k, top);  // a second run skips the buttons already taken
  ASSERT_EQ(skin.CountOf(Family::Button), 2);
  EXPECT_EQ(GetIntProp(ok, prop::kListPosition), 1);
  EXPECT_EQ(GetIntProp(cancel, prop::kListPosition), 2);
  EXPECT_EQ(GetIntProp(ok, prop::kInstance), 1);
  EXPECT_EQ(GetIntProp(check, prop::kListPosition), 0) << "not a push button";
  EXPECT_EQ(engine_.RecordOf<TestButtonRecord>(cancel)->window, cancel);
  EXPECT_EQ(engine_.RecordOf<TestButtonRecord>(check), nullptr);
  // The replaced procedure is kept in the record and in "Hw_hProc"; it still does the work.
  EXPECT_EQ(engine_.RecordOf<TestButtonRecord>(ok)->previousProc, GetHandleProp<WNDPROC>(ok, prop::kPreviousProc));
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(ok, GWLP_WNDPROC)), buttonProc);
  int before = FamilyMessagesSeen();
  SetWindowTextA(ok, "确定");
  char text[32] = {};
  GetWindowTextA(ok, text, sizeof text);
  EXPECT_STREQ(text, "确定");
  EXPECT_GT(FamilyMessagesSeen(), before);
  SendMessageA(ok, BM_SETSTATE, TRUE, 0);
  EXPECT_TRUE(SendMessageA(ok, BM_GETSTATE, 0, 0) & BST_PUSHED);

  // The top-level window: "Hw_lbID" = instance number, "Hw_hProc" = the replaced procedure.
  EXPECT_EQ(GetIntProp(top, prop::kListPosition), 1);
  EXPECT_EQ(GetHandleProp<WNDPROC>(top, prop::kPreviousProc), skin.previousProc);
  SetWindowTextA(top, "chained");
  GetWindowTextA(top, text, sizeof text);
  EXPECT_STREQ(text, "chained");
}

TEST_F(SkinEngineTest, FindsInstancesContainersAndPaintingContainers) {
  HWND plain = Track(MakeTopLevel(30, 30, 200, 150));
  HWND plainPanel = MakeChild(plain, "Static", 10, 10, 100, 100);
  HWND plainLabel = MakeChild(plainPanel, "Static", 5, 5, 40, 20);
  EXPECT_EQ(engine_.FindOwningInstance(plainLabel), 0) << "no skinned ancestor";
  EXPECT_EQ(engine_.FindOwningInstance(plain), 0);

  HWND top = Track(MakeTopLevel(60, 60, 300, 240));
  HWND outer = MakeChild(top, "Static", 10, 10, 250, 200);
  HWND middle = MakeChild(outer, "Static", 10, 10, 200, 150);
  HWND inner = MakeChild(middle, "Static", 10, 10, 150, 100);
  HWND label = MakeChild(inner, "Static", 10, 10, 50, 20);
  int k = SkinTopLevel(engine_, top, 300, 240);
  EXPECT_EQ(engine_.FindSkinInstance(top), k);
  EXPECT_EQ(engine_.FindSkinInstance(label), 0);
  EXPECT_EQ(engine_.FindSkinInstance(nullptr), 0);
  EXPECT_EQ(engine_.FindOwningInstance(label), k);
  EXPECT_EQ(engine_.FindOwningInstance(top), 0) << "the window itself is not tested";

  int jOuter = TakeTestContainer(engine_, k, outer, 0x00FF00, 100, 1);
  int jInner = TakeTestContainer(engine_, k, inner, 0x0000FF, 100, 0);  // painted by the system
  EXPECT_EQ(engine_.FindContainer(k, outer), jOuter);
  EXPECT_EQ(engine_.FindContainer(k, inner), jInner);
  EXPECT_EQ(engine_.FindContainer(k, middle), 0);
  EXPECT_EQ(engine_.FindContainer(2, outer), 0) << "no such instance";
  // inner paints nothing itself, so the walk goes on to outer; stopping at middle ends it.
  EXPECT_EQ(engine_.FindPaintingContainerAbove(k, label, nullptr), jOuter);
  EXPECT_EQ(engine_.FindPaintingContainerAbove(k, label, middle), 0);
  EXPECT_EQ(engine_.FindPaintingContainerAbove(k, outer, nullptr), 0) << "the control itself is not tested";
}

TEST_F(SkinEngineTest, RemovingTheFirstOfThreeWindowsRenumbersTheOthersAndAllTheirControls) {
  struct Skinned {
    HWND top, ok, edit, panel, label, clock;
    int k;
  } w[3];
  for (int i = 0; i < 3; ++i) {
    Skinned& s = w[i];
    s.top = Track(MakeTopLevel(20 + 40 * i, 20 + 40 * i, 260, 180));
    s.ok = MakeChild(s.top, "Button", 10, 10, 70, 24, BS_PUSHBUTTON);
    s.edit = MakeChild(s.top, "Edit", 10, 40, 100, 24);
    s.panel = MakeChild(s.top, "Static", 120, 40, 120, 100);
    s.label = MakeChild(s.top, "Static", 10, 80, 80, 20);
    s.clock = MakeChild(s.top, "Static", 10, 110, 80, 20);
    s.k = SkinTopLevel(engine_, s.top, 260, 180);
    ASSERT_EQ(s.k, i + 1);
    TakeTestButtons(engine_, s.k, s.top);
    TakeTestEdits(engine_, s.k, s.top);
    TakeTestContainer(engine_, s.k, s.panel, 0, 255);
    TakeTestTransparent(engine_, s.k, s.label);
    TakeTestTransparent(engine_, s.k, s.clock);
  }
  ASSERT_EQ(engine_.InstanceCount(), 3);
  EXPECT_EQ(GetIntProp(w[2].clock, prop::kTransparentInstance), 3);
  EXPECT_EQ(GetIntProp(w[2].clock, prop::kTransparentPosition), 2);
  EXPECT_EQ(GetIntProp(w[2].clock, prop::kListPosition), 0) << "transparent controls use the Kj_ keys";
  // The edit's colour-reply objects are deleted with its window's instance.
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  SetHandleProp(w[0].edit, prop::kReplyBrush, brush);

  DestroyWindow(w[0].top);
  Pump();

  ASSERT_EQ(engine_.InstanceCount(), 2);
  EXPECT_EQ(engine_.FindSkinInstance(w[0].top), 0);
  for (int i = 1; i < 3; ++i) {
    const Skinned& s = w[i];
    const int k = i;  // window 2 becomes 1, window 3 becomes 2
    SCOPED_TRACE(i);
    EXPECT_EQ(engine_.FindSkinInstance(s.top), k);
    EXPECT_EQ(engine_.Instance(k)->window, s.top);
    EXPECT_EQ(GetIntProp(s.top, prop::kListPosition), k);
    for (HWND control : {s.ok, s.edit, s.panel}) {
      EXPECT_EQ(GetIntProp(control, prop::kInstance), k);
      EXPECT_EQ(GetIntProp(control, prop::kListPosition), 1) << "list positions do not change";
    }
    EXPECT_EQ(GetIntProp(s.label, prop::kTransparentInstance), k);
    EXPECT_EQ(GetIntProp(s.clock, prop::kTransparentInstance), k);
    EXPECT_EQ(GetIntProp(s.clock, prop::kTransparentPosition), 2);
    EXPECT_EQ(engine_.RecordOf<TestButtonRecord>(s.ok)->window, s.ok);
  }
  // The chained procedures still work after renumbering.
  SetWindowTextA(w[2].ok, "still");
  char text[16] = {};
  GetWindowTextA(w[2].ok, text, sizeof text);
  EXPECT_STREQ(text, "still");

  DestroyWindow(w[2].top);
  Pump();
  ASSERT_EQ(engine_.InstanceCount(), 1);
  EXPECT_EQ(GetIntProp(w[1].top, prop::kListPosition), 1);
  EXPECT_EQ(GetIntProp(w[1].ok, prop::kInstance), 1);
}

TEST_F(SkinEngineTest, TheSnapshotRegistryReleasesOnlyWhatItHolds) {
  SnapshotRegistry registry;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP first = CreateCompatibleBitmap(dc, 4, 4);
  HBITMAP second = CreateCompatibleBitmap(dc, 8, 8);
  HGDIOBJ previous = SelectObject(dc, first);
  registry.Register(dc, first, previous);
  registry.Register(dc, first, previous);
  EXPECT_EQ(registry.Count(), 1) << "a DC already registered is overwritten, not added";
  SelectObject(dc, second);
  DeleteObject(first);
  registry.Register(dc, second, previous);
  EXPECT_EQ(registry.Count(), 1);

  HDC stranger = CreateCompatibleDC(nullptr);
  registry.Release(stranger);
  registry.Release(nullptr);
  EXPECT_EQ(registry.Count(), 1);
  EXPECT_NE(GetObjectType(stranger), 0u) << "an unregistered DC is left alone";
  DeleteDC(stranger);

  registry.Release(dc);
  EXPECT_EQ(registry.Count(), 0);
  EXPECT_EQ(GetObjectType(dc), 0u) << "the DC is deleted";
  EXPECT_EQ(GetObjectType(second), 0u) << "the bitmap that came out is deleted";
}

TEST_F(SkinEngineTest, DestroyingSkinnedWindowsReleasesTheirBackBuffers) {
  auto cycle = [&] {
    HWND top = MakeTopLevel(10, 10, 200, 120);
    MakeChild(top, "Edit", 5, 5, 80, 20);
    int k = SkinTopLevel(engine_, top, 200, 120);  // back buffer and both strips
    TakeTestEdits(engine_, k, top);
    DestroyWindow(top);
  };
  cycle();  // first-use allocations (classes, caches) settle here
  Pump();
  const int start = GdiObjectCount();
  ASSERT_GT(start, 0);
  for (int i = 0; i < 40; ++i) cycle();
  Pump();
  EXPECT_EQ(engine_.InstanceCount(), 0);
  EXPECT_EQ(GdiObjectCount(), start);
}

TEST(GdiObjectCountTest, CountsObjectsAsTheyAreMadeAndDeleted) {
  const int start = GdiObjectCount();
  std::vector<HBRUSH> brushes;
  for (int i = 0; i < 50; ++i) brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
  EXPECT_EQ(GdiObjectCount(), start + 50);
  for (HBRUSH b : brushes) DeleteObject(b);
  EXPECT_EQ(GdiObjectCount(), start);
}


}  // namespace

namespace {

// The one template every family's procedure is: a control is taken by one skin procedure
// only, a destroyed control's record and links let its handle go, and a handler that throws
// keeps the system's teardown.
TEST_F(SkinEngineTest, FamilyProceduresTakeOnceAndLetDestroyedControlsGo) {
  HWND top = Track(MakeTopLevel(40, 40, 300, 200));
  HWND label = MakeChild(top, "Button", 10, 10, 80, 24, BS_PUSHBUTTON);
  const int k = SkinTopLevel(engine_, top, 300, 200);
  SkinInstance& skin = *engine_.Instance(k);
  MakeControlTransparent(engine_, label);
  const LONG_PTR transparentProc = GetWindowLongPtrA(label, GWLP_WNDPROC);
  TakePushButtons(engine_, k, top);
  EXPECT_EQ(GetWindowLongPtrA(label, GWLP_WNDPROC), transparentProc) << "made transparent, then not taken again";
  EXPECT_EQ(GetPropA(label, prop::kPreviousProc), nullptr);
  EXPECT_EQ(skin.CountOf(Family::Button), 0);

  const size_t links = link_table::Size();
  HWND controls[] = {MakeChild(top, "Button", 10, 40, 80, 24, BS_PUSHBUTTON), MakeChild(top, "Edit", 10, 70, 80, 24),
                     MakeChild(top, "ListBox", 100, 10, 80, 60, 0, WS_EX_CLIENTEDGE),
                     MakeChild(top, TRACKBAR_CLASSA, 100, 80, 120, 30)};
  TakePushButtons(engine_, k, top);
  TakeEditBoxes(engine_, k, top);
  TakeFramedControls(engine_, k, top);
  TakeTrackbars(engine_, k, top);
  const Family families[] = {Family::Button, Family::Edit, Family::ListLike, Family::Trackbar};
  for (size_t i = 0; i < 4; ++i) ASSERT_GE(skin.ListOf(families[i])->Find(controls[i]), 1) << i;
  const LONG_PTR buttonProc = GetWindowLongPtrA(controls[0], GWLP_WNDPROC);
  TakePushButtons(engine_, k, top);
  TakeCheckAndRadioButtons(engine_, k, top);
  EXPECT_EQ(GetWindowLongPtrA(controls[0], GWLP_WNDPROC), buttonProc) << "a second installer leaves it alone";
  EXPECT_EQ(skin.CountOf(Family::Button), 1);
  EXPECT_EQ(link_table::Size(), links + 4);
  for (size_t i = 0; i < 4; ++i) {
    DestroyWindow(controls[i]);
    EXPECT_EQ(skin.ListOf(families[i])->Find(controls[i]), 0) << "a new control given this handle is taken afresh";
  }
  EXPECT_EQ(link_table::Size(), links) << "no links kept for destroyed windows";

  WNDCLASSA wc{};
  wc.lpfnWndProc = CountingProc;
  wc.lpszClassName = "CountingChild";
  RegisterClassA(&wc);
  HWND other = Track(MakeTopLevel(360, 40, 200, 100));  // its own lists: the test record's family is free
  const int k2 = SkinTopLevel(engine_, other, 200, 100);
  HWND child = MakeChild(other, "CountingChild", 10, 10, 50, 20);
  TakeControl(*engine_.Instance(k2), k2, child, FamilyProc<TestEditRecord, Throwing>, TestEditRecord{});
  EXPECT_EQ(SendMessageA(child, WM_USER, 0, 0), 0) << "nothing thrown leaves the procedure";
  g_finalDestroys = 0;
  DestroyWindow(child);
  EXPECT_EQ(g_finalDestroys, 1) << "WM_NCDESTROY reached the window's own procedure";
}


// Painted once per paint: the snapshots the skin takes over one repaint of a control (every
// skin paint takes one) stay as they were when other installers run over it afterwards.
TEST_F(SkinEngineTest, AControlTakenAgainOrMadeTransparentFirstIsPaintedOncePerPaint) {
  HWND top = Track(MakeTopLevel(40, 40, 300, 200));
  HWND check = MakeChild(top, "Button", 10, 10, 90, 24, BS_AUTOCHECKBOX);
  HWND edit = MakeChild(top, "Edit", 110, 10, 90, 24, 0, WS_EX_CLIENTEDGE);
  HWND clear = MakeChild(top, "Edit", 110, 50, 90, 24, 0, WS_EX_CLIENTEDGE);
  const int k = SkinTopLevel(engine_, top, 300, 200);
  UpdateWindow(top);
  auto paintsOf = [&](HWND w) {
    const int before = engine_.snapshots().Made();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    return engine_.snapshots().Made() - before;
  };
  TakeButton(engine_, k, check, ButtonKind::CheckBox);
  TakeEditBox(engine_, k, edit);
  MakeControlTransparent(engine_, clear);
  const int checkAlone = paintsOf(check), editAlone = paintsOf(edit), clearAlone = paintsOf(clear);
  ASSERT_GE(checkAlone, 1);
  ASSERT_GE(editAlone, 1);
  ASSERT_GE(clearAlone, 1);
  TakeCheckAndRadioButtons(engine_, k, top);
  TakePushButtons(engine_, k, top);
  TakeEditBoxes(engine_, k, top);
  TakeFramedControls(engine_, k, top);
  MakeControlTransparent(engine_, check);
  MakeControlTransparent(engine_, edit);
  EXPECT_EQ(paintsOf(check), checkAlone) << "taken by a second installer, then made transparent";
  EXPECT_EQ(paintsOf(edit), editAlone) << "taken by a second installer, then made transparent";
  EXPECT_EQ(paintsOf(clear), clearAlone) << "made transparent, then offered to the edit installer";
}

}  // namespace
