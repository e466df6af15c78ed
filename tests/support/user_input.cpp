#include "tests/support/user_input.h"

#include "tests/support/process.h"

namespace tltest {
namespace {

void SendMouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

}  // namespace

void BringToFront(HWND window) {
  SetForegroundWindow(window);
  PumpFor(50);
}

void ClickAt(HWND window, POINT p, bool doubleClick) {
  ClientToScreen(window, &p);
  SetCursorPos(p.x, p.y);
  PumpFor(30);
  for (int i = 0; i < (doubleClick ? 2 : 1); ++i) {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(20);  // well inside the double-click time
  }
  PumpFor(50);
}

void ClickCentre(HWND control) {
  RECT r;
  GetClientRect(control, &r);
  ClickAt(control, POINT{r.right / 2, r.bottom / 2});
}

void PressKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof in[0]);
  PumpFor(50);
}

namespace {

void MoveMouseToScreen(POINT p) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((p.x * 65535LL + (w - 1) / 2) / (w > 1 ? w - 1 : 1));
  in.mi.dy = static_cast<LONG>((p.y * 65535LL + (h - 1) / 2) / (h > 1 ? h - 1 : 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  PumpFor(30);
}

}  // namespace

void MoveMouseTo(HWND window, POINT p) {
  ClientToScreen(window, &p);
  MoveMouseToScreen(p);
}

void PressLeftButton() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpFor(30);
}

void ReleaseLeftButton() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpFor(30);
}

void DragLeft(HWND window, POINT from, POINT to, int steps) {
  // Screen points taken once: the window may move under the mouse while it drags.
  ClientToScreen(window, &from);
  ClientToScreen(window, &to);
  MoveMouseToScreen(from);
  PressLeftButton();
  if (steps < 1) steps = 1;
  for (int i = 1; i <= steps; ++i)
    MoveMouseToScreen(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  ReleaseLeftButton();
}

}  // namespace tltest
