// The "containers" gallery window: what its controls are and the colours they are made
// with, for the tests that drive it.
#pragma once
#include <windows.h>

#include <cstdint>

namespace gallery::containers {

// Control ids (GetDlgItem on the control's parent).
enum Id : int {
  kGroupBox = 301,    // group box on the window, tinted, caption at the left
  kGroupButton,       // push button inside it
  kGroupCheck,        // check box inside it
  kGroupEdit,         // edit box inside it
  kOuterPanel,        // framed panel on the window, lightly tinted
  kInnerPanel,        // tinted framed panel inside the outer panel
  kInnerButton,       // push button inside the inner panel
  kLabel,             // transparent label over the picture
  kSecondLabel,       // another one
  kColouredLabel,     // transparent label with its own text colour
  kLookB,             // picture button, picture beside the caption
  kLookC,             // picture button drawn from four pictures
};

constexpr COLORREF kGroupTint = RGB(0xE0, 0xF0, 0xFF);
constexpr int kGroupAlpha = 90;
constexpr COLORREF kOuterTint = RGB(0xFF, 0xFF, 0xFF);
constexpr int kOuterAlpha = 60;
constexpr COLORREF kInnerTint = RGB(0x20, 0x40, 0x80);
constexpr int kInnerAlpha = 110;
constexpr COLORREF kLabelColour = RGB(0xD0, 0x00, 0x00);
constexpr int kBackdropAlpha = 100;

// Look C's pictures: kPictureSize square, one solid colour each (0x00RRGGBB) with a white
// disc in the middle; look B's picture likewise.
constexpr int kPictureSize = 40;
constexpr uint32_t kNormalColour = 0x2060C0;
constexpr uint32_t kHoverColour = 0x20A040;
constexpr uint32_t kPressedColour = 0xC03020;
constexpr uint32_t kDisabledColour = 0x808080;
constexpr uint32_t kLookBColour = 0xE08020;

}  // namespace gallery::containers
