#include "skin/window/top_level_proc.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "base/lazy_import.h"
#include "base/message_copy.h"
#include "skin/controls/button.h"
#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/subclass.h"
#include "skin/window/colour_replies.h"
#include "skin/window/drag_resize.h"
#include "skin/window/window_placement.h"

TL_LAZY_IMPORT(lazy, "shlwapi.dll", SHCreateThread)

namespace tunelark {

namespace {

// What a message handler works on: the engine and the window's instance.
struct Skinned {
  SkinEngine& engine;
  int number;
  HWND window;
  SkinInstance& skin() { return *engine.Instance(number); }
  // False once the window's instance has gone (a handler's SendMessage can destroy it).
  bool alive() {
    SkinInstance* s = engine.Instance(number);
    return s && s->window == window;
  }
};

int LowX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int HighY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }
UINT_PTR TimerId(HWND window) { return reinterpret_cast<UINT_PTR>(window); }

// ---------------------------------------------------------------------------------------
// Handlers, one per message

void OnSize(Skinned& s) {
  SkinInstance& skin = s.skin();
  skin.caption.hotButton = 0;
  if (s.engine.options.firstSizePending) {
    skin.back.renderPending = false;
    s.engine.options.firstSizePending = 0;
  } else {
    skin.back.renderPending = true;
  }
  LayOutDockedWindows(skin);
}

void OnSetText(Skinned& s, LPARAM lParam) {
  SkinInstance& skin = s.skin();
  if (!skin.frame.showTitle || !skin.frame.captionShown) return;
  const char* text = reinterpret_cast<const char*>(lParam);  // null is legal: no text
  DrawTitle(s.engine, skin, nullptr, text ? text : "");
}

// Restored from the taskbar: the caption can be pressed again.
void OnQueryOpen(Skinned& s) { s.skin().frame.minimised = false; }

// The back buffer covers the whole client area: nothing to erase.
LRESULT OnEraseBackground(WPARAM dc) {
  SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
  return 1;
}

void OnMinMaxInfo(Skinned& s, LPARAM lParam) {
  if (lParam) OnGetMinMaxInfo(s.skin(), *reinterpret_cast<MINMAXINFO*>(lParam));
}

void OnMouseHover(Skinned& s) { s.skin().caption.mouseTracking = true; }

void OnActivateApp(Skinned& s, WPARAM active) {
  if (active || !s.engine.deactivationRoutine) return;
  lazy::SHCreateThread(s.engine.deactivationRoutine, nullptr, 0, nullptr);
}

void OnDrawItem(Skinned& s, LPARAM lParam) {
  DRAWITEMSTRUCT item{};
  if (CopyMessageStruct(lParam, item)) DispatchDrawItem(s.engine, item);
}

void OnWindowPosChanged(Skinned& s) {
  KeepMaximisedInWorkArea(s.skin());
  if (!s.alive()) return;
  SkinInstance& skin = s.skin();
  LayOutCaptionButtons(skin);
  if (skin.status.height > 0) LayOutStatusBar(s.engine, skin);
}

// The instance goes with its back buffers, then every property the skin set on the window,
// before the window's own procedure sees its last message.
LRESULT OnNcDestroy(Skinned& s, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC previous = s.skin().previousProc;
  s.engine.RemoveInstance(s.window);
  KillTimer(s.window, TimerId(s.window));
  RemoveSkinProps(s.window);
  return previous ? CallWindowProcA(previous, s.window, message, wParam, lParam)
                  : DefWindowProcA(s.window, message, wParam, lParam);
}

// A child being destroyed, taken by the skin or not: the brush and bitmap of its colour
// replies go with it.
void OnParentNotify(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == WM_DESTROY) ReleaseColourReplyObjects(reinterpret_cast<HWND>(lParam));
}

LRESULT OnSysCommand(Skinned& s, UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT command = static_cast<UINT>(wParam & 0xFFF0);  // the low four bits are the system's own
  BeforeSysCommand(s.skin(), command);
  const LRESULT result = CallPreviousProc(s.window, message, wParam, lParam);
  if (s.alive()) AfterSysCommand(s.skin(), command);
  return result;
}

void OnTimer(Skinned& s, WPARAM id) {
  if (id == TimerId(s.window)) StepCaptionFade(s.engine, s.skin());
}

void OnMouseMove(Skinned& s, LPARAM lParam) {
  SkinInstance& skin = s.skin();
  if (!skin.caption.mouseTracking) {
    TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, s.window, 1};
    TrackMouseEvent(&track);
  }
  if (!skin.frame.captionShown) return;
  const int x = LowX(lParam), y = HighY(lParam);
  if (skin.caption.pressedButton >= 1) return DragCaptionPress(s.engine, skin, x, y);
  TrackCaptionHover(s.engine, skin, x, y);
  if (s.alive() && !s.skin().frame.maximised) HoverFrame(s.engine, s.skin(), x, y);
}

void OnLeftButtonDown(Skinned& s, LPARAM lParam) {
  const int x = LowX(lParam), y = HighY(lParam);
  s.skin().caption.fadeIn.button = 0;
  if (!s.skin().frame.captionShown) return;
  // After a move or size loop the button is up already: no press is left to follow.
  if (!s.skin().frame.maximised && !s.skin().frame.minimised && PressFrame(s.engine, s.skin(), x, y)) return;
  if (s.alive()) PressCaptionButton(s.engine, s.skin(), x, y);
}

// A caption button acts only when the press and the release both land on it.
void OnLeftButtonUp(Skinned& s, LPARAM lParam) {
  const int button = ReleaseCaptionPress(s.engine, s.skin(), LowX(lParam), HighY(lParam));
  if (!s.engine.captionAction || button < 1 || button > s.skin().caption.Count() || !s.skin().frame.captionShown)
    return;
  auto action = s.engine.captionAction;  // may end the window
  action(s.number, button);
}

void OnDoubleClick(Skinned& s, LPARAM lParam) {
  SkinInstance& skin = s.skin();
  if (HighY(lParam) > skin.frame.captionHeight || !skin.frame.sizable) return;
  if (const int n = MaximiseButtonPosition(skin)) s.engine.CaptionButtonAction(s.number, n);
}

// The sizing cursor of the frame stays while the mouse is on the frame.
LRESULT OnSetCursor(Skinned& s, UINT message, WPARAM wParam, LPARAM lParam) {
  POINT at{};
  if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == s.window && s.skin().frame.captionShown &&
      GetCursorPos(&at) && ScreenToClient(s.window, &at) && HoverFrame(s.engine, s.skin(), at.x, at.y))
    return TRUE;
  return CallPreviousProc(s.window, message, wParam, lParam);
}

LRESULT OnColourRequest(Skinned& s, UINT message, WPARAM wParam, LPARAM lParam) {
  if (HBRUSH brush = ColourReply(s.engine, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
    return reinterpret_cast<LRESULT>(brush);
  return CallPreviousProc(s.window, message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------
// The switch

LRESULT Dispatch(Skinned& s, UINT message, WPARAM wParam, LPARAM lParam) {
  // The caption buttons' tips, while the caption band that shows the buttons is there.
  if (s.skin().frame.captionShown) s.skin().caption.tooltip.Relay(message, wParam, lParam);
  switch (message) {
    case WM_SIZE: OnSize(s); break;
    case WM_SETTEXT: OnSetText(s, lParam); break;
    case WM_PAINT: return OnBackgroundPaint(s.engine, s.number, s.window, wParam, lParam);
    case WM_QUERYOPEN: OnQueryOpen(s); break;
    case WM_ERASEBKGND: return OnEraseBackground(wParam);
    case WM_SHOWWINDOW: OnShowWindow(s.engine, s.number, wParam == TRUE); break;
    case WM_ACTIVATEAPP: OnActivateApp(s, wParam); break;
    case WM_GETMINMAXINFO: OnMinMaxInfo(s, lParam); break;
    case WM_DRAWITEM: OnDrawItem(s, lParam); break;
    case WM_WINDOWPOSCHANGED: OnWindowPosChanged(s); break;
    case WM_NOTIFY: InvalidateOnTreeExpand(lParam); break;
    // The children still exist here; by WM_NCDESTROY their properties are gone.
    case WM_DESTROY: ReleaseChildColourReplies(s.window); break;
    case WM_NCDESTROY: return OnNcDestroy(s, message, wParam, lParam);
    case WM_PARENTNOTIFY: OnParentNotify(wParam, lParam); break;
    case WM_COMMAND: InvalidateOnContentChange(s.engine, wParam, lParam); break;
    case WM_SYSCOMMAND: return OnSysCommand(s, message, wParam, lParam);
    case WM_TIMER: OnTimer(s, wParam); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return OnColourRequest(s, message, wParam, lParam);
    case WM_MOUSEMOVE: OnMouseMove(s, lParam); break;
    case WM_LBUTTONDOWN: OnLeftButtonDown(s, lParam); break;
    case WM_LBUTTONUP: OnLeftButtonUp(s, lParam); break;
    case WM_CAPTURECHANGED: CancelCaptionPress(s.engine, s.skin()); break;
    case WM_LBUTTONDBLCLK: OnDoubleClick(s, lParam); break;
    case WM_MOUSEHOVER: OnMouseHover(s); break;
    case WM_SETCURSOR: return OnSetCursor(s, message, wParam, lParam);
    case WM_MOUSELEAVE: LeaveCaption(s.engine, s.skin()); break;
    default: break;
  }
  return CallPreviousProc(s.window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK TopLevelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    SkinEngine* engine = SkinEngine::Current();
    SkinInstance* skin = engine ? engine->InstanceOfWindow(window) : nullptr;
    if (!skin) return CallPreviousProc(window, message, wParam, lParam);
    Skinned s{*engine, GetIntProp(window, prop::kListPosition), window};
    return Dispatch(s, message, wParam, lParam);
  } catch (...) {
    // Nothing may leave a window procedure; the message goes on as if the skin were absent.
    return CallPreviousProc(window, message, wParam, lParam);
  }
}

}  // namespace tunelark
