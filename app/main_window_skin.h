// The skinned look of the main window: the embedded picture stretched over the window,
// the skin's caption (icon, title, minimise and close buttons), every control painted by
// the skin over the picture, and the label made transparent.
#pragma once
#include <windows.h>

#include "base/byte_array.h"

namespace tunelark {

class SkinEngine;

// Alpha of the white wash behind the controls and of the containers' tint.
inline constexpr int kMainWindowSkinAlpha = 100;

// Skins window with picture (encoded bytes) stretched behind it: the engine-wide background
// and options, Apply skin (default caption, no sizing, no status bar), then the window's
// group boxes and tab controls as tinted containers and its labels, picture boxes, canvases
// and shape boxes as transparent controls, each kind in creation order.
void ApplySkinToWindow(SkinEngine& engine, HWND window, const ByteArray& picture, int alpha);

}  // namespace tunelark
