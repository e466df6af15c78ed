// The background's inputs: the engine-wide picture, base and accent colours and layout
// mode (Set background), and a window's own picture (Set window background).
#include "gfx/bitmap.h"
#include "gfx/image_codec.h"
#include "skin/picture_tools.h"
#include "skin/skin_engine.h"
#include "skin/window/window_background.h"

namespace tunelark {

namespace {

constexpr int kColourSamples = 2000;
constexpr COLORREF kDefaultAccent = 0xDDCA22;

// The picture as the given layout mode keeps it: faded into the base colour towards the
// left (mode 1) or right (mode 0) edge; otherwise as it came (a file as PNG bytes).
ByteArray PictureForMode(const PictureInput& picture, COLORREF base, int mode) {
  if (mode == 0 || mode == 1) return FadeTransform(picture, base & 0xFFFFFF, std::nullopt, mode == 1);
  if (picture.fileName.empty()) return picture.bytes;
  Bitmap decoded;
  if (!decoded.LoadFromFile(picture.fileName)) return {};
  return decoded.SaveToBytes(kImageFormatPng);
}

// The picture's average colour. Bytes are decoded through the engine's cache of decoded
// pictures, where the first render finds them again: the picture is decoded once.
Argb SampleBaseColour(SkinEngine& engine, const PictureInput& picture) {
  if (!picture.fileName.empty()) return ImageColourSampler(picture, kColourSamples, 0, 0);
  const Bitmap* decoded = engine.decodedPictures().Get(picture.bytes);
  return decoded ? ImageColourSampler(*decoded, kColourSamples, 0, 0) : 0;
}

BOOL CALLBACK InvalidateWithErase(HWND child, LPARAM) {
  InvalidateRect(child, nullptr, TRUE);
  return TRUE;
}

void RefreshVisibleWindows(SkinEngine& engine) {
  for (int k = 1; k <= engine.InstanceCount(); ++k) {
    SkinInstance* skin = engine.Instance(k);
    if (!skin || !IsWindowVisible(skin->window)) continue;
    const HWND window = skin->window;
    engine.RenderBackground(k, true);
    InvalidateRect(window, nullptr, FALSE);
    EnumChildWindows(window, InvalidateWithErase, 0);
    if (SkinInstance* again = engine.Instance(k); again && again->window == window)
      if (const FamilyListBase* headers = again->ListOf(Family::Header))
        for (int i = 1; i <= headers->Count(); ++i)
          if (HWND header = headers->WindowAt(i)) InvalidateRect(header, nullptr, FALSE);
  }
}

void SetBackgroundFrom(SkinEngine& engine, const PictureInput& picture, std::optional<COLORREF> baseColour,
                       std::optional<COLORREF> accentColour, std::optional<int> layoutMode) {
  const bool noPicture = picture.fileName.empty() && picture.bytes.empty();
  if (noPicture && baseColour) return;  // a colour alone changes nothing
  const bool accentFollowsBase = accentColour && *accentColour == static_cast<COLORREF>(-1);
  if (!accentColour) engine.options.accentColour = kDefaultAccent;
  if (accentColour && !accentFollowsBase) engine.options.accentColour = *accentColour;
  BackgroundSettings& b = engine.background;
  if (noPicture) {
    b.picture.clear();
    b.baseColour = GetSysColor(COLOR_BTNFACE);
  } else {
    b.baseColour = baseColour ? *baseColour : SampleBaseColour(engine, picture);
    b.layoutMode = layoutMode.value_or(4);
    b.picture = PictureForMode(picture, b.baseColour, b.layoutMode);
  }
  if (accentFollowsBase) engine.options.accentColour = b.baseColour & 0xFFFFFF;
  RefreshVisibleWindows(engine);
}

}  // namespace

void SkinEngine::SetBackground(const ByteArray& picture, std::optional<COLORREF> baseColour,
                               std::optional<COLORREF> accentColour, std::optional<int> layoutMode) {
  SetBackgroundFrom(*this, PictureInput::FromBytes(picture), baseColour, accentColour, layoutMode);
}

void SkinEngine::SetBackgroundFile(const std::string& fileName, std::optional<COLORREF> baseColour,
                                   std::optional<COLORREF> accentColour, std::optional<int> layoutMode) {
  SetBackgroundFrom(*this, PictureInput::FromFile(fileName), baseColour, accentColour, layoutMode);
}

int SkinEngine::SetWindowBackground(HWND window, const ByteArray& picture, std::optional<int> layoutMode) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin || picture.empty()) return 0;
  // Bytes that decode to no picture leave the window's picture and mode as they were. They
  // are decoded through the engine's cache, as the engine-wide picture is.
  const Bitmap* decoded = decodedPictures().Get(picture);
  if (!decoded) return 0;
  WindowPicture& own = skin->picture;
  if (layoutMode) own.layoutMode = *layoutMode;
  own.baseColour = ImageColourSampler(*decoded, kColourSamples, 0, 0);
  own.bytes = PictureForMode(PictureInput::FromBytes(picture), own.baseColour, own.layoutMode);
  skin->back.renderPending = true;
  InvalidateRect(window, nullptr, FALSE);
  return 1;
}

void SkinEngine::RenderBackground(int instance, bool present) { tunelark::RenderBackground(*this, instance, present); }

void SkinEngine::PresentBackground(int instance, HDC paintDC) {
  tunelark::PresentBackground(*this, instance, paintDC);
}

}  // namespace tunelark
