// "containers": a tinted group box holding a push button, a check box and an edit box; a
// framed, lightly tinted panel holding a darker tinted framed panel with a button; two
// transparent labels over the picture and one with its own text colour; a picture button
// with its picture beside the caption (look B) and one drawn from four pictures (look C).
#include "tests/gallery/gallery_containers.h"

#include "skin/skin_images.h"
#include "skin/window/container.h"
#include "skin/window/picture_button.h"
#include "skin/window/transparent_control.h"
#include "tests/gallery/gallery.h"

// The picture buttons' pictures (resources/make-pictures.sh): a square of one colour with a
// white disc in the middle.
#define GALLERY_PICTURE(name)        \
  extern const unsigned char name[]; \
  extern const unsigned int name##_size;
GALLERY_PICTURE(tl_gallery_picture_beside)
GALLERY_PICTURE(tl_gallery_picture_normal)
GALLERY_PICTURE(tl_gallery_picture_hover)
GALLERY_PICTURE(tl_gallery_picture_pressed)
GALLERY_PICTURE(tl_gallery_picture_disabled)
#undef GALLERY_PICTURE

namespace {

using namespace gallery::containers;
using tunelark::ByteArray;

#define GALLERY_BYTES(name) ByteArray(name, name + name##_size)

HWND Add(HWND parent, const char* cls, const char* text, RECT r, DWORD style, int id, DWORD exStyle = 0) {
  HWND c = gallery::MakeControl(parent, cls, text, r.left, r.top, r.right, r.bottom, style, exStyle, id);
  SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return c;
}


void AddGroupBox(tunelark::SkinEngine& engine, HWND w) {
  HWND group = Add(w, "Button", "分组框", {16, 34, 230, 150}, BS_GROUPBOX | BS_LEFT, kGroupBox);
  Add(group, "Button", "确定", {16, 28, 90, 26}, BS_PUSHBUTTON | WS_TABSTOP, kGroupButton);
  Add(group, "Button", "选项", {16, 64, 120, 20}, BS_AUTOCHECKBOX | WS_TABSTOP, kGroupCheck);
  Add(group, "Edit", "分组框里的编辑框", {16, 96, 196, 24}, ES_AUTOHSCROLL | WS_TABSTOP, kGroupEdit, WS_EX_CLIENTEDGE);
  tunelark::ContainerArgs args;
  args.tintColour = kGroupTint;
  args.tintAlpha = kGroupAlpha;
  tunelark::SkinContainer(engine, group, args);
}

void AddPanels(tunelark::SkinEngine& engine, HWND w) {
  HWND outer = Add(w, "Static", "", {262, 34, 240, 150}, 0, kOuterPanel);
  HWND inner = Add(outer, "Static", "", {20, 24, 200, 100}, 0, kInnerPanel);
  Add(inner, "Button", "内部按钮", {20, 36, 110, 28}, BS_PUSHBUTTON | WS_TABSTOP, kInnerButton);
  tunelark::ContainerArgs args;
  args.frameFlag = 1;
  args.tintColour = kOuterTint;
  args.tintAlpha = kOuterAlpha;
  tunelark::SkinContainer(engine, outer, args);
  args.tintColour = kInnerTint;
  args.tintAlpha = kInnerAlpha;
  tunelark::SkinContainer(engine, inner, args);
}

void AddLabels(tunelark::SkinEngine& engine, HWND w) {
  HWND first = Add(w, "Static", "透明标签：背景图片透过文字", {16, 200, 230, 18}, 0, kLabel);
  HWND second = Add(w, "Static", "Second transparent label", {16, 224, 230, 18}, 0, kSecondLabel);
  HWND coloured = Add(w, "Static", "红色的文字 Red text", {16, 248, 230, 18}, 0, kColouredLabel);
  tunelark::SetControlTextColour(coloured, kLabelColour);
  for (HWND label : {first, second, coloured}) tunelark::MakeControlTransparent(engine, label, {}, {}, kBackdropAlpha);
}

void AddPictureButtons(tunelark::SkinEngine& engine, HWND w) {
  HWND b = Add(w, "Button", "图片按钮", {262, 200, 140, 36}, BS_PUSHBUTTON | WS_TABSTOP, kLookB);
  tunelark::MakePictureButton(engine, b, GALLERY_BYTES(tl_gallery_picture_beside), tunelark::kPictureBesideCaption,
                              "Look B");
  const int side = kPictureSize + 4;
  HWND c = Add(w, "Button", "", {420, 200, side, side}, BS_PUSHBUTTON | WS_TABSTOP, kLookC);
  tunelark::StatePictures pictures{GALLERY_BYTES(tl_gallery_picture_normal), GALLERY_BYTES(tl_gallery_picture_hover),
                                   GALLERY_BYTES(tl_gallery_picture_pressed), GALLERY_BYTES(tl_gallery_picture_disabled)};
  tunelark::MakeStatePictureButton(engine, c, pictures, "Look C");
}

HWND MakeContainersWindow(tunelark::SkinEngine& engine) {
  engine.SetBackground(tunelark::CopySkinImage(tunelark::SkinImage::Background), {}, {}, 3);
  engine.SetSkinOptions(1, kBackdropAlpha);
  HWND w = gallery::MakeFrame("Containers", 60, 60, 520, 290, WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX | WS_SYSMENU);
  if (!w) return nullptr;
  engine.ApplySkin(w, {});
  AddGroupBox(engine, w);
  AddPanels(engine, w);
  AddLabels(engine, w);
  AddPictureButtons(engine, w);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  return w;
}

}  // namespace

GALLERY_WINDOW("containers", MakeContainersWindow);
