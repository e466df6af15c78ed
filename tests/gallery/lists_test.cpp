// The framed controls and the list-view header on the "controls-lists" gallery window under
// Wine, driven by real mouse and keyboard input: the window's picture seen through the white
// wash behind list rows and tree items (no magenta left), the header's columns as the skin
// draws them, frame outlines in the normal, hot, focused and disabled states, the system's
// selection, keys and double-click kept, each control taken once, image lists and colour
// reply objects handled safely, GDI objects and memory flat over many hovers and repaints.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "skin/background_snapshot.h"
#include "skin/controls/framed_control.h"
#include "skin/controls/list_header.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_controls_lists.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tunelark;
using namespace gallery::lists;

namespace {

using tltest::Channel;
using tltest::Hex;
using tltest::Lerp;
using tltest::Over;

// --- colours (0x00RRGGBB) ------------------------------------------------------------------

const uint32_t kWhite = 0xFFFFFF, kBlack = 0, kAccent = 0x22CADD;  // accent COLORREF 0xDDCA22
const int kWash = 100;                                               // the gallery's backdrop alpha

bool IsMagenta(uint32_t c) { return Channel(c, 16) >= 0xF0 && Channel(c, 8) <= 0x30 && Channel(c, 0) >= 0xF0; }

// The white wash over the picture, checked channel by channel: the alpha each channel
// implies (where the picture leaves room to tell) and the colour itself.
void ExpectWashed(uint32_t seen, uint32_t picture, const char* where) {
  for (int s = 0; s <= 16; s += 8) {
    const int room = 255 - Channel(picture, s);
    if (room < 40) continue;
    const double alpha = 255.0 * (Channel(seen, s) - Channel(picture, s)) / room;
    EXPECT_NEAR(alpha, kWash, 6) << where << ": channel " << s / 8 << " of " << Hex(seen) << " over " << Hex(picture);
  }
  EXPECT_TRUE(tltest::ColourNear(seen, Over(kWhite, kWash, picture), 3))
      << where << ": " << Hex(seen) << ", washed " << Hex(Over(kWhite, kWash, picture));
}

// --- the parent's notifications ------------------------------------------------------------

int g_doubleClicks = 0;
WNDPROC g_frameProc = nullptr;

LRESULT CALLBACK CountingFrameProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lp);
    if (header->idFrom == kListView && header->code == static_cast<UINT>(NM_DBLCLK)) ++g_doubleClicks;
  }
  return CallWindowProcA(g_frameProc, w, m, wp, lp);
}

// --- the fixture ---------------------------------------------------------------------------

class ListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(engine_.Start());
    frame_ = gallery::Make("controls-lists", engine_);
    ASSERT_NE(frame_, nullptr);
    g_doubleClicks = 0;
    g_frameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(frame_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingFrameProc)));
    tltest::BringToFront(frame_);
    gallery::Pump(200);
    Park();
  }
  void TearDown() override {
    if (IsWindow(frame_)) DestroyWindow(frame_);
    gallery::Pump(50);
  }

  HWND Control(int id) const { return GetDlgItem(frame_, id); }
  HWND Header() const { return FindWindowExA(Control(kListView), nullptr, WC_HEADERA, nullptr); }
  SkinInstance* Skin() { return engine_.Instance(engine_.FindSkinInstance(frame_)); }

  // The mouse rests on the window's background, over no control.
  void Park() {
    tltest::MoveMouseTo(frame_, POINT{560, 360});
    gallery::Pump(40);
  }

  // A client point of the control in its window coordinates.
  static POINT InWindow(HWND control, POINT client) {
    RECT r;
    GetWindowRect(control, &r);
    ClientToScreen(control, &client);
    return {client.x - r.left, client.y - r.top};
  }
  // The skin picture behind the control at window point p.
  uint32_t Picture(HWND control, POINT p) {
    SnapshotDC one = BackgroundSnapshot(engine_, control, RECT{p.x, p.y, p.x + 1, p.y + 1});
    if (!one) return 0xFFFFFFFF;
    const COLORREF c = GetPixel(one.get(), 0, 0);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  // What the screen shows of the control at window point p.
  static uint32_t Seen(HWND control, POINT p) { return tltest::CaptureWindow(control).At(p.x, p.y); }

  // The frame's outline at the middle of the control's left edge: the outer pixel (the
  // normal and focused outlines) and the one inside it (the 2-pixel hot outline).
  enum class Look { Normal, Hot, Focused };
  void ExpectOutline(HWND c, Look look, const std::string& what) {
    RECT r;
    GetWindowRect(c, &r);
    const POINT edge{0, (r.bottom - r.top) / 2}, second{1, edge.y};
    const uint32_t ring = Over(kWhite, kWash, Picture(c, edge)), ring1 = Over(kWhite, kWash, Picture(c, second));
    auto expectPixel = [&](POINT p, uint32_t want, int tolerance, const char* which) {
      EXPECT_TRUE(tltest::ColourNear(Seen(c, p), want, tolerance))
          << what << ", " << which << ": " << Hex(Seen(c, p)) << ", expected " << Hex(want);
    };
    if (look == Look::Hot) return expectPixel(second, Over(kAccent, 200, ring1), 6, "hot outline, inner pixel");
    expectPixel(edge, Over(look == Look::Focused ? kAccent : kBlack, look == Look::Focused ? 200 : 90, ring),
                look == Look::Focused ? 6 : 4, "outline");
    expectPixel(second, ring1, 4, "ring");
  }
  void ExpectNoMagenta(HWND c, const std::string& when) {
    const tltest::Capture shown = tltest::CaptureWindow(c);
    EXPECT_EQ(std::count_if(shown.pixels.begin(), shown.pixels.end(), IsMagenta), 0) << when;
  }

  void Save(HWND w, const std::string& name) {
    tltest::CaptureWindow(w).SavePng(tltest::ScreenshotDirectory() + "\\lists_" + name + ".png");
  }

  SkinEngine engine_;
  HWND frame_ = nullptr;
};

// --- the washed client areas ----------------------------------------------------------------

TEST_F(ListsTest, ListsShowTheWindowPictureThroughTheWashBehindTheirRows) {
  HWND list = Control(kListView);
  RECT client, row;
  GetClientRect(list, &client);
  row.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row)));
  // In a row, right of the columns' text; below the last row.
  for (POINT c : {POINT{client.right - 6, (row.top + row.bottom) / 2}, POINT{client.right / 2, client.bottom - 4}}) {
    const POINT p = InWindow(list, c);
    ExpectWashed(Seen(list, p), Picture(list, p), "list view");
  }
  HWND owner = Control(kOwnerDrawnListBox);
  ASSERT_NE(SendMessageA(owner, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)), LB_ERR);
  GetClientRect(owner, &client);
  POINT p = InWindow(owner, POINT{client.right - 5, (row.top + row.bottom) / 2});
  ExpectWashed(Seen(owner, p), Picture(owner, p), "owner-drawn list box row");
  // The plain list box fills its rows opaquely; the skin keys that fill out.
  HWND plain = Control(kListBox);
  GetClientRect(plain, &client);
  ASSERT_NE(SendMessageA(plain, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)), LB_ERR);
  p = InWindow(plain, POINT{client.right - 5, (row.top + row.bottom) / 2});
  ExpectWashed(Seen(plain, p), Picture(plain, p), "list box row");
  p = InWindow(plain, POINT{10, client.bottom - 4});
  ExpectWashed(Seen(plain, p), Picture(plain, p), "list box below its items");
  EXPECT_EQ(engine_.snapshots().Count(), 0) << "every picture back through the engine";
  Save(frame_, "window");
}

TEST_F(ListsTest, TreeItemsLieOnTheWashWithNoMagentaLeft) {
  HWND tree = Control(kTreeView);
  EXPECT_EQ(SendMessageA(tree, TVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(RGB(255, 0, 255)));
  // Nothing magenta shows on the tree nor on the other framed controls.
  auto expectNoMagenta = [&](const char* when) {
    for (int id : {kTreeView, kListBox, kOwnerDrawnListBox, kListView, kIpAddress, kDateTime})
      ExpectNoMagenta(Control(id), std::string(when) + ", control " + std::to_string(id));
  };
  RECT client;
  GetClientRect(tree, &client);
  const POINT empty = InWindow(tree, POINT{client.right - 5, client.bottom - 5});
  ExpectWashed(Seen(tree, empty), Picture(tree, empty), "tree below its items");
  // Right of a child's text, in its row.
  HTREEITEM child = reinterpret_cast<HTREEITEM>(SendMessageA(
      tree, TVM_GETNEXTITEM, TVGN_CHILD, SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
  RECT row{};
  std::memcpy(&row, &child, sizeof child);  // TVM_GETITEMRECT takes the item in the rectangle
  ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&row)));
  const POINT inRow = InWindow(tree, POINT{client.right - 5, (row.top + row.bottom) / 2});
  ExpectWashed(Seen(tree, inRow), Picture(tree, inRow), "tree row");
  expectNoMagenta("at first");
  // Select the second root by a click on its text and open it with the right arrow key.
  HTREEITEM second = reinterpret_cast<HTREEITEM>(SendMessageA(
      tree, TVM_GETNEXTITEM, TVGN_NEXT, SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
  RECT text{};
  std::memcpy(&text, &second, sizeof second);  // TVM_GETITEMRECT takes the item in the rectangle
  ASSERT_TRUE(SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text)));
  tltest::ClickAt(tree, POINT{(text.left + text.right) / 2, (text.top + text.bottom) / 2});
  EXPECT_EQ(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(second));
  tltest::PressKey(VK_RIGHT);
  gallery::Pump(100);
  EXPECT_TRUE(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(second), TVIS_EXPANDED) & TVIS_EXPANDED);
  Park();
  ExpectWashed(Seen(tree, inRow), Picture(tree, inRow), "tree row after expanding");
  expectNoMagenta("after selecting and expanding");
  Save(tree, "tree");
}

// --- the header -------------------------------------------------------------------------------

// The shade of a column with button style at row y of a header h high, over the washed
// picture, with the hover and pressed shades when asked.
uint32_t HeaderShade(uint32_t picture, int y, int h, bool hot, bool pressed) {
  const double f = (y + 0.5) / h;
  uint32_t c = Over(kWhite, kWash, picture);
  c = Over(Lerp(kWhite, kAccent, f), 80 + 40 * f, c);
  if (hot) c = Over(Lerp(kAccent, kBlack, f), 60 - 30 * f, c);
  if (pressed) c = Over(Lerp(kBlack, kWhite, f), 30 + 90 * f, c);
  return c;
}

TEST_F(ListsTest, HeaderColumnsAreDrawnBySkinWithHoverAndPressShades) {
  HWND header = Header();
  ASSERT_NE(header, nullptr);
  ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 3);
  RECT first, last, client;
  SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&last));
  GetClientRect(header, &client);
  const int h = client.bottom;
  ASSERT_LT(last.right, client.right - 10) << "the columns leave room on the right";
  auto expectShade = [&](int x, bool hot, bool pressed, const char* what) {
    for (int y : {2, h - 3}) {
      const POINT p{x, y};
      const uint32_t want = HeaderShade(Picture(header, p), y, h, hot, pressed);
      EXPECT_TRUE(tltest::ColourNear(Seen(header, p), want, 12))
          << what << " at (" << x << ", " << y << "): " << Hex(Seen(header, p)) << ", expected " << Hex(want);
    }
  };
  expectShade(first.right - 20, false, false, "first column");
  expectShade(client.right - 4, false, false, "right of the last column");
  // The separator: darker than the body at the top of the column's right edge.
  const uint32_t edge = Seen(header, POINT{first.right - 1, 1}), body = Seen(header, POINT{first.right - 4, 1});
  EXPECT_LT(Channel(edge, 8), Channel(body, 8)) << Hex(edge) << " vs " << Hex(body);
  Save(header, "header");

  tltest::MoveMouseTo(header, POINT{first.right - 20, h / 2});
  gallery::Pump(60);
  expectShade(first.right - 20, true, false, "hot column");
  expectShade(last.right - 10, false, false, "other column while one is hot");
  Save(header, "header_hot");
  tltest::PressLeftButton();
  gallery::Pump(60);
  expectShade(first.right - 20, true, true, "pressed column");
  Save(header, "header_pressed");
  tltest::ReleaseLeftButton();
  Park();
  gallery::Pump(60);
  expectShade(first.right - 20, false, false, "column after the mouse left");
  // Onto the header past the last column: over no column, nothing is hot.
  tltest::MoveMouseTo(header, POINT{client.right - 4, h / 2});
  gallery::Pump(60);
  const HeaderRecord* record = FindRecord<HeaderRecord>(header);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->hot, 0);
  EXPECT_EQ(record->hotItem, 0);
  expectShade(first.right - 20, false, false, "column while the mouse is past the last one");
}

// A 16 x 16 image list holding one icon of a solid colour.
HIMAGELIST SolidImageList(COLORREF colour) {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT r{0, 0, 16, 16};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &r, brush);
  SelectObject(dc, old);
  ImageList_Add(list, bitmap, nullptr);
  DeleteObject(brush);
  DeleteDC(dc);
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return list;
}

long CountNear(const tltest::Capture& c, uint32_t colour) {
  return std::count_if(c.pixels.begin(), c.pixels.end(), [&](uint32_t p) { return tltest::ColourNear(p, colour, 8); });
}

TEST_F(ListsTest, HeaderDrawsTheCurrentImageListAndNeverDestroysIt) {
  HWND header = Header();
  HIMAGELIST red = SolidImageList(RGB(255, 0, 0)), blue = SolidImageList(RGB(0, 0, 255));
  SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(red));
  HDITEMA item{};
  item.mask = HDI_FORMAT | HDI_IMAGE;
  item.fmt = HDF_STRING | HDF_IMAGE;
  item.iImage = 0;
  SendMessageA(header, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  gallery::Pump(50);
  EXPECT_GE(CountNear(tltest::CaptureWindow(header), 0xFF0000), 100) << "the red icon is drawn";
  // The application changes the header's images: the skin draws the new ones.
  SendMessageA(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(blue));
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  gallery::Pump(50);
  const tltest::Capture now = tltest::CaptureWindow(header);
  EXPECT_GE(CountNear(now, 0x0000FF), 100) << "the blue icon is drawn";
  EXPECT_EQ(CountNear(now, 0xFF0000), 0) << "the red one is gone";
  Save(header, "header_icon");
  // The list (and its header) go; both image lists are still the application's to destroy.
  DestroyWindow(Control(kListView));
  gallery::Pump(30);
  EXPECT_EQ(ImageList_GetImageCount(red), 1);
  EXPECT_EQ(ImageList_GetImageCount(blue), 1);
  EXPECT_TRUE(ImageList_Destroy(red));
  EXPECT_TRUE(ImageList_Destroy(blue));
}

// --- frames by real input -------------------------------------------------------------------------

TEST_F(ListsTest, FramesShowNormalHotFocusedAndDisabledLooks) {
  HWND list = Control(kListView), box = Control(kListBox);
  HWND tree = Control(kTreeView), ip = Control(kIpAddress), date = Control(kDateTime);
  for (HWND c : {list, tree, ip, date}) ExpectOutline(c, Look::Normal, "normal " + std::to_string(GetDlgCtrlID(c)));
  Save(list, "frame_normal");

  // The IP-address field's own client area shows between its fields' edits.
  RECT ipClient;
  GetClientRect(ip, &ipClient);
  POINT onIp{-1, ipClient.bottom / 2};
  for (int x = 2; x < ipClient.right - 2 && onIp.x < 0; ++x)
    if (ChildWindowFromPointEx(ip, POINT{x, onIp.y}, CWP_SKIPINVISIBLE) == ip) onIp.x = x;
  ASSERT_GE(onIp.x, 0) << "a point of the IP-address field outside its edits";
  const std::pair<HWND, POINT> hovers[] = {{list, {60, 100}}, {tree, {60, 100}}, {ip, onIp}, {date, {20, 10}}};
  for (const auto& [c, at] : hovers) {
    tltest::MoveMouseTo(c, at);
    gallery::Pump(40);
    ExpectOutline(c, Look::Hot, "hot " + std::to_string(GetDlgCtrlID(c)));
    Save(c, "frame_hot_" + std::to_string(GetDlgCtrlID(c)));
  }

  // Focus by a click. The IP-address field hands its focus on to its first field's edit.
  RECT row;
  row.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
  const std::pair<HWND, POINT> clicks[] = {{list, {40, (row.top + row.bottom) / 2}}, {tree, {60, 150}}, {date, {20, 10}}};
  for (const auto& [c, at] : clicks) {
    tltest::ClickAt(c, at);
    ASSERT_EQ(GetFocus(), c);
    Park();
    ExpectOutline(c, Look::Focused, "focused " + std::to_string(GetDlgCtrlID(c)));
    Save(c, "frame_focused_" + std::to_string(GetDlgCtrlID(c)));
  }
  ExpectOutline(list, Look::Normal, "list view after the focus left");

  // A disabled list box never turns hot: the mouse goes to its parent.
  EnableWindow(box, FALSE);
  RedrawWindow(box, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  tltest::MoveMouseTo(box, POINT{30, 30});
  gallery::Pump(40);
  ExpectOutline(box, Look::Normal, "disabled list box");
  Save(box, "frame_disabled");
}

// --- the system's behaviour ---------------------------------------------------------------------

TEST_F(ListsTest, ClicksKeysAndDoubleClicksStillWork) {
  HWND list = Control(kListView);
  RECT row;
  row.left = LVIR_BOUNDS;
  SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  const POINT second{40, (row.top + row.bottom) / 2};
  tltest::ClickAt(list, second);
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  tltest::PressKey(VK_DOWN);
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  gallery::Pump(700);  // past the double-click time: no double click out of the earlier click
  tltest::ClickAt(list, second, true);
  EXPECT_EQ(g_doubleClicks, 1) << "NM_DBLCLK reaches the parent";
  EXPECT_EQ(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);

  HWND box = Control(kListBox);
  RECT item;
  SendMessageA(box, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  tltest::ClickAt(box, POINT{20, (item.top + item.bottom) / 2});
  EXPECT_EQ(SendMessageA(box, LB_GETCURSEL, 0, 0), 2);
  tltest::PressKey(VK_DOWN);
  EXPECT_EQ(SendMessageA(box, LB_GETCURSEL, 0, 0), 3);
  tltest::PressKey(VK_UP);
  tltest::PressKey(VK_UP);
  EXPECT_EQ(SendMessageA(box, LB_GETCURSEL, 0, 0), 1);
  // The rows the selection left (redrawn at once by the list box itself) are washed again.
  gallery::Pump(50);
  RECT client;
  GetClientRect(box, &client);
  SendMessageA(box, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
  const POINT left = InWindow(box, POINT{client.right - 5, (item.top + item.bottom) / 2});
  ExpectWashed(Seen(box, left), Picture(box, left), "list box row the selection left");
  Park();
  Save(frame_, "selected");
}

// One notch of the mouse wheel, towards the user (down), where the mouse is.
void WheelDown() {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = MOUSEEVENTF_WHEEL;
  in.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
  SendInput(1, &in, sizeof in);
  gallery::Pump(100);
}

// The middle of the vertical scroll bar's down arrow, in the control's client coordinates.
POINT DownArrow(HWND c) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  GetScrollBarInfo(c, OBJID_VSCROLL, &info);
  // The arrow is as high as the bar is wide.
  const RECT& bar = info.rcScrollBar;
  POINT p{(bar.left + bar.right) / 2, bar.bottom - (bar.right - bar.left) / 2};
  ScreenToClient(c, &p);
  return p;
}

TEST_F(ListsTest, WheelAndScrollBarScrollTheListsAndTheWashFollows) {
  HWND list = Control(kListView), box = Control(kListBox);
  for (int row = kListViewRows; row < 30; ++row) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>("歌手-歌名");
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  for (int i = kListBoxItems; i < 20; ++i) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Item"));
  gallery::Pump(100);
  struct Scrolled {
    HWND control;
    UINT topIndex;
    UINT rowRect;
  };
  for (const Scrolled& s : {Scrolled{list, LVM_GETTOPINDEX, LVM_GETITEMRECT}, Scrolled{box, LB_GETTOPINDEX, LB_GETITEMRECT}}) {
    const std::string name = s.control == list ? "list view" : "list box";
    auto top = [&] { return static_cast<int>(SendMessageA(s.control, s.topIndex, 0, 0)); };
    auto expectClean = [&](const std::string& when) {
      RECT client, row{};
      GetClientRect(s.control, &client);
      SendMessageA(s.control, s.rowRect, static_cast<WPARAM>(top() + 1), reinterpret_cast<LPARAM>(&row));
      const POINT p = InWindow(s.control, POINT{client.right - 6, (row.top + row.bottom) / 2});
      ExpectWashed(Seen(s.control, p), Picture(s.control, p), (name + " row " + when).c_str());
      ExpectNoMagenta(s.control, name + " " + when);
    };
    ASSERT_EQ(top(), 0) << name;
    // Focus by a click on the first row (where the wheel goes on some systems), then the
    // wheel over the control.
    RECT first{};
    first.left = LVIR_BOUNDS;
    SendMessageA(s.control, s.rowRect, 0, reinterpret_cast<LPARAM>(&first));
    tltest::ClickAt(s.control, POINT{20, (first.top + first.bottom) / 2});
    WheelDown();
    const int wheeled = top();
    EXPECT_GT(wheeled, 0) << name << " scrolled by the wheel";
    Park();
    expectClean("after the wheel");
    tltest::ClickAt(s.control, DownArrow(s.control));
    EXPECT_EQ(top(), wheeled + 1) << name << " scrolled by the arrow";
    Park();
    expectClean("after the arrow");
    Save(s.control, s.control == list ? "scrolled_list_view" : "scrolled_list_box");
  }
}

// --- taking, text and destruction -----------------------------------------------------------------

TEST_F(ListsTest, InstallersRunTwiceTakeNothingTwice) {
  SkinInstance* skin = Skin();
  ASSERT_NE(skin, nullptr);
  const int instance = engine_.FindSkinInstance(frame_);
  const int framed = skin->CountOf(Family::ListLike), headers = skin->CountOf(Family::Header);
  EXPECT_EQ(framed, 6) << "two list boxes, list view, tree view, IP-address field, date-time picker";
  EXPECT_EQ(headers, 1);
  const int ids[] = {kListBox, kOwnerDrawnListBox, kListView, kTreeView, kIpAddress, kDateTime};
  std::vector<LONG_PTR> procs;
  for (int id : ids) procs.push_back(GetWindowLongPtrA(Control(id), GWLP_WNDPROC));
  TakeFramedControls(engine_, instance, frame_);
  TakeHeaders(engine_, instance, frame_);
  EXPECT_EQ(TakeFramedControl(engine_, instance, Control(kTreeView)), GetIntProp(Control(kTreeView), "Hw_lbID"));
  EXPECT_EQ(skin->CountOf(Family::ListLike), framed);
  EXPECT_EQ(skin->CountOf(Family::Header), headers);
  for (size_t i = 0; i < procs.size(); ++i) EXPECT_EQ(GetWindowLongPtrA(Control(ids[i]), GWLP_WNDPROC), procs[i]);
  // Messages still reach the system's procedures (no chain back into the skin's own).
  EXPECT_EQ(SendMessageA(Control(kListBox), LB_GETCOUNT, 0, 0), kListBoxItems);
  EXPECT_EQ(SendMessageA(Control(kListView), LVM_GETITEMCOUNT, 0, 0), kListViewRows);
  // A null text is legal.
  for (int id : ids) SendMessageA(Control(id), WM_SETTEXT, 0, 0);
  SendMessageA(Header(), WM_SETTEXT, 0, 0);
  EXPECT_EQ(SendMessageA(Control(kListBox), LB_GETCOUNT, 0, 0), kListBoxItems);
}

TEST_F(ListsTest, DestroyedControlsDeleteTheirColourReplyObjects) {
  HWND box = Control(kListBox), tree = Control(kTreeView), header = Header();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3)), headerBrush = CreateSolidBrush(RGB(4, 5, 6));
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  SetPropA(box, "Kj_dxjb", brush);
  SetPropA(tree, "Kj_wtjb", bitmap);
  SetPropA(header, "Kj_dxjb", headerBrush);
  DestroyWindow(box);
  DestroyWindow(tree);
  DestroyWindow(Control(kListView));
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(GetObjectType(headerBrush), 0u);
  DestroyWindow(frame_);  // the window's own end finds nothing left to delete twice
  gallery::Pump(50);
}

// --- leaks -------------------------------------------------------------------------------------------

// An absolute mouse move through SendInput with the shortest pump that lets it arrive.
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

TEST_F(ListsTest, HoversAndRepaintsLeaveGdiObjectsAndMemoryFlat) {
  const HWND targets[] = {Control(kListView), Header(), Control(kListBox), Control(kOwnerDrawnListBox),
                          Control(kTreeView), Control(kIpAddress)};
  const int ids[] = {kListBox, kOwnerDrawnListBox, kListView, kTreeView, kIpAddress, kDateTime};
  // One hover in and out of a control; one repaint of a control, its frame and children included.
  auto cycle = [&](int i) {
    QuickMove(targets[i % 6], POINT{8, 8});
    QuickMove(frame_, POINT{560, 360});
  };
  auto repaint = [&](int i) {
    RedrawWindow(Control(ids[i % 6]), nullptr, nullptr,
                 RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  };
  for (int i = 0; i < 30; ++i) cycle(i), repaint(i);
  gallery::Pump(100);
  const int gdi = tltest::GdiObjectCount();
  const size_t memory = tltest::WorkingSetBytes();
  const DWORD start = GetTickCount();
  for (int i = 0; i < 1000; ++i) cycle(i);
  const DWORD hovered = GetTickCount();
  for (int i = 0; i < 1000; ++i) repaint(i);
  printf("1000 hover cycles %lu ms, 1000 repaints %lu ms\n", static_cast<unsigned long>(hovered - start),
         static_cast<unsigned long>(GetTickCount() - hovered));
  gallery::Pump(100);
  EXPECT_LE(tltest::GdiObjectCount() - gdi, 3) << "GDI objects before " << gdi;
  EXPECT_LT(tltest::WorkingSetBytes(), memory + 2 * 1024 * 1024) << "working set before " << memory;
  EXPECT_EQ(engine_.snapshots().Count(), 0) << "every snapshot back through the engine";
}

}  // namespace
