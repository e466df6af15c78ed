// The window procedure of a skinned top-level window, installed by Apply skin in front of
// the window's own. It keeps the window's skin instance in step with the window: when the
// background renders and presents, the caption buttons' hover fade, clicks on the caption
// buttons, moving and sizing, the maximised size, the colour replies for the controls, the
// controls whose look follows their content, and the instance's removal when the window
// goes. Every message then goes on to the window's previous procedure unless answered here.
#pragma once
#include <windows.h>

namespace tunelark {

LRESULT CALLBACK TopLevelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tunelark
