// The button and edit box families on the "controls-buttons" gallery window under Wine,
// driven by real mouse and keyboard input: the looks of push buttons, check boxes, radio
// buttons and edit frames in the normal, hot, focused, pressed and disabled states, sampled
// on the screen against the skin background behind each control; taking each control once;
// the application's own owner-drawn button left alone; system behaviour kept (typing, Tab,
// checking); GDI objects and memory flat over many hovers and repaints.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "skin/background_snapshot.h"
#include "skin/controls/button.h"
#include "skin/controls/edit_box.h"
#include "skin/skin_colour.h"
#include "skin/skin_images.h"
#include "tests/gallery/gallery.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tunelark;

namespace {

using tltest::Between;
using tltest::Channel;
using tltest::Hex;
using tltest::Lerp;
using tltest::Over;
using tltest::Rgb;

// --- colours (0x00RRGGBB) ------------------------------------------------------------------

const uint32_t kWhite = 0xFFFFFF, kBlack = 0, kAccent = Rgb(0xDDCA22), kGreen = 0x00A000;


// What the screen shows of a window once what was drawn has reached it.
tltest::Capture Shot(HWND w) {
  gallery::Pump(40);
  return tltest::CaptureWindow(w);
}

// --- input that goes through the dialog navigation (Tab) --------------------------------------

void PumpDialog(HWND frame, int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (IsDialogMessageA(frame, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

// Moves the mouse (absolute, through SendInput) and handles what that brings, without
// waiting longer.
void MoveQuickly(HWND window, POINT p) {
  ClientToScreen(window, &p);
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((p.x * 65535LL + (w - 1) / 2) / (w - 1));
  in.mi.dy = static_cast<LONG>((p.y * 65535LL + (h - 1) / 2) / (h - 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void PressKeyInDialog(HWND frame, WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof in[0]);
  PumpDialog(frame, 60);
}

// vk pressed `times` times with Shift held.
void PressShifted(HWND frame, WORD vk, int times) {
  INPUT shift{};
  shift.type = INPUT_KEYBOARD;
  shift.ki.wVk = VK_SHIFT;
  SendInput(1, &shift, sizeof shift);
  for (int i = 0; i < times; ++i) PressKeyInDialog(frame, vk);
  shift.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &shift, sizeof shift);
  PumpDialog(frame, 40);
}

// --- the fixture ---------------------------------------------------------------------------------

class ButtonsEditsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(engine_.Start());
    frame_ = gallery::Make("controls-buttons", engine_);
    ASSERT_NE(frame_, nullptr);
    tltest::BringToFront(frame_);
    gallery::Pump(200);
    Park();
  }
  void TearDown() override {
    if (IsWindow(frame_)) DestroyWindow(frame_);
    gallery::Pump(50);
  }

  // The gallery window's controls by their ids (Wine's edit boxes keep no window title that
  // FindWindowEx could match).
  HWND Button(const char* text) const {
    static const char* const kTexts[] = {"Push", "Default", "Owner", "Disabled", "Check", "Radio A", "Radio B"};
    for (int i = 0; i < 7; ++i)
      if (std::string(kTexts[i]) == text) return GetDlgItem(frame_, 101 + i);
    return nullptr;
  }
  HWND Edit(const char* text) const {
    static const char* const kTexts[] = {"single line", "multi-line", "read only", "disabled"};
    for (int i = 0; i < 4; ++i)
      if (std::string(kTexts[i]) == text) return GetDlgItem(frame_, 201 + i);
    return nullptr;
  }
  int Instance() const { return engine_.FindSkinInstance(frame_); }

  // The mouse rests on the window's background, over no control.
  void Park() {
    tltest::MoveMouseTo(frame_, POINT{420, 280});
    gallery::Pump(40);
  }
  void Hover(HWND control, POINT at = {4, 4}) {
    tltest::MoveMouseTo(control, at);
    gallery::Pump(40);
  }

  // The skin background behind the control's window rectangle.
  std::vector<uint32_t> Background(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SnapshotDC snapshot = BackgroundSnapshot(engine_, control, RECT{0, 0, w, h});
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    if (!snapshot) return pixels;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(snapshot.get(), static_cast<HBITMAP>(GetCurrentObject(snapshot.get(), OBJ_BITMAP)), 0, h,
              pixels.data(), &bi, DIB_RGB_COLORS);
    for (auto& p : pixels) p &= 0xFFFFFF;
    return pixels;
  }

  void Save(HWND w, const std::string& name) {
    tltest::CaptureWindow(w).SavePng(tltest::ScreenshotDirectory() + "\\buttons_edits_" + name + ".png");
  }

  SkinEngine engine_;
  HWND frame_ = nullptr;
};

// --- push look A: what a pixel of the left half shows, below the gloss ----------------------------

struct PushSample {
  uint32_t inside;   // at (4, y)
  uint32_t edge;     // at (0, y): the outline
  uint32_t ground;   // the background at (4, y)
};

PushSample SamplePush(HWND button, const std::vector<uint32_t>& ground) {
  RECT r;
  GetClientRect(button, &r);
  const int y = r.bottom * 3 / 4;
  tltest::Capture c = Shot(button);
  return {c.At(4, y), c.At(0, y), ground[static_cast<size_t>(y) * r.right + 4]};
}

// The fills of look A at (4, y) of a button h high: white/120, the body shade, the hot
// accent, the pressed accent.
uint32_t PushInside(uint32_t ground, int h, bool hot, bool pressed) {
  const int y = h * 3 / 4;
  const double t = static_cast<double>(y) / (h - 1);
  uint32_t c = Over(kWhite, 120, ground);
  c = Over(Lerp(kWhite, 0x808080, t), static_cast<int>(60 * t + 0.5), c);
  if (hot) c = Over(kAccent, static_cast<int>(60 - 50 * t + 0.5), c);
  if (pressed) {
    const double u = static_cast<double>(y - 2) / (h - 3);
    c = Over(Lerp(kAccent, kWhite, u), static_cast<int>(60 + 40 * u + 0.5), c);
  }
  return c;
}

// The outline pixel: the pen's colour at its alpha over the fills, which cover the edge
// pixel only in part (anywhere between the bare ground and the inside).
void ExpectOutline(const PushSample& s, uint32_t pen, int alpha, const char* what) {
  EXPECT_TRUE(Between(s.edge, Over(pen, alpha, s.ground), Over(pen, alpha, s.inside), 14))
      << what << ": edge " << Hex(s.edge) << " ground " << Hex(s.ground) << " inside " << Hex(s.inside);
}

uint32_t FocusRing(uint32_t under) {
  uint32_t c = Over(kBlack, 70, under);
  for (int i = 0; i < 3; ++i) c = Over(kAccent, 120, c);
  return c;
}

TEST_F(ButtonsEditsTest, TakesEachControlOnceAndLeavesTheApplicationsOwnerDrawnButtonAlone) {
  const int n = Instance();
  ASSERT_GE(n, 1);
  SkinInstance* skin = engine_.Instance(n);
  EXPECT_EQ(skin->CountOf(Family::Button), 6) << "push, default, disabled, check box, two radios";
  EXPECT_EQ(skin->CountOf(Family::Edit), 4);
  ASSERT_NE(Edit("read only"), nullptr);
  // A second run of every installer takes nothing more, and the controls still answer.
  TakePushButtons(engine_, n, frame_);
  TakeCheckAndRadioButtons(engine_, n, frame_);
  TakeEditBoxes(engine_, n, frame_);
  EXPECT_EQ(skin->CountOf(Family::Button), 6);
  EXPECT_EQ(skin->CountOf(Family::Edit), 4);
  EXPECT_EQ(TakeEditBox(engine_, n, Edit("read only")), skin->List<EditRecord>().Find(Edit("read only")));
  EXPECT_EQ(TakeButton(engine_, n, Button("Check"), ButtonKind::CheckBox),
            skin->List<ButtonRecord>().Find(Button("Check")));
  SendMessageA(Button("Check"), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageA(Button("Check"), BM_GETCHECK, 0, 0), BST_CHECKED);

  // Push buttons became owner-drawn; check boxes and radios kept their style.
  EXPECT_EQ(GetWindowLongA(Button("Push"), GWL_STYLE) & 0xF, BS_OWNERDRAW);
  EXPECT_EQ(GetWindowLongA(Button("Default"), GWL_STYLE) & 0xF, BS_OWNERDRAW);
  EXPECT_EQ(GetWindowLongA(Button("Check"), GWL_STYLE) & 0xF, BS_AUTOCHECKBOX);
  EXPECT_EQ(GetWindowLongA(Button("Radio A"), GWL_STYLE) & 0xF, BS_AUTORADIOBUTTON);

  // The application's owner-drawn button: not taken, painted by the application.
  HWND owner = Button("Owner");
  EXPECT_EQ(GetPropA(owner, "Hw_lbID"), nullptr);
  EXPECT_EQ(GetPropA(owner, "Hw_hProc"), nullptr);
  tltest::Capture c = Shot(owner);
  EXPECT_TRUE(tltest::ColourNear(c.At(c.width / 2, c.height / 2), kGreen, 2)) << Hex(c.At(c.width / 2, c.height / 2));
}

TEST_F(ButtonsEditsTest, PushButtonLooksFollowRealInput) {
  HWND push = Button("Push"), other = Button("Default");
  RECT r;
  GetClientRect(push, &r);
  const std::vector<uint32_t> ground = Background(push), otherGround = Background(other);

  PushSample s = SamplePush(push, ground);  // painted through the parent's WM_DRAWITEM
  EXPECT_TRUE(tltest::ColourNear(s.inside, PushInside(s.ground, r.bottom, false, false), 6))
      << Hex(s.inside) << " expected " << Hex(PushInside(s.ground, r.bottom, false, false)) << " ground " << Hex(s.ground);
  ExpectOutline(s, kBlack, 120, "normal");
  Save(frame_, "normal");

  Hover(push);
  s = SamplePush(push, ground);
  EXPECT_TRUE(tltest::ColourNear(s.inside, PushInside(s.ground, r.bottom, true, false), 6)) << Hex(s.inside);
  ExpectOutline(s, kAccent, 255, "hot");
  Save(frame_, "push_hot");

  // From one button straight to the next: the new one hot, the old one normal.
  Hover(other);
  ExpectOutline(SamplePush(other, otherGround), kAccent, 255, "next hot");
  s = SamplePush(push, ground);
  ExpectOutline(s, kBlack, 120, "left normal");
  EXPECT_TRUE(tltest::ColourNear(s.inside, PushInside(s.ground, r.bottom, false, false), 6)) << Hex(s.inside);

  // Pressed (held down): the pressed fill over the focused look.
  Hover(push);
  tltest::PressLeftButton();
  gallery::Pump(40);
  s = SamplePush(push, ground);
  EXPECT_TRUE(tltest::ColourNear(s.inside, PushInside(s.ground, r.bottom, false, true), 8)) << Hex(s.inside);
  Save(frame_, "push_pressed");
  tltest::ReleaseLeftButton();
  EXPECT_EQ(GetFocus(), push);

  // Leaving the focused button keeps its focus outline.
  Park();
  s = SamplePush(push, ground);
  EXPECT_TRUE(Between(s.edge, FocusRing(s.ground), FocusRing(s.inside), 14)) << "focus edge " << Hex(s.edge);
  Save(frame_, "push_focused");

  // Tab moves the focus on, and the focus look with it.
  PressKeyInDialog(frame_, VK_TAB);
  EXPECT_EQ(GetFocus(), other);
  ExpectOutline(SamplePush(push, ground), kBlack, 120, "after Tab");
  PushSample o = SamplePush(other, otherGround);
  EXPECT_TRUE(Between(o.edge, FocusRing(o.ground), FocusRing(o.inside), 14)) << "Tab focus " << Hex(o.edge);

  // Disabled: the grey body and a faint outline, whatever the mouse does.
  HWND disabled = Button("Disabled");
  Hover(disabled);
  tltest::Capture d = Shot(disabled);
  EXPECT_TRUE(tltest::ColourNear(d.At(4, 4), 0xC0C0C0, 3)) << Hex(d.At(4, 4));
  EXPECT_TRUE(Between(d.At(0, d.height * 3 / 4), 0xC0C0C0, Over(kBlack, 80, 0xC0C0C0), 6)) << Hex(d.At(0, 20));
  EXPECT_LT(Channel(d.At(0, d.height * 3 / 4), 8), 0xC0 - 20);
}

// The 13 x 13 check box images as the screen shows them over a background pixel.
struct CheckImages {
  Bitmap off, on;
  CheckImages() {
    off.LoadFromBytes(CopySkinImage(SkinImage::CheckBoxOff));
    on.LoadFromBytes(CopySkinImage(SkinImage::CheckBoxOn));
  }
  uint32_t Shown(int x, int y, uint32_t ground, bool checked) const {
    Gdiplus::ARGB a = 0, b = 0;
    off.GetPixel(x, y, a);
    uint32_t c = Over(a & 0xFFFFFF, static_cast<int>(a >> 24), ground);
    if (checked && on.GetPixel(x, y, b)) c = Over(b & 0xFFFFFF, static_cast<int>(b >> 24), c);
    return c;
  }
};

TEST_F(ButtonsEditsTest, CheckAndRadioImagesFollowTheCheckStateAndClicks) {
  HWND check = Button("Check"), radioA = Button("Radio A"), radioB = Button("Radio B");
  CheckImages images;
  RECT r;
  GetClientRect(check, &r);
  const int top = (r.bottom - 13) / 2;
  // The box pixel where the two images differ most.
  int bx = 0, by = 0, best = -1;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) {
      const uint32_t a = images.Shown(x, y, 0x808080, false), b = images.Shown(x, y, 0x808080, true);
      int d = 0;
      for (int s = 0; s <= 16; s += 8) d += std::abs(Channel(a, s) - Channel(b, s));
      if (d > best) best = d, bx = x, by = y;
    }
  const std::vector<uint32_t> ground = Background(check);
  const uint32_t g = ground[static_cast<size_t>(top + by) * r.right + bx];
  auto shown = [&] {
    return Shot(check).At(bx, top + by);
  };

  EXPECT_TRUE(tltest::ColourNear(shown(), images.Shown(bx, by, g, false), 6)) << Hex(shown());
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(tltest::ColourNear(shown(), images.Shown(bx, by, g, true), 6)) << Hex(shown());
  SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_TRUE(tltest::ColourNear(shown(), images.Shown(bx, by, g, false), 6)) << Hex(shown());

  // A click checks it; a double click toggles it once (the second press is swallowed).
  tltest::ClickCentre(check);
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  Park();
  EXPECT_TRUE(tltest::ColourNear(shown(), images.Shown(bx, by, g, true), 6)) << Hex(shown());
  Save(frame_, "check_checked");
  gallery::Pump(static_cast<int>(GetDoubleClickTime()) + 100);  // a double click of its own
  tltest::ClickAt(check, POINT{r.right / 2, r.bottom / 2}, true);
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Hot: the accent rim round the box.
  Hover(check, POINT{40, r.bottom / 2});
  auto rim = [&] {
    return Shot(check).At(0, top + 6);
  };
  EXPECT_TRUE(tltest::ColourNear(rim(), kAccent, 12)) << Hex(rim());
  Save(frame_, "check_hot");
  // The program checks it under the mouse: it stays hot.
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(tltest::ColourNear(rim(), kAccent, 12)) << "checked while hot " << Hex(rim());
  SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);

  // Pressed (held down): the plain images, neither hot nor the system's pushed box; once
  // released, checked and hot again while the mouse stays.
  tltest::PressLeftButton();
  const uint32_t rimGround = ground[static_cast<size_t>(top + 6) * r.right];
  EXPECT_TRUE(tltest::ColourNear(rim(), images.Shown(0, 6, rimGround, false), 6)) << "pressed " << Hex(rim());
  EXPECT_TRUE(tltest::ColourNear(shown(), images.Shown(bx, by, g, false), 6)) << "pressed " << Hex(shown());
  Save(frame_, "check_pressed");
  tltest::ReleaseLeftButton();
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(tltest::ColourNear(rim(), kAccent, 12)) << "clicked, mouse still over " << Hex(rim());

  // Focused (it took the focus with the click), the mouse gone: the normal look, nothing
  // of the system's focus drawing, the same pixels as once the focus has moved on.
  ASSERT_EQ(GetFocus(), check);
  Park();
  const tltest::Capture focused = Shot(check);
  EXPECT_TRUE(tltest::ColourNear(focused.At(bx, top + by), images.Shown(bx, by, g, true), 6));
  SetFocus(Button("Push"));
  const tltest::Capture unfocused = Shot(check);
  int differing = 0;
  for (size_t i = 0; i < focused.pixels.size(); ++i)
    differing += !tltest::ColourNear(focused.pixels[i], unfocused.pixels[i], 3);
  EXPECT_EQ(differing, 0) << "focused and unfocused check box differ";
  SendMessageA(check, BM_SETCHECK, BST_UNCHECKED, 0);

  // Radios: the dot appears on the clicked one and leaves the other.
  RECT rr;
  GetClientRect(radioA, &rr);
  const int dotX = 6, dotY = (rr.bottom - 12) / 2 + 5;
  auto dot = [&](HWND radio) {
    return Shot(radio).At(dotX, dotY);
  };
  const uint32_t emptyDot = dot(radioB);
  // Hot: the accent rim round the ring.
  const int ringMiddle = (rr.bottom - 12) / 2 + 6;
  const uint32_t coldRing = Shot(radioB).At(2, ringMiddle);
  Hover(radioB, POINT{40, rr.bottom / 2});
  const uint32_t hotRing = Shot(radioB).At(2, ringMiddle);
  EXPECT_TRUE(tltest::ColourNear(hotRing, kAccent, 40)) << "hot ring " << Hex(hotRing) << " cold " << Hex(coldRing);
  Save(frame_, "radio_hot");
  tltest::ClickCentre(radioA);
  Park();
  EXPECT_EQ(SendMessageA(radioA, BM_GETCHECK, 0, 0), BST_CHECKED);
  const uint32_t fullDot = dot(radioA);
  EXPECT_GT(Channel(fullDot, 8) - Channel(fullDot, 16), 25) << "teal rim of the dot " << Hex(fullDot);
  tltest::ClickCentre(radioB);
  Park();
  EXPECT_EQ(SendMessageA(radioA, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(radioB, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(tltest::ColourNear(dot(radioA), emptyDot, 6)) << Hex(dot(radioA));
  EXPECT_TRUE(tltest::ColourNear(dot(radioB), fullDot, 6)) << Hex(dot(radioB));
  Save(frame_, "radio_b");

  // Disabled check boxes and radios look disabled, also after a repaint.
  EnableWindow(radioA, FALSE);
  RedrawWindow(radioA, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  EXPECT_TRUE(tltest::ColourNear(Shot(radioA).At(rr.right - 3, 3), 0xC0C0C0, 3));
  SendMessageA(radioA, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(tltest::ColourNear(Shot(radioA).At(dotX, dotY), 0xC0C0C0, 3));
  Save(frame_, "radio_disabled");
  EnableWindow(check, FALSE);
  EXPECT_TRUE(tltest::ColourNear(Shot(check).At(r.right - 3, 3), 0xC0C0C0, 3));
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_TRUE(tltest::ColourNear(shown(), 0xC0C0C0, 3)) << "checked while disabled " << Hex(shown());
}

TEST_F(ButtonsEditsTest, EditFramesFollowHoverAndFocusAndTypingWorks) {
  HWND single = Edit("single line");
  RECT wr;
  GetWindowRect(single, &wr);
  const int h = wr.bottom - wr.top, y = h / 2;
  const std::vector<uint32_t> ground = Background(single);
  const int alpha = engine_.options.backdropAlpha;
  const uint32_t washed0 = Over(kWhite, alpha, ground[static_cast<size_t>(y) * (wr.right - wr.left)]);
  const uint32_t washed1 = Over(kWhite, alpha, ground[static_cast<size_t>(y) * (wr.right - wr.left) + 1]);
  auto ring = [&](int x) {
    return Shot(single).At(x, y);
  };

  EXPECT_TRUE(tltest::ColourNear(ring(0), Over(kBlack, 80, washed0), 6)) << "normal " << Hex(ring(0));
  EXPECT_TRUE(tltest::ColourNear(ring(1), washed1, 6)) << "wash " << Hex(ring(1));

  Hover(single, POINT{20, 8});
  EXPECT_TRUE(tltest::ColourNear(ring(1), Over(kAccent, 180, washed1), 8)) << "hot " << Hex(ring(1));
  Save(frame_, "edit_hot");

  tltest::ClickAt(single, POINT{20, 8});
  PressKeyInDialog(frame_, VK_END);
  PressKeyInDialog(frame_, 'X');
  PressKeyInDialog(frame_, 'Y');
  char text[64] = {};
  GetWindowTextA(single, text, sizeof text);
  EXPECT_STREQ(text, "single linexy");
  // Selecting with the mouse (press, drag, release) and with Shift and the arrows.
  RECT client;
  GetClientRect(single, &client);
  tltest::DragLeft(single, POINT{2, client.bottom / 2}, POINT{client.right - 2, client.bottom / 2});
  EXPECT_EQ(SendMessageA(single, EM_GETSEL, 0, 0), MAKELRESULT(0, 13)) << "dragged over all";
  PressKeyInDialog(frame_, VK_END);
  PressShifted(frame_, VK_LEFT, 3);
  EXPECT_EQ(SendMessageA(single, EM_GETSEL, 0, 0), MAKELRESULT(10, 13)) << "Shift+Left three times";
  Park();
  EXPECT_TRUE(tltest::ColourNear(ring(0), Over(kAccent, 180, washed0), 8)) << "focused " << Hex(ring(0));
  Save(frame_, "edit_focused");

  // Tab to the next stop (the read-only edit): this one goes back to normal, that one shows focus.
  HWND readOnly = Edit("read only");
  PressKeyInDialog(frame_, VK_TAB);
  EXPECT_EQ(GetFocus(), readOnly);
  gallery::Pump(40);
  EXPECT_TRUE(tltest::ColourNear(ring(0), Over(kBlack, 80, washed0), 6)) << "unfocused " << Hex(ring(0));
  const std::vector<uint32_t> roGround = Background(readOnly);
  RECT rr;
  GetWindowRect(readOnly, &rr);
  const uint32_t roWashed = Over(kWhite, alpha, roGround[static_cast<size_t>(y) * (rr.right - rr.left)]);
  EXPECT_TRUE(tltest::ColourNear(Shot(readOnly).At(0, y), Over(kAccent, 180, roWashed), 8));

  // The disabled edit: the plain outline, the mouse over it or not.
  HWND disabled = Edit("disabled");
  Hover(disabled, POINT{20, 8});
  const std::vector<uint32_t> offGround = Background(disabled);
  const uint32_t offWashed = Over(kWhite, alpha, offGround[static_cast<size_t>(y) * (wr.right - wr.left)]);
  EXPECT_TRUE(tltest::ColourNear(Shot(disabled).At(0, y), Over(kBlack, 80, offWashed), 6))
      << "disabled " << Hex(Shot(disabled).At(0, y));

  // The multi-line edit: the ring stays out of its scroll bars, which the system draws.
  HWND multi = Edit("multi-line");
  const EditFrameGeometry geometry = MeasureEditFrame(multi);
  GetClientRect(multi, &client);
  EXPECT_GE(geometry.inner.right - geometry.inner.left, client.right + 10) << "inner area holds the vertical bar";
  EXPECT_GE(geometry.inner.bottom - geometry.inner.top, client.bottom + 10) << "and the horizontal bar";
  EXPECT_GE(geometry.inner.left, 1);
  Save(frame_, "edits");
}

TEST_F(ButtonsEditsTest, HoversAndRepaintsLeaveGdiObjectsAndMemoryFlat) {
  const std::vector<HWND> targets = {Button("Push"), Button("Check"), Button("Radio A"), Edit("single line"),
                                     Edit("read only")};
  auto cycle = [&](int i) {
    HWND t = targets[static_cast<size_t>(i) % targets.size()];
    MoveQuickly(t, POINT{5, 5});
    MoveQuickly(frame_, POINT{420, 280});
  };
  auto repaint = [&] {
    RedrawWindow(frame_, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  };
  for (int i = 0; i < 30; ++i) cycle(i), repaint();
  gallery::Pump(100);
  const int gdi = tltest::GdiObjectCount();
  const size_t memory = tltest::WorkingSetBytes();
  for (int i = 0; i < 1000; ++i) cycle(i);
  for (int i = 0; i < 1000; ++i) repaint();
  gallery::Pump(100);
  EXPECT_LE(tltest::GdiObjectCount() - gdi, 3) << "GDI objects before " << gdi;
  EXPECT_LT(tltest::WorkingSetBytes(), memory + 2 * 1024 * 1024) << "working set before " << memory;
  EXPECT_EQ(engine_.snapshots().Count(), 0) << "every snapshot back through the engine";
}

TEST_F(ButtonsEditsTest, DestroyedControlsDeleteTheirColourReplyObjects) {
  HWND check = Button("Check"), edit = Edit("read only");
  // Colour-reply objects as the skinned window leaves them on its controls.
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HBRUSH editBrush = CreateSolidBrush(RGB(4, 5, 6));
  SetPropA(check, "Kj_dxjb", brush);
  SetPropA(check, "Kj_wtjb", bitmap);
  SetPropA(edit, "Kj_dxjb", editBrush);
  const int before = tltest::GdiObjectCount();
  DestroyWindow(check);
  DestroyWindow(edit);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(GetObjectType(editBrush), 0u);
  EXPECT_LE(tltest::GdiObjectCount(), before - 3);
  // The window's own end finds nothing left to delete twice.
  DestroyWindow(frame_);
  gallery::Pump(50);
}

TEST_F(ButtonsEditsTest, NullWindowTextIsSafe) {
  HWND push = Button("Push"), check = Button("Check");
  EXPECT_TRUE(SendMessageA(push, WM_SETTEXT, 0, 0));
  EXPECT_TRUE(SendMessageA(check, WM_SETTEXT, 0, 0));
  EXPECT_EQ(GetWindowTextLengthA(push), 0);
  const ButtonRecord* r = engine_.RecordOf<ButtonRecord>(check);
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(r->caption.empty());
  HWND edit = Edit("single line");
  SendMessageA(edit, WM_SETTEXT, 0, 0);
  EXPECT_EQ(GetWindowTextLengthA(edit), 0);
  RedrawWindow(frame_, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  EXPECT_TRUE(IsWindow(edit));
  SendMessageA(check, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Again"));
  EXPECT_EQ(engine_.RecordOf<ButtonRecord>(check)->caption, "Again");
}

}  // namespace
