// Where a skinned top-level window may be and how big: the tracking limits (at least
// 200 x 150, at most the screen, or the work area of its monitor while maximised), the
// maximised size kept off the taskbar, and the maximised/minimised flags that follow the
// system commands.
#pragma once
#include <windows.h>

namespace tunelark {

class SkinInstance;
struct FrameState;

// The work area of the monitor nearest the window (the whole screen when there is no
// taskbar or other reserved area).
RECT WorkAreaOf(HWND window);

// WM_GETMINMAXINFO.
void OnGetMinMaxInfo(const SkinInstance& skin, MINMAXINFO& info);
// The limits for a window's frame state on a monitor with that work area: at least the
// minimum track size; while maximised, at most the work area and placed on it (whatever
// edge the taskbar lies on); otherwise at most the screen size kept when skinned.
void FillMinMaxInfo(const FrameState& frame, const RECT& work, const RECT& monitor, MINMAXINFO& info);
// WM_WINDOWPOSCHANGED: a window the system maximised over its whole monitor is put into
// the monitor's work area.
void KeepMaximisedInWorkArea(SkinInstance& skin);
// WM_SYSCOMMAND before it runs (command already masked with 0xFFF0).
void BeforeSysCommand(SkinInstance& skin, UINT command);
// WM_SYSCOMMAND after the previous procedure ran it: a restored window is maximised only
// when the system says so.
void AfterSysCommand(SkinInstance& skin, UINT command);

}  // namespace tunelark
