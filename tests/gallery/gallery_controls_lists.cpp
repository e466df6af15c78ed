// "controls-lists": the framed controls and the list-view header in the styles they tell
// apart: a plain list box with a (disabled) scroll bar and room below its items, an
// owner-drawn list box the window paints itself, a report-style list view with a header
// and rows (like the program's result list), a tree view with expandable items, an
// IP-address field and a date-time picker.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "skin/skin_images.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_controls_lists.h"

namespace {

using namespace gallery::lists;

constexpr int kOwnerItemHeight = 18;

// The window's own drawing of its owner-drawn list box: text on whatever lies behind the
// items (the skin's washed picture), the selection in the highlight colour.
void DrawOwnerItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  RECT r = item.rcItem;
  if (item.itemState & ODS_SELECTED) FillRect(item.hDC, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  char text[64] = {};
  SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  r.left += 4;
  DrawTextA(item.hDC, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT CALLBACK FrameProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_MEASUREITEM && wp == kOwnerDrawnListBox) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = kOwnerItemHeight;
    return TRUE;
  }
  if (m == WM_DRAWITEM && wp == kOwnerDrawnListBox) {
    DrawOwnerItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    return TRUE;
  }
  return DefWindowProcA(w, m, wp, lp);
}

HWND Add(HWND parent, const char* cls, RECT r, DWORD style, DWORD exStyle, int id) {
  HWND c = gallery::MakeControl(parent, cls, "", r.left, r.top, r.right, r.bottom, style, exStyle, id);
  SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return c;
}

void FillListBox(HWND list, const char* prefix, int count) {
  for (int i = 1; i <= count; ++i) {
    char text[32];
    wsprintfA(text, "%s %d", prefix, i);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
}

void FillListView(HWND list) {
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const char* titles[] = {"作者和歌名", "地址", "状态"};
  for (int c = 0; c < 3; ++c) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(titles[c]);
    column.cx = kListViewColumnWidths[c];
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
  for (int row = 0; row < kListViewRows; ++row) {
    char name[32], address[48];
    wsprintfA(name, "歌手%d-歌名%d", row + 1, row + 1);
    wsprintfA(address, "http://songs.example/%d.mp3", row + 1);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = name;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = address;
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  }
}

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const char* text) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<char*>(text);
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FillTree(HWND tree) {
  const char* roots[] = {"歌单一", "歌单二"};
  for (const char* root : roots) {
    HTREEITEM item = AddTreeItem(tree, TVI_ROOT, root);
    for (int i = 1; i <= 3; ++i) {
      char text[32];
      wsprintfA(text, "%s 第%d首", root, i);
      AddTreeItem(tree, item, text);
    }
  }
  HTREEITEM first = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(first));
}

HWND MakeListsWindow(tunelark::SkinEngine& engine) {
  engine.SetBackground(tunelark::CopySkinImage(tunelark::SkinImage::Background), {}, {}, 3);
  engine.SetSkinOptions(1, 100);
  HWND w = gallery::MakeFrame("Lists, trees and fields", 80, 80, 580, 380,
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU);
  if (!w) return nullptr;
  SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc));
  const DWORD tab = WS_TABSTOP;
  HWND plain = Add(w, "ListBox", {20, 40, 160, 110},
                   WS_BORDER | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | tab, 0, kListBox);
  FillListBox(plain, "Item", kListBoxItems);
  HWND owner = Add(w, "ListBox", {200, 40, 160, 110},
                   LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | tab, WS_EX_CLIENTEDGE,
                   kOwnerDrawnListBox);
  FillListBox(owner, "Owner", 4);
  HWND list = Add(w, WC_LISTVIEWA, {20, 170, 340, 180}, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | tab,
                  WS_EX_CLIENTEDGE, kListView);
  FillListView(list);
  HWND tree = Add(w, WC_TREEVIEWA, {380, 40, 180, 200},
                  TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | tab, WS_EX_CLIENTEDGE,
                  kTreeView);
  FillTree(tree);
  Add(w, WC_IPADDRESSA, {380, 260, 180, 24}, tab, WS_EX_CLIENTEDGE, kIpAddress);
  SendMessageA(GetDlgItem(w, kIpAddress), IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 1, 20));
  Add(w, DATETIMEPICK_CLASSA, {380, 300, 180, 24}, DTS_SHORTDATEFORMAT | tab, WS_EX_CLIENTEDGE, kDateTime);
  engine.ApplySkin(w, {});
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  return w;
}

}  // namespace

GALLERY_WINDOW("controls-lists", MakeListsWindow);
