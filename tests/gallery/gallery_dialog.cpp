// "dialog": a top-level window with WS_CAPTION | WS_THICKFRAME | WS_SYSMENU kept while
// skinned (the system draws the caption and the sizing border, the skin the client area),
// with the stretched background picture, a transparent label, a group box drawn around
// sibling check boxes, radio buttons and an edit, a list box and a push button.
// "dialog_borderless": the same controls on a borderless skinned window of the same client
// size.
#include "tests/gallery/gallery_dialog.h"

#include "skin/skin_images.h"
#include "skin/window/container.h"
#include "skin/window/transparent_control.h"
#include "tests/gallery/gallery.h"

namespace {

using namespace gallery::dialog;

constexpr DWORD kFramed = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kBorderless = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU;

HWND Add(HWND parent, const char* cls, const char* text, RECT r, DWORD style, int id, DWORD exStyle = 0) {
  HWND c = gallery::MakeControl(parent, cls, text, r.left, r.top, r.right, r.bottom, style, exStyle, id);
  SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return c;
}

// The controls in a dialog's order: the group box first, so it lies above the controls it
// is drawn around.
void AddControls(HWND w) {
  Add(w, "Static", "透明标签 Transparent label", {20, 40, 210, 18}, 0, kLabel);
  Add(w, "Button", "选项 Options", {20, 66, 210, 176}, BS_GROUPBOX | BS_LEFT, kGroupBox);
  Add(w, "Button", "第一项 First", {36, 90, 170, 20}, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kCheckOne);
  Add(w, "Button", "第二项 Second", {36, 114, 170, 20}, BS_AUTOCHECKBOX | WS_TABSTOP, kCheckTwo);
  Add(w, "Button", "甲 A", {36, 144, 80, 20}, BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, kRadioA);
  Add(w, "Button", "乙 B", {124, 144, 80, 20}, BS_AUTORADIOBUTTON, kRadioB);
  Add(w, "Edit", "分组框里的编辑框", {36, 180, 178, 24}, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kEdit,
      WS_EX_CLIENTEDGE);
  HWND list = Add(w, "ListBox", "", {250, 40, 190, 202}, WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP, kList, WS_EX_CLIENTEDGE);
  for (const char* item : {"一 One", "二 Two", "三 Three", "四 Four", "五 Five", "六 Six", "七 Seven", "八 Eight",
                           "九 Nine", "十 Ten", "十一 Eleven", "十二 Twelve", "十三 Thirteen", "十四 Fourteen"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  Add(w, "Button", "确定 OK", {340, 270, 100, 28}, BS_DEFPUSHBUTTON | WS_TABSTOP, kOk);
}

HWND MakeDialog(tunelark::SkinEngine& engine, const char* title, DWORD style, int x, bool caption) {
  engine.SetBackground(tunelark::CopySkinImage(tunelark::SkinImage::Background), {}, {}, 3);
  engine.SetSkinOptions(1, 100);
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, style, FALSE, 0);
  HWND w = gallery::MakeFrame(title, x, 40, outer.right - outer.left, outer.bottom - outer.top, style);
  if (!w) return nullptr;
  AddControls(w);
  tunelark::ApplySkinArgs args;
  args.captionShown = caption ? 1 : 0;  // the framed dialog shows the system's caption
  args.sizable = 0;                     // and is sized by the system's border
  engine.ApplySkin(w, args);
  tunelark::SkinContainer(engine, GetDlgItem(w, kGroupBox));
  tunelark::MakeControlTransparent(engine, GetDlgItem(w, kLabel), {}, {}, 100);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  return w;
}

HWND MakeFramedDialog(tunelark::SkinEngine& engine) { return MakeDialog(engine, "对话框 Dialog", kFramed, 40, false); }

HWND MakeBorderlessDialog(tunelark::SkinEngine& engine) {
  return MakeDialog(engine, "Borderless dialog", kBorderless, 560, true);
}

}  // namespace

GALLERY_WINDOW("dialog", MakeFramedDialog);
GALLERY_WINDOW("dialog_borderless", MakeBorderlessDialog);
