// Skinned combo boxes and up-down controls on the "controls-combo" gallery window: their
// looks at sample pixels in the states real input puts them in (normal, hot, pressed or
// dropped, focused, disabled; a press ended by a lost capture), the system's own behaviour
// under the skin (picking items by mouse and keys, typing, arrows changing the buddy), the
// installers taking each control once, reply objects going with their control, and GDI
// objects and memory flat over many hovers and paints.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "skin/controls/combo_box.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/framed_control.h"
#include "skin/controls/up_down.h"
#include "skin/skin_engine.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_controls_combo.h"
#include "tests/support/gdi_count.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tunelark;
using namespace gallery::combo;

namespace {

int Red(uint32_t c) { return (c >> 16) & 0xFF; }
int Green(uint32_t c) { return (c >> 8) & 0xFF; }
int Blue(uint32_t c) { return c & 0xFF; }

// The accent colour (red 0x22, green 0xCA, blue 0xDD) shows as far less red than green and
// blue; the white washes and black outlines over the background do not.
bool IsAccent(uint32_t c) { return Green(c) >= Red(c) + 60 && Blue(c) >= Red(c) + 60; }
// The same, for the up-down's antialiased 1-pixel outlines, which cover their row partly.
bool IsAccentTinted(uint32_t c) { return Green(c) >= Red(c) + 30 && Blue(c) >= Red(c) + 30; }
// An outline lit in the accent colour since `before` (its black outline): far greener.
bool LitSince(uint32_t now, uint32_t before) { return Green(now) >= Green(before) + 30 && Red(now) <= Red(before); }
// The arrows (0x3A3F45) and black text.
bool IsDark(uint32_t c) { return std::max({Red(c), Green(c), Blue(c)}) < 0x70; }

SIZE SizeOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return {r.right - r.left, r.bottom - r.top};
}

POINT Centre(HWND w) {
  const SIZE s = SizeOf(w);
  return {s.cx / 2, s.cy / 2};
}

std::string TextOf(HWND w) {
  char text[256] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

HWND DropListOf(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return GetComboBoxInfo(combo, &info) ? info.hwndList : nullptr;
}

// A hand's quick move for the many hover cycles: an absolute move and a short pump.
void QuickMove(HWND window, POINT p) {
  ClientToScreen(window, &p);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((p.x * 65535LL + (w - 1) / 2) / (w > 1 ? w - 1 : 1));
  in.mi.dy = static_cast<LONG>((p.y * 65535LL + (h - 1) / 2) / (h > 1 ? h - 1 : 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  gallery::Pump(4);
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
    capture.SavePng(tltest::ScreenshotDirectory() + "\\combo_updown_" + name + ".png");
  }
};

// Dark pixels in a rectangle of a control (text or arrows there).
int DarkPixels(const Screen& s, HWND control, RECT r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += IsDark(s.At(control, {x, y}));
  return n;
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

 private:
  int w_;
  HBITMAP bitmap_;
  uint32_t* bits_ = nullptr;
  HDC dc_;
  HGDIOBJ previous_;
  std::optional<Canvas> canvas_;
};

constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kMagenta = 0xFF00FF;

// a over b at alpha, per channel.
uint32_t Blend(uint32_t a, uint32_t b, int alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    out |= static_cast<uint32_t>((ca * alpha + cb * (255 - alpha) + 127) / 255) << shift;
  }
  return out;
}

class ComboUpDown : public ::testing::Test {
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
    window_ = gallery::Make("controls-combo", *engine_);
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
  // The mouse on the frame, away from every control.
  void ParkMouse() const { tltest::MoveMouseTo(window_, {460, 310}); }
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

SkinEngine* ComboUpDown::engine_ = nullptr;

// ---------------------------------------------------------------------------------------
// Taking

TEST_F(ComboUpDown, InstallersTakeEachControlOnceWithItsParts) {
  const int n = Instance();
  ASSERT_GE(n, 1) << "the gallery window is not skinned";
  SkinInstance* skin = engine_->Instance(n);
  EXPECT_EQ(6, skin->CountOf(Family::Combo));
  EXPECT_EQ(6, skin->CountOf(Family::UpDown));
  for (int id : {kUpDownVertical, kUpDownBuddyVertical, kUpDownVerticalDisabled})
    EXPECT_EQ(0, engine_->RecordOf<UpDownRecord>(Control(id))->horizontal) << id;
  for (int id : {kUpDownHorizontal, kUpDownBuddyHorizontal, kUpDownHorizontalDisabled})
    EXPECT_EQ(1, engine_->RecordOf<UpDownRecord>(Control(id))->horizontal) << id;
  // With an alpha given, the drop-down's edit field is an edit box of the same instance; the
  // simple combo's list is a list-like control.
  HWND dropDown = Control(kComboDropDown), simple = Control(kComboSimple);
  HWND edit = FindWindowExA(dropDown, nullptr, "Edit", nullptr);
  ASSERT_NE(nullptr, edit);
  EXPECT_NE(nullptr, GetPropA(edit, "Hw_hProc"));
  EXPECT_EQ(n, static_cast<int>(reinterpret_cast<intptr_t>(GetPropA(edit, "Hw_FuID"))));
  HWND list = FindWindowExA(simple, nullptr, "ComboLBox", nullptr);
  ASSERT_NE(nullptr, list);
  EXPECT_NE(nullptr, GetPropA(list, "Hw_hProc"));

  // The installers again (twice, and the framed-control one over the same combo boxes)
  // take only what was made since, and leave alone a combo box another family took.
  const LONG_PTR comboProc = GetWindowLongPtrA(dropDown, GWLP_WNDPROC);
  const LONG_PTR listProc = GetWindowLongPtrA(list, GWLP_WNDPROC);
  HWND fresh = gallery::MakeControl(window_, "ComboBox", "", 20, 300, 100, 100, CBS_DROPDOWNLIST);
  HWND foreign = gallery::MakeControl(window_, "ComboBox", "", 130, 300, 100, 100, CBS_DROPDOWNLIST);
  SetPropA(foreign, "Hw_hProc", reinterpret_cast<HANDLE>(GetWindowLongPtrA(foreign, GWLP_WNDPROC)));
  const LONG_PTR foreignProc = GetWindowLongPtrA(foreign, GWLP_WNDPROC);
  for (int i = 0; i < 2; ++i) {
    TakeComboBoxes(*engine_, n, window_);
    TakeUpDowns(*engine_, n, window_);
    TakeFramedControls(*engine_, n, window_);
  }
  EXPECT_EQ(7, skin->CountOf(Family::Combo));
  EXPECT_EQ(6, skin->CountOf(Family::UpDown));
  EXPECT_NE(nullptr, engine_->RecordOf<ComboRecord>(fresh));
  EXPECT_EQ(foreignProc, GetWindowLongPtrA(foreign, GWLP_WNDPROC));
  EXPECT_EQ(comboProc, GetWindowLongPtrA(dropDown, GWLP_WNDPROC));
  EXPECT_EQ(listProc, GetWindowLongPtrA(list, GWLP_WNDPROC));
  // A control taken twice would chain to itself for ever; these answer.
  EXPECT_EQ(2, SendMessageA(dropDown, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(0, SendMessageA(simple, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(5, SendMessageA(Control(kUpDownVertical), UDM_GETPOS32, 0, 0));

  // Wrong windows and instances are refused.
  EXPECT_EQ(0, TakeComboBox(*engine_, n, Control(kUpDownVertical)));
  EXPECT_EQ(0, TakeUpDown(*engine_, n, dropDown));
  EXPECT_EQ(0, TakeComboBox(*engine_, n, nullptr));
  HWND another = gallery::MakeControl(window_, "ComboBox", "", 240, 300, 100, 100, CBS_DROPDOWN);
  EXPECT_EQ(0, TakeComboBox(*engine_, n + 50, another));
  EXPECT_EQ(nullptr, GetPropA(another, "Hw_hProc"));
}

// ---------------------------------------------------------------------------------------
// Painters on a memory canvas

TEST_F(ComboUpDown, ComboPainterDrawsFrameButtonTextAndKeysOutItsChildren) {
  ASSERT_GE(Instance(), 1);
  const uint32_t body = Blend(0xFFFFFF, kGrey, 100);  // the gallery gives alpha 100
  // The drop-down list: its own text, a 17-pixel button.
  const ComboRecord list = *engine_->RecordOf<ComboRecord>(Control(kComboDropList));
  const SIZE size = SizeOf(list.window);
  const int w = size.cx, h = size.cy;
  const RECT button = ComboDropButton(GetWindowLongA(list.window, GWL_STYLE), w, h);
  EXPECT_EQ(w - 19, button.left);
  for (int look = 0; look < 3; ++look) {
    MemoryCanvas m(w, h, kGrey);
    PaintComboBox(m.canvas(), list, {look == 1, look == 2});
    EXPECT_TRUE(tltest::ColourNear(body, m.At(4, 1), 3)) << look;
    const uint32_t outline = m.At(w / 3, 0), buttonFrame = m.At(button.left, h / 2);
    EXPECT_EQ(look != 0, IsAccent(outline)) << "look " << look;
    if (look == 0) {
      EXPECT_TRUE(tltest::ColourNear(Blend(0, body, 80), outline, 4));
    }
    EXPECT_EQ(look == 1, IsAccent(buttonFrame)) << "only hot lights the button, look " << look;
    // The down arrow's full top row in the middle of the button.
    EXPECT_TRUE(IsDark(m.At(button.left + (17 - 7) / 2, 2 + (h - 4 - 4) / 2))) << look;
    int text = 0;
    for (int y = (h - 12) / 2; y < h - 4; ++y)
      for (int x = 2; x < button.left - 2; ++x) text += IsDark(m.At(x, y));
    EXPECT_GT(text, 8) << "the selected item's text, look " << look;
  }
  // The drop-down: an 18-pixel button, the edit field keyed out.
  const ComboRecord dropDown = *engine_->RecordOf<ComboRecord>(Control(kComboDropDown));
  EXPECT_EQ(SizeOf(dropDown.window).cx - 20,
            ComboDropButton(GetWindowLongA(dropDown.window, GWL_STYLE), SizeOf(dropDown.window).cx, h).left);
  {
    MemoryCanvas m(SizeOf(dropDown.window).cx, SizeOf(dropDown.window).cy, kGrey);
    PaintComboBox(m.canvas(), dropDown, {});
    RECT e{};
    GetWindowRect(FindWindowExA(dropDown.window, nullptr, "Edit", nullptr), &e);
    MapWindowPoints(nullptr, dropDown.window, reinterpret_cast<POINT*>(&e), 2);
    EXPECT_EQ(kMagenta, m.At((e.left + e.right) / 2, (e.top + e.bottom) / 2));
  }
  // The simple combo box: no button; its list keyed out 2 pixels inside its edge.
  const ComboRecord simple = *engine_->RecordOf<ComboRecord>(Control(kComboSimple));
  EXPECT_EQ(0, ComboDropButton(GetWindowLongA(simple.window, GWL_STYLE), 100, 100).right);
  MemoryCanvas m(SizeOf(simple.window).cx, SizeOf(simple.window).cy, kGrey);
  PaintComboBox(m.canvas(), simple, {});
  RECT l{};
  GetWindowRect(FindWindowExA(simple.window, nullptr, "ComboLBox", nullptr), &l);
  MapWindowPoints(nullptr, simple.window, reinterpret_cast<POINT*>(&l), 2);
  const int mid = (l.top + l.bottom) / 2;
  EXPECT_TRUE(tltest::ColourNear(body, m.At(l.left + 1, mid), 3));
  EXPECT_EQ(kMagenta, m.At(l.left + 2, mid));
  EXPECT_EQ(kMagenta, m.At((l.left + l.right) / 2, mid));
}

TEST_F(ComboUpDown, UpDownPainterSplitsIntoTwoArrowHalves) {
  EXPECT_EQ(20, UpDownSplit(false, 20, 40));
  EXPECT_EQ(23, UpDownSplit(true, 45, 20));
  EXPECT_EQ(kFirstHalf, UpDownHalfAt(false, 20, 40, {5, 20}));
  EXPECT_EQ(kSecondHalf, UpDownHalfAt(false, 20, 40, {5, 21}));
  EXPECT_EQ(kFirstHalf, UpDownHalfAt(true, 45, 20, {23, 0}));
  EXPECT_EQ(kSecondHalf, UpDownHalfAt(true, 45, 20, {24, 0}));

  // Vertical 20 x 40: the up arrow (its 7-pixel base at the bottom) centred in the top half,
  // the down arrow (base at the top) in the bottom half.
  UpDownRecord vertical;
  MemoryCanvas v(20, 40, kGrey);
  PaintUpDown(v.canvas(), vertical, {});
  EXPECT_TRUE(IsDark(v.At(6, 10)));
  EXPECT_FALSE(IsDark(v.At(6, 7)));
  EXPECT_TRUE(IsDark(v.At(6, 27)));
  EXPECT_FALSE(IsDark(v.At(6, 30)));
  EXPECT_FALSE(IsAccentTinted(v.At(10, 0)));
  // Horizontal 44 x 20: left arrow (base at the right) and right arrow (base at the left).
  UpDownRecord horizontal;
  horizontal.horizontal = 1;
  MemoryCanvas hz(44, 20, kGrey);
  PaintUpDown(hz.canvas(), horizontal, {});
  EXPECT_TRUE(IsDark(hz.At(11, 6)));
  EXPECT_FALSE(IsDark(hz.At(8, 6)));
  EXPECT_TRUE(IsDark(hz.At(30, 6)));
  EXPECT_FALSE(IsDark(hz.At(33, 6)));

  // Hot over the top half: only its outline is lit. Pressed there: the gradient reverses,
  // so the half starts in the accent colour instead of white.
  MemoryCanvas hot(20, 40, kGrey), pressed(20, 40, kGrey);
  PaintUpDown(hot.canvas(), vertical, {true, false, kFirstHalf});
  PaintUpDown(pressed.canvas(), vertical, {true, true, kFirstHalf});
  EXPECT_TRUE(IsAccentTinted(hot.At(10, 0)));
  EXPECT_FALSE(IsAccentTinted(hot.At(10, 39)));
  EXPECT_LT(Red(pressed.At(2, 10)) + 30, Red(hot.At(2, 10)));
}

// ---------------------------------------------------------------------------------------
// Real input

TEST_F(ComboUpDown, ComboLooksAndPicksFollowTheRealMouseAndKeys) {
  ASSERT_GE(Instance(), 1);
  HWND list = Control(kComboDropList), disabled = Control(kComboDropListDisabled);
  const SIZE size = SizeOf(list);
  const RECT button = ComboDropButton(GetWindowLongA(list, GWL_STYLE), size.cx, size.cy);
  const POINT top{size.cx / 3, 0}, buttonEdge{button.left, size.cy / 2};
  const RECT textArea{2, (size.cy - 12) / 2, button.left - 2, size.cy - 4};

  const Screen normal = Shoot();
  normal.Save("normal");
  EXPECT_FALSE(IsAccent(normal.At(list, top)));
  EXPECT_GT(DarkPixels(normal, list, textArea), 8) << "\"Beta\" in black";
  // A disabled drop-down list writes its text grey, not black.
  EXPECT_EQ(0, DarkPixels(normal, disabled, textArea));

  // Hot over the drop button: outline and button lit.
  tltest::MoveMouseTo(list, {(button.left + button.right) / 2, size.cy / 2});
  const Screen hot = Shoot();
  hot.Save("combo_hot");
  EXPECT_TRUE(IsAccent(hot.At(list, top)));
  EXPECT_TRUE(IsAccent(hot.At(list, buttonEdge)));
  // A disabled one gets no mouse and stays unlit.
  tltest::MoveMouseTo(disabled, Centre(disabled));
  EXPECT_FALSE(IsAccent(Shoot().At(disabled, top)));

  // Pressed: a click drops the list; a click on "Delta" picks it and closes the list.
  tltest::ClickAt(list, Centre(list));
  EXPECT_TRUE(SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0));
  HWND drop = DropListOf(list);
  ASSERT_TRUE(drop && IsWindowVisible(drop));
  const Screen dropped = Shoot();
  dropped.Save("combo_dropped");
  EXPECT_TRUE(IsAccent(dropped.At(list, top))) << "dropped: focused outline";
  RECT item{};
  SendMessageA(drop, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
  tltest::ClickAt(drop, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  EXPECT_FALSE(SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(3, SendMessageA(list, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("Delta", TextOf(list));

  // Focused, the mouse gone: the outline stays lit, the button does not.
  ParkMouse();
  EXPECT_EQ(list, GetFocus());
  const Screen focused = Shoot();
  focused.Save("combo_focused");
  EXPECT_TRUE(IsAccent(focused.At(list, top)));
  EXPECT_FALSE(IsAccent(focused.At(list, buttonEdge)));
  EXPECT_GT(DarkPixels(focused, list, textArea), 8);

  // Keys: arrows move the selection, F4 drops the list and Enter takes the item.
  tltest::PressKey(VK_DOWN);
  EXPECT_EQ(4, SendMessageA(list, CB_GETCURSEL, 0, 0));
  tltest::PressKey(VK_UP);
  tltest::PressKey(VK_UP);
  EXPECT_EQ(2, SendMessageA(list, CB_GETCURSEL, 0, 0));
  tltest::PressKey(VK_F4);
  EXPECT_TRUE(SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0));
  tltest::PressKey(VK_DOWN);
  tltest::PressKey(VK_RETURN);
  EXPECT_FALSE(SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ("Delta", TextOf(list));

  // Typing into the drop-down's edit field: the focus moves there, the drop-down list's
  // focus look goes at once and the drop-down's comes.
  HWND dropDown = Control(kComboDropDown);
  HWND edit = FindWindowExA(dropDown, nullptr, "Edit", nullptr);
  tltest::ClickAt(edit, {4, Centre(edit).y});
  EXPECT_EQ(edit, GetFocus());
  tltest::PressKey(VK_END);
  tltest::PressKey('Z');
  EXPECT_EQ("Gammaz", TextOf(dropDown));
  ParkMouse();
  const Screen typed = Shoot();
  typed.Save("dropdown_typed");
  EXPECT_FALSE(IsAccent(typed.At(list, top)));
  EXPECT_TRUE(IsAccent(typed.At(dropDown, {SizeOf(dropDown).cx / 3, 0})));

  // The simple combo box: a click on an item of its list picks it.
  HWND simpleList = FindWindowExA(Control(kComboSimple), nullptr, "ComboLBox", nullptr);
  SendMessageA(simpleList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  tltest::ClickAt(simpleList, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  EXPECT_EQ(2, SendMessageA(Control(kComboSimple), CB_GETCURSEL, 0, 0));
  EXPECT_EQ("Gamma", TextOf(Control(kComboSimple)));
  Shoot().Save("simple_picked");
}

TEST_F(ComboUpDown, UpDownArrowsChangeTheBuddyAndLightTheirHalf) {
  ASSERT_GE(Instance(), 1);
  HWND u = Control(kUpDownBuddyVertical), edit = Control(kBuddyVertical);
  ASSERT_EQ("5", TextOf(edit));
  const SIZE size = SizeOf(u);
  const POINT up{size.cx / 2, size.cy / 4}, down{size.cx / 2, size.cy * 3 / 4};
  const int split = UpDownSplit(false, size.cx, size.cy);
  const POINT upEdge{size.cx / 2, 0}, downEdge{size.cx / 2, size.cy - 1}, upStart{2, split / 2};

  const Screen normal = Shoot();
  normal.Save("updown_normal");
  const uint32_t upOutline = normal.At(u, upEdge), downOutline = normal.At(u, downEdge);

  // Hot over the up half: its outline lit, the other's not.
  tltest::MoveMouseTo(u, up);
  const Screen hot = Shoot();
  hot.Save("updown_hot");
  EXPECT_TRUE(LitSince(hot.At(u, upEdge), upOutline));
  EXPECT_TRUE(tltest::ColourNear(hot.At(u, downEdge), downOutline, 12));
  // Held: the reversed gradient starts in the accent colour. Released: one step up.
  tltest::PressLeftButton();
  const Screen pressed = Shoot();
  pressed.Save("updown_pressed");
  tltest::ReleaseLeftButton();
  EXPECT_LT(Red(pressed.At(u, upStart)) + 20, Red(hot.At(u, upStart)));
  EXPECT_EQ("6", TextOf(edit));
  // Crossing into the down half lights that one; two clicks there go two steps down.
  tltest::MoveMouseTo(u, down);
  const Screen crossed = Shoot();
  EXPECT_TRUE(tltest::ColourNear(crossed.At(u, upEdge), upOutline, 12));
  EXPECT_TRUE(LitSince(crossed.At(u, downEdge), downOutline));
  tltest::ClickAt(u, down);
  tltest::ClickAt(u, down);
  EXPECT_EQ("4", TextOf(edit));
  // Held on the up half, the system repeats the step.
  tltest::MoveMouseTo(u, up);
  tltest::PressLeftButton();
  gallery::Pump(1500);
  tltest::ReleaseLeftButton();
  EXPECT_GE(atoi(TextOf(edit).c_str()), 8);

  // Horizontal: the right half steps up, the left half down.
  HWND h = Control(kUpDownBuddyHorizontal), hEdit = Control(kBuddyHorizontal);
  const SIZE hs = SizeOf(h);
  tltest::ClickAt(h, {hs.cx * 3 / 4, hs.cy / 2});
  EXPECT_EQ("51", TextOf(hEdit));
  tltest::ClickAt(h, {hs.cx / 4, hs.cy / 2});
  tltest::ClickAt(h, {hs.cx / 4, hs.cy / 2});
  EXPECT_EQ("49", TextOf(hEdit));
  // Hot over the right half lights its top edge and leaves the left half's as it was.
  const POINT leftTop{hs.cx / 4, 0}, rightTop{hs.cx * 3 / 4, 0};
  tltest::MoveMouseTo(h, {hs.cx * 3 / 4, hs.cy / 2});
  const Screen hotRight = Shoot();
  hotRight.Save("updown_horizontal");
  EXPECT_TRUE(LitSince(hotRight.At(h, rightTop), normal.At(h, rightTop)));
  EXPECT_TRUE(tltest::ColourNear(hotRight.At(h, leftTop), normal.At(h, leftTop), 12));
  // Standalone: the position moves; disabled: nothing moves or lights.
  HWND standalone = Control(kUpDownVertical), off = Control(kUpDownVerticalDisabled);
  tltest::ClickAt(standalone, {SizeOf(standalone).cx / 2, 4});
  EXPECT_EQ(6, SendMessageA(standalone, UDM_GETPOS32, 0, 0));
  tltest::ClickAt(off, {SizeOf(off).cx / 2, 4});
  EXPECT_EQ(5, SendMessageA(off, UDM_GETPOS32, 0, 0));
  EXPECT_TRUE(tltest::ColourNear(Shoot().At(off, {SizeOf(off).cx / 2, 0}), normal.At(off, {SizeOf(off).cx / 2, 0}), 12));
}

TEST_F(ComboUpDown, UpDownLosingTheCaptureMidPressDrawsItselfUnpressed) {
  ASSERT_GE(Instance(), 1);
  HWND u = Control(kUpDownBuddyVertical);
  const SIZE size = SizeOf(u);
  const POINT up{size.cx / 2, size.cy / 4}, upStart{2, UpDownSplit(false, size.cx, size.cy) / 2};
  tltest::MoveMouseTo(u, up);
  tltest::PressLeftButton();
  const Screen pressed = Shoot();
  ASSERT_EQ(u, GetCapture());
  ASSERT_EQ(1, engine_->RecordOf<UpDownRecord>(u)->pressed);
  // Another window takes the capture before the button comes up.
  SetCapture(window_);
  const Screen taken = Shoot();
  taken.Save("updown_capture_taken");
  EXPECT_EQ(0, engine_->RecordOf<UpDownRecord>(u)->pressed);
  tltest::ReleaseLeftButton();
  ReleaseCapture();
  EXPECT_GT(Red(taken.At(u, upStart)), Red(pressed.At(u, upStart)) + 20) << "the accent of the pressed look went";
}

// ---------------------------------------------------------------------------------------
// Resources

TEST_F(ComboUpDown, ColourReplyObjectsGoWithTheirControl) {
  const int n = Instance();
  ASSERT_GE(n, 1);
  HWND combo = gallery::MakeControl(window_, "ComboBox", "", 20, 300, 120, 100, CBS_DROPDOWN);
  HWND u = gallery::MakeControl(window_, UPDOWN_CLASSA, "", 150, 300, 20, 24);
  ASSERT_GE(TakeComboBox(*engine_, n, combo), 1);
  ASSERT_GE(TakeUpDown(*engine_, n, u), 1);
  // The edit field asks the combo for its background as it paints: a washed pattern brush.
  HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
  RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HGDIOBJ editBrush = GetPropA(edit, "Kj_dxjb"), editBitmap = GetPropA(edit, "Kj_wtjb");
  EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), GetObjectType(editBrush));
  EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(editBitmap));
  HGDIOBJ own[4] = {};
  int i = 0;
  for (HWND c : {combo, u}) {
    HDC screen = GetDC(nullptr);
    own[i] = CreateSolidBrush(RGB(1, 2, 3));
    own[i + 1] = CreateCompatibleBitmap(screen, 4, 4);
    ReleaseDC(nullptr, screen);
    SetPropA(c, "Kj_dxjb", own[i]);
    SetPropA(c, "Kj_wtjb", own[i + 1]);
    i += 2;
  }
  DestroyWindow(combo);
  DestroyWindow(u);
  EXPECT_EQ(0u, GetObjectType(editBrush));
  EXPECT_EQ(0u, GetObjectType(editBitmap));
  for (HGDIOBJ o : own) EXPECT_EQ(0u, GetObjectType(o)) << "still alive: " << o;
}

TEST_F(ComboUpDown, HoversAndRepaintsLeaveGdiObjectsAndMemoryFlat) {
  ASSERT_GE(Instance(), 1);
  HWND list = Control(kComboDropList), u = Control(kUpDownBuddyVertical);
  const POINT away{460, 310};
  const int ids[] = {kComboSimple, kComboDropDown, kComboDropList, kComboDropListDisabled, kUpDownVertical,
                     kUpDownHorizontal, kUpDownBuddyVertical, kUpDownBuddyHorizontal};
  auto cycle = [&](int i) {
    QuickMove(list, Centre(list));
    QuickMove(u, {SizeOf(u).cx / 2, i % 2 ? 2 : SizeOf(u).cy - 3});  // each half in turn
    QuickMove(window_, away);
    HWND c = Control(ids[i % 8]);
    RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  for (int i = 0; i < 20; ++i) cycle(i);
  gallery::Pump(100);
  const int gdi = tltest::GdiObjectCount();
  const size_t memory = tltest::WorkingSetBytes();
  for (int i = 0; i < 1000; ++i) cycle(i);
  gallery::Pump(100);
  EXPECT_LE(tltest::GdiObjectCount(), gdi + 2) << "from " << gdi;
  EXPECT_LT(static_cast<long long>(tltest::WorkingSetBytes()) - static_cast<long long>(memory), 3LL << 20);
  EXPECT_EQ(0, engine_->snapshots().Count());
  Shoot().Save("after_cycles");
}

}  // namespace
