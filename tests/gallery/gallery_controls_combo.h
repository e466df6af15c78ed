// Control ids of the "controls-combo" gallery window, for the tests that drive it.
#pragma once

namespace gallery::combo {

// Items of every combo box: "Alpha", "Beta", "Gamma", "Delta", "Epsilon".
inline constexpr const char* kItems[] = {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"};

enum : int {
  kComboSimple = 301,            // CBS_SIMPLE, "Alpha" selected
  kComboDropDown = 302,          // CBS_DROPDOWN, "Gamma" selected
  kComboDropList = 303,          // CBS_DROPDOWNLIST, "Beta" selected
  kComboSimpleDisabled = 304,    // 304..306: the same three styles, disabled
  kComboDropDownDisabled = 305,
  kComboDropListDisabled = 306,
  kUpDownVertical = 401,         // standalone, 0..10 at 5
  kUpDownHorizontal = 402,       // standalone, UDS_HORZ, 0..10 at 5
  kBuddyVertical = 411,          // an edit showing the value of 412
  kUpDownBuddyVertical = 412,    // UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0..100 at 5
  kBuddyHorizontal = 413,        // an edit showing the value of 414
  kUpDownBuddyHorizontal = 414,  // the same with UDS_HORZ, 0..100 at 50
  kUpDownVerticalDisabled = 421,    // standalone, disabled, at 5
  kUpDownHorizontalDisabled = 422,  // standalone, UDS_HORZ, disabled, at 5
};

}  // namespace gallery::combo
