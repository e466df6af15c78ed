// "containers": a tinted group box holding a push button, a check box and an edit box; a
// framed, lightly tinted panel holding a darker tinted framed panel with a button; two
// transparent labels over the picture and one with its own text colour; a picture button
// with its picture beside the caption (look B) and one drawn from four pictures (look C).
#include "tests/gallery/gallery_containers.h"

#include "gfx/bitmap.h"
#include "gfx/brushes.h"
#include "gfx/graphics.h"
#include "skin/skin_images.h"
#include "skin/window/container.h"
#include "skin/window/picture_button.h"
#include "skin/window/transparent_control.h"
#include "tests/gallery/gallery.h"

namespace {

using namespace gallery::containers;
using tunelark::ByteArray;

HWND Add(HWND parent, const char* cls, const char* text, RECT r, DWORD style, int id, DWORD exStyle = 0) {
  HWND c = gallery::MakeControl(parent, cls, text, r.left, r.top, r.right, r.bottom, style, exStyle, id);
  SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return c;
}

// A square PNG of one colour with a white disc in the middle.
ByteArray Picture(uint32_t rgb) {
  tunelark::Bitmap bitmap;
  tunelark::Graphics g;
  tunelark::SolidBrush white;
  if (!bitmap.CreateFromScan0(kPictureSize, kPictureSize) || !g.CreateOnImage(bitmap) || !white.Create(0xFFFFFFFF))
    return {};
  g.Clear(0xFF000000 | rgb);
  const float d = kPictureSize / 3.0f;
  g.FillEllipse(white, (kPictureSize - d) / 2, (kPictureSize - d) / 2, d, d);
  g.Flush();
  return bitmap.SaveToBytes(tunelark::kImageFormatPng);
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
  tunelark::MakePictureButton(engine, b, Picture(kLookBColour), tunelark::kPictureBesideCaption, "Look B");
  const int side = kPictureSize + 4;
  HWND c = Add(w, "Button", "", {420, 200, side, side}, BS_PUSHBUTTON | WS_TABSTOP, kLookC);
  tunelark::StatePictures pictures{Picture(kNormalColour), Picture(kHoverColour), Picture(kPressedColour),
                                   Picture(kDisabledColour)};
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
