// Real user input for GUI tests: mouse clicks and double-clicks at window points and key
// presses, injected through SendInput as a user's devices would deliver them.
#pragma once
#include <windows.h>

namespace tltest {

// Brings the top-level window to the front (so input goes to it).
void BringToFront(HWND window);
// Clicks (or double-clicks) at a point in the window's client coordinates.
void ClickAt(HWND window, POINT clientPoint, bool doubleClick = false);
// Clicks the middle of a child control.
void ClickCentre(HWND control);
void PressKey(WORD virtualKey);

// The mouse as a hand moves it: to a point in the window's client coordinates (an
// absolute move through SendInput), the left button pressed or released where the mouse
// is, and a drag with the left button held from one client point to another in steps.
void MoveMouseTo(HWND window, POINT clientPoint);
void PressLeftButton();
void ReleaseLeftButton();
void DragLeft(HWND window, POINT from, POINT to, int steps = 8);

}  // namespace tltest
