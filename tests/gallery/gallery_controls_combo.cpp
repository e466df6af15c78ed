// "controls-combo": combo boxes in their three styles (simple, drop-down, drop-down list),
// each also disabled, and up-down controls vertical and horizontal, standalone and buddied
// to an edit, and disabled.
#include <windows.h>
#include <commctrl.h>

#include "skin/skin_images.h"
#include "tests/gallery/gallery.h"
#include "tests/gallery/gallery_controls_combo.h"

namespace {

using namespace gallery::combo;

HWND Combo(HWND parent, int id, int x, int y, int w, int h, DWORD style, int selected) {
  HWND c = gallery::MakeControl(parent, "ComboBox", "", x, y, w, h, style | WS_VSCROLL | WS_TABSTOP, 0, id);
  for (const char* item : kItems) SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageA(c, CB_SETCURSEL, selected, 0);
  return c;
}

HWND UpDown(HWND parent, int id, int x, int y, int w, int h, DWORD style, int low, int high, int position) {
  HWND u = gallery::MakeControl(parent, UPDOWN_CLASSA, "", x, y, w, h, style, 0, id);
  SendMessageA(u, UDM_SETRANGE32, low, high);
  SendMessageA(u, UDM_SETPOS32, 0, position);
  return u;
}

// An edit with an up-down control aligned to its right edge, showing its value.
void BuddiedUpDown(HWND parent, int editId, int id, int x, int y, DWORD horz, int position) {
  HWND edit = gallery::MakeControl(parent, "Edit", "", x, y, 80, 24, ES_NUMBER, WS_EX_CLIENTEDGE, editId);
  HWND u = UpDown(parent, id, 0, 0, 0, 0, horz | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 100, position);
  SendMessageA(u, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessageA(u, UDM_SETPOS32, 0, position);
}

HWND MakeComboWindow(tunelark::SkinEngine& engine) {
  engine.SetBackground(tunelark::CopySkinImage(tunelark::SkinImage::Background), {}, {}, 3);
  engine.SetSkinOptions(1, 100);
  HWND w = gallery::MakeFrame("controls-combo", 80, 80, 480, 330, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_SYSMENU);
  if (!w) return nullptr;
  Combo(w, kComboSimple, 20, 40, 140, 120, CBS_SIMPLE, 0);
  Combo(w, kComboDropDown, 180, 40, 140, 160, CBS_DROPDOWN, 2);
  Combo(w, kComboDropList, 180, 80, 140, 160, CBS_DROPDOWNLIST, 1);
  Combo(w, kComboSimpleDisabled, 20, 180, 140, 120, CBS_SIMPLE | WS_DISABLED, 0);
  Combo(w, kComboDropDownDisabled, 180, 120, 140, 160, CBS_DROPDOWN | WS_DISABLED, 2);
  Combo(w, kComboDropListDisabled, 180, 160, 140, 160, CBS_DROPDOWNLIST | WS_DISABLED, 1);
  UpDown(w, kUpDownVertical, 350, 40, 20, 40, 0, 0, 10, 5);
  UpDown(w, kUpDownHorizontal, 390, 50, 44, 20, UDS_HORZ, 0, 10, 5);
  BuddiedUpDown(w, kBuddyVertical, kUpDownBuddyVertical, 350, 100, 0, 5);
  BuddiedUpDown(w, kBuddyHorizontal, kUpDownBuddyHorizontal, 350, 140, UDS_HORZ, 50);
  UpDown(w, kUpDownVerticalDisabled, 350, 190, 20, 40, WS_DISABLED, 0, 10, 5);
  UpDown(w, kUpDownHorizontalDisabled, 390, 200, 44, 20, UDS_HORZ | WS_DISABLED, 0, 10, 5);
  engine.ApplySkin(w, {});
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  return w;
}

}  // namespace

GALLERY_WINDOW("controls-combo", MakeComboWindow);
