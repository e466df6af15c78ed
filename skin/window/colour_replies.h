// Colour replies: how a skinned window or container answers its controls' WM_CTLCOLOR*
// requests so that the controls the skin does not redraw show the skin background (the
// control's text colour, a transparent background mode and a brush of the background).
#pragma once
#include <windows.h>

namespace tunelark {

class SkinEngine;

// The brush answering a WM_CTLCOLOR* message (dc = wParam, control = lParam), or null when
// the skin gives no answer and the message goes on to the previous procedure.
HBRUSH ColourReply(SkinEngine& engine, UINT message, HDC dc, HWND control);

}  // namespace tunelark
