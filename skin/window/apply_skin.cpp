// Apply skin: a top-level window becomes a skinned one (its instance, caption buttons,
// title style, picture, tooltips and status bar), the standard controls directly inside
// it are taken over by their families, and the top-level procedure goes in front of its own.
#include "skin/controls/families.h"
#include "skin/picture_tools.h"
#include "skin/skin_engine.h"
#include "skin/subclass.h"
#include "skin/window/top_level_proc.h"

namespace tunelark {

namespace {

constexpr int kMinCaptionHeight = 25;
constexpr int kBorderWidth = 3;

void FillFrame(SkinInstance& skin, const ApplySkinArgs& args, LONG style, int defaultLayoutMode) {
  FrameState& f = skin.frame;
  f.captionHeight = args.captionHeight < kMinCaptionHeight ? kMinCaptionHeight : args.captionHeight;
  f.helpButton = args.helpButton.value_or(0) != 0;
  f.menuButton = args.menuButton.value_or(0) != 0;
  f.hasMinimize = (style & WS_MINIMIZEBOX) != 0;
  f.hasMaximize = (style & WS_MAXIMIZEBOX) != 0;
  f.captionShown = args.captionShown.value_or(1) != 0;
  f.sizable = args.sizable.value_or(1) != 0;
  f.showTitle = args.showTitle.value_or(1) != 0;
  f.captionGloss = args.captionGloss.value_or(0) != 0;
  f.minTrackWidth = 200;
  f.minTrackHeight = 150;
  f.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  f.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  skin.picture.layoutMode = args.ownLayoutMode.value_or(defaultLayoutMode);
}

// The window's own picture: faded into its sampled colour for layout modes 0 and 1.
void TakePicture(SkinInstance& skin, const ByteArray& picture) {
  if (picture.empty()) return;
  const PictureInput input = PictureInput::FromBytes(picture);
  skin.picture.baseColour = ImageColourSampler(input, 2000, 0, 0);
  const int mode = skin.picture.layoutMode;
  if (mode == 0 || mode == 1)
    skin.picture.bytes = FadeTransform(input, skin.picture.baseColour & 0xFFFFFF, std::nullopt, mode == 1);
  else
    skin.picture.bytes = picture;
}

void MakeCaptionButtons(SkinInstance& skin, int clientWidth, int borderWidth) {
  CaptionBar& bar = skin.caption;
  const FrameState& f = skin.frame;
  const int widths = AddSystemCaptionButtons(bar, f.helpButton, f.menuButton, f.hasMinimize, f.hasMaximize);
  bar.width = widths + (bar.Count() - 1) + 3;
  bar.height = 22;
  bar.left = clientWidth - borderWidth - bar.width - 2;
  bar.top = 0;
}

void AddCaptionTips(SkinInstance& skin) {
  CaptionBar& bar = skin.caption;
  bar.tooltip.Create(skin.window, false, ToolFeed::Relay);  // fed by the top-level procedure
  for (int m = 1; m <= bar.Count(); ++m) {
    const CaptionButton& b = *bar.Button(m);
    const int x = static_cast<int>(b.x), y = static_cast<int>(b.y);
    bar.tooltip.AddTool({x, y, x + static_cast<int>(b.w), y + static_cast<int>(b.h)}, b.tip, static_cast<UINT_PTR>(m));
  }
}

}  // namespace

int SkinEngine::ApplySkin(HWND window, const ApplySkinArgs& args) {
  if (!window || !IsWindow(window)) return 0;
  if (int k = FindSkinInstance(window)) return k;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  RECT client{};
  GetClientRect(window, &client);
  borderWidth = kBorderWidth;
  auto made = std::make_unique<SkinInstance>(window);
  SkinInstance& skin = *made;
  FillFrame(skin, args, style, background.layoutMode);
  TakePicture(skin, args.picture);
  skin.title = TitleStyle{};
  MakeCaptionButtons(skin, client.right, borderWidth);
  SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_SYSMENU);
  const int n = AddInstance(std::move(made));
  AddCaptionTips(skin);
  LayOutCaptionButtons(skin);
  if (args.statusHeight > 0) {
    tunelark::SetStatusItems(*this, skin, args.statusHeight, args.statusItems ? &*args.statusItems : nullptr);
    skin.status.textColour = 0;
    skin.status.haloColour = 0xFFFFFF;
    skin.status.face = "宋体";
    skin.status.size = 12;
  }
  LayOutStatusBar(*this, skin);
  skin.docked.assign(1, DockedWindow{});
  TakeEveryFamily(*this, n, window);
  SkinInstance* again = Instance(n);  // an installer may have sent messages; the instance stays put
  if (!again) return 0;
  again->skinned = true;
  again->back.renderPending = true;
  SubclassTopLevel(*again, n, TopLevelProc);
  if (IsWindowVisible(window)) InvalidateRect(window, nullptr, FALSE);  // shown already: paint it skinned
  return n;
}

}  // namespace tunelark
