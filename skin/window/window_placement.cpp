#include "skin/window/window_placement.h"

#include "skin/skin_instance.h"

namespace tunelark {

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

namespace {

RECT MonitorOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcMonitor;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

void FillMinMaxInfo(const FrameState& frame, const RECT& work, const RECT& monitor, MINMAXINFO& info) {
  info.ptMinTrackSize = {frame.minTrackWidth, frame.minTrackHeight};
  if (frame.maximised) {
    info.ptMaxTrackSize = {work.right - work.left, work.bottom - work.top};
    info.ptMaxSize = info.ptMaxTrackSize;
    info.ptMaxPosition = {work.left - monitor.left, work.top - monitor.top};
  } else {
    info.ptMaxTrackSize = {frame.screenWidth, frame.screenHeight};
  }
}

void OnGetMinMaxInfo(const SkinInstance& skin, MINMAXINFO& info) {
  FillMinMaxInfo(skin.frame, WorkAreaOf(skin.window), MonitorOf(skin.window), info);
}

void KeepMaximisedInWorkArea(SkinInstance& skin) {
  if (!skin.frame.hasMaximize) return;
  RECT client{};
  GetClientRect(skin.window, &client);
  const RECT monitor = MonitorOf(skin.window);
  if (client.right != monitor.right - monitor.left || client.bottom != monitor.bottom - monitor.top) return;
  skin.frame.maximised = true;
  const RECT work = WorkAreaOf(skin.window);
  RECT now{};
  GetWindowRect(skin.window, &now);
  if (EqualRect(&now, &work)) return;  // already there (no reserved area): nothing to move
  SetWindowPos(skin.window, nullptr, work.left, work.top, work.right - work.left, work.bottom - work.top,
               SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void BeforeSysCommand(SkinInstance& skin, UINT command) {
  switch (command) {
    case SC_MAXIMIZE:
      skin.frame.maximised = true;
      skin.back.renderPending = true;
      break;
    case SC_RESTORE:
      skin.back.renderPending = true;
      skin.frame.minimised = false;
      break;
    case SC_MINIMIZE:
      skin.back.renderPending = true;
      skin.frame.minimised = true;
      break;
    default: break;
  }
}

void AfterSysCommand(SkinInstance& skin, UINT command) {
  if (command == SC_RESTORE) skin.frame.maximised = IsZoomed(skin.window) != FALSE;
}

}  // namespace tunelark
