// Control ids and contents of the "controls-lists" gallery window, for the tests that drive it.
#pragma once

namespace gallery::lists {

enum : int {
  kListBox = 501,           // plain, WS_BORDER | WS_VSCROLL | LBS_DISABLENOSCROLL, "Item 1".."Item 5"
  kOwnerDrawnListBox = 502, // LBS_OWNERDRAWFIXED, WS_EX_CLIENTEDGE, 4 items drawn by the window
  kListView = 503,          // report style, WS_EX_CLIENTEDGE, full-row select, 3 columns, 5 rows
  kTreeView = 504,          // WS_EX_CLIENTEDGE, lines and buttons, 2 roots with 3 children each
  kIpAddress = 505,
  kDateTime = 506,
};

inline constexpr int kListBoxItems = 5;
inline constexpr int kListViewRows = 5;
inline constexpr int kListViewColumnWidths[] = {150, 110, 50};  // narrower than the list: the last is widened

}  // namespace gallery::lists
