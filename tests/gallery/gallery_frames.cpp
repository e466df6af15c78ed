// Skinned top-level windows in the combinations the frame distinguishes: which caption
// buttons (minimise + maximise, close only, help and menu, an added button), sizable or
// fixed, with and without a status bar, each picture layout mode, caption gloss on and off.
// "frame" is the plain skinned window the control families put their controls on.
#include <string>
#include <vector>

#include "skin/skin_images.h"
#include "tests/gallery/gallery.h"

using tunelark::ApplySkinArgs;
using tunelark::SkinEngine;
using tunelark::StatusItem;

namespace {

constexpr DWORD kMinMax = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kCloseOnly = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;

// The engine-wide picture the program uses: the embedded background, stretched.
void UseDefaultBackground(SkinEngine& engine) {
  if (engine.background.picture.empty()) engine.SetBackground(tunelark::CopySkinImage(tunelark::SkinImage::Background), std::nullopt, std::nullopt, 3);
}

HWND Skinned(SkinEngine& engine, const char* title, DWORD style, const ApplySkinArgs& args, int w = 481, int h = 375) {
  UseDefaultBackground(engine);
  HWND window = gallery::MakeFrame(title, 40, 40, w, h, style);
  if (window) engine.ApplySkin(window, args);
  return window;
}

HWND MakeFrameWindow(SkinEngine& engine) {
  ApplySkinArgs args;
  args.sizable = 0;
  return Skinned(engine, "Gallery", kMinMax, args);
}

HWND MakeMinMax(SkinEngine& engine) { return Skinned(engine, "最小化 + 最大化", kMinMax, {}); }

HWND MakeCloseOnly(SkinEngine& engine) {
  ApplySkinArgs args;
  args.sizable = 0;
  return Skinned(engine, "Close only, fixed size", kCloseOnly, args);
}

HWND MakeHelpAndMenu(SkinEngine& engine) {
  ApplySkinArgs args;
  args.helpButton = 1;
  args.menuButton = 1;
  return Skinned(engine, "Help and main menu", kMinMax, args);
}

HWND MakeAddedButton(SkinEngine& engine) {
  HWND window = Skinned(engine, "An added application button", kMinMax, {});
  engine.AddCaptionButton(window, tunelark::CopySkinImage(tunelark::SkinImage::MenuGlyph), "Application", [] {});
  return window;
}

HWND MakeStatusBar(SkinEngine& engine) {
  ApplySkinArgs args;
  args.statusHeight = 22;
  args.statusItems = std::vector<StatusItem>{{120, "Ready", tunelark::CopySkinImage(tunelark::SkinImage::CheckBoxOn), 0},
                                              {90, "No picture", {}, 0},
                                              {-1, "The rest of the bar", {}, 0}};
  return Skinned(engine, "With a status bar", kMinMax, args);
}

HWND MakeGloss(SkinEngine& engine) {
  ApplySkinArgs args;
  args.captionGloss = 1;
  args.captionHeight = 30;
  return Skinned(engine, "Caption gloss on", kMinMax, args);
}

// Each layout mode with the embedded 1024 x 768 picture as the window's own picture, in a
// window smaller than the picture (mode 4 therefore shows one unmirrored copy) ...
template <int Mode>
HWND MakeLayout(SkinEngine& engine) {
  ApplySkinArgs args;
  args.picture = tunelark::CopySkinImage(tunelark::SkinImage::Background);
  args.ownLayoutMode = Mode;
  const std::string title = "Layout mode " + std::to_string(Mode);
  return Skinned(engine, title.c_str(), kMinMax, args);
}

// ... and mode 4 with a picture narrower than the window: mirrored copies side by side.
HWND MakeMirroredTiles(SkinEngine& engine) {
  ApplySkinArgs args;
  args.picture = tunelark::CopySkinImage(tunelark::SkinImage::CloseGlyph);
  args.ownLayoutMode = 4;
  return Skinned(engine, "Mirrored tiles", kMinMax, args);
}

}  // namespace

GALLERY_WINDOW("frame", MakeFrameWindow);
GALLERY_WINDOW("frame_minmax", MakeMinMax);
GALLERY_WINDOW("frame_close_only", MakeCloseOnly);
GALLERY_WINDOW("frame_help_menu", MakeHelpAndMenu);
GALLERY_WINDOW("frame_added_button", MakeAddedButton);
GALLERY_WINDOW("frame_status_bar", MakeStatusBar);
GALLERY_WINDOW("frame_gloss", MakeGloss);
GALLERY_WINDOW("frame_layout0", MakeLayout<0>);
GALLERY_WINDOW("frame_layout1", MakeLayout<1>);
GALLERY_WINDOW("frame_layout2", MakeLayout<2>);
GALLERY_WINDOW("frame_layout3", MakeLayout<3>);
GALLERY_WINDOW("frame_layout4", MakeLayout<4>);
GALLERY_WINDOW("frame_tiles", MakeMirroredTiles);
