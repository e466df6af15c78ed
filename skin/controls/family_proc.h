// The window procedure every control family of the skin has: the family writes its record,
// its message handlers and its painter; this template adds what they all need.
//
//   using Message = FamilyMessage<ButtonRecord>;
//   LRESULT Dispatch(Message& c);   // the family's own switch, one handler a case
//   constexpr WNDPROC ButtonProc = FamilyProc<ButtonRecord, Dispatch>;
//
// - The control's links are read once per message, and its engine, instance and record found
//   from them; the family's handlers get them together with the message. A message for a
//   control whose links name no record of the family (the engine gone, the instance removed)
//   goes straight on to the control's own procedure.
// - Nothing thrown leaves it; a paint that failed still validates the control (else it would
//   be asked to paint for ever); any other message that failed answers 0.
// - WM_NCDESTROY never reaches the family: the colour replies' brush and bitmap go, the
//   record lets go of the window (its handle may be given to a new control, which must be
//   taken afresh), the record's own Forget() runs where it has one, every property the skin
//   set on the window is removed, and the message goes on to the window's own procedure.
#pragma once
#include <windows.h>

#include <cstring>

#include "skin/controls/control_paint.h"
#include "skin/controls/hover.h"
#include "skin/subclass.h"

namespace tunelark {

// One message for a taken control, with what its links lead to.
//
// Records never move once added, but a call that can re-enter (SendMessage, Chain, a
// BeginPaint that sends WM_NCPAINT, anything that runs another window's code) can destroy
// the control's top-level window and with it the instance that holds the lists: after such
// a call use the record only through Refind().
template <typename Record>
struct FamilyMessage {
  FamilyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const LinkKeys& linkKeys)
      : w(window), m(message), wp(wParam), lp(lParam), keys(&linkKeys) {
    previous = Resolve().previous;
  }

  HWND w;
  UINT m;
  WPARAM wp;
  LPARAM lp;
  const LinkKeys* keys;
  // While a family's handler runs (a record was found), engine and skin are set too.
  SkinEngine* engine = nullptr;
  SkinInstance* skin = nullptr;
  int instance = 0;   // "Hw_FuID"
  int position = 0;   // "Hw_lbID"
  Record* record = nullptr;  // null: the links name nothing (any more)
  WNDPROC previous = nullptr;  // "Hw_hProc", read once: the skin never replaces it

  // The message (or another) to the control's own procedure.
  LRESULT Chain() const { return Chain(m, wp, lp); }
  LRESULT Chain(UINT message, WPARAM wParam, LPARAM lParam) const {
    return previous ? CallWindowProcA(previous, w, message, wParam, lParam)
                    : DefWindowProcA(w, message, wParam, lParam);
  }
  // The record looked up again after a call that can re-enter; null when it is gone.
  Record* Refind() {
    Resolve();
    return record;
  }

 private:
  ControlLink Resolve() {
    const ControlLink link = ReadControlLink(w, *keys);
    instance = link.instance;
    position = link.position;
    engine = SkinEngine::Current();
    skin = engine ? engine->Instance(instance) : nullptr;
    record = engine ? engine->template RecordOf<Record>(w, link) : nullptr;
    return link;
  }
};

template <typename Record>
LRESULT TearDownControl(HWND w, WPARAM wp, LPARAM lp, const LinkKeys& keys) {
  FamilyMessage<Record> c(w, WM_NCDESTROY, wp, lp, keys);
  try {
    ReleaseColourReplyObjects(w);
    if (c.record) {
      if constexpr (requires { c.record->Forget(); }) c.record->Forget();
      c.record->window = nullptr;
    }
  } catch (...) {
    // The system's own teardown below runs whatever happened here.
  }
  // The properties go before the window's own procedure sees its last message. A transparent
  // control's procedure below this one (a container on a transparent control) keeps the
  // links of its own keys until its turn.
  RemoveSkinProps(w, std::strcmp(keys.previousProc, prop::kTransparentProc) != 0 &&
                         GetPropA(w, prop::kTransparentProc) != nullptr);
  return c.Chain();
}

template <typename Record, LRESULT (*dispatch)(FamilyMessage<Record>&), const LinkKeys& keys = kSkinLinkKeys>
LRESULT CALLBACK FamilyProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCDESTROY) return TearDownControl<Record>(w, wp, lp, keys);
  try {
    FamilyMessage<Record> c(w, m, wp, lp, keys);
    return c.record ? dispatch(c) : c.Chain();
  } catch (...) {
    return m == WM_PAINT ? DefWindowProcA(w, m, wp, lp) : 0;
  }
}

// A paint scope was begun (BeginPaint can re-enter): true when it has a canvas and the record
// is still there; when the record went, nothing of the scope reaches the screen.
template <typename Record>
bool ReadyToPaint(FamilyMessage<Record>& c, ControlPaint& paint) {
  if (!paint.ok()) return false;
  if (c.Refind()) return true;
  paint.Discard();
  return false;
}

// WM_MOUSEMOVE and WM_MOUSELEAVE of a family whose record keeps a `hot` flag: the mouse
// coming onto the control (of hover family `kind`) sets it and paints, leaving clears it and
// paints; the message then goes on to the control's own procedure.
template <typename Record>
LRESULT OnHoverChange(FamilyMessage<Record>& c, HotKind kind, void (*paint)(FamilyMessage<Record>&)) {
  if (c.m == WM_MOUSELEAVE) {
    HoverLeave(*c.skin);
    c.record->hot = 0;
    paint(c);
  } else if (HoverMove(*c.skin, c.w, c.position, kind)) {
    c.record->hot = 1;
    paint(c);
  }
  return c.Chain();
}

// --- controls the skin paints whole, frame included --------------------------------------

// One paint of a control that reads a state and paints its whole window rectangle (frame
// included) to its window DC: the state is read first (reading sends messages), the record
// found again after.
template <typename Record, typename State>
void PaintWholeControl(FamilyMessage<Record>& c, State (*read)(HWND),
                       void (*paint)(Canvas&, const Record&, const State&, const SkinOptions&)) {
  const State state = read(c.w);
  if (!c.Refind()) return;
  ControlPaint scope(c.w, PaintTarget::WholeWindow);
  if (scope.ok()) paint(scope.canvas(), *c.record, state, c.engine->options);  // GetWindowDC sends nothing
}

// The switch of a control painted whole, on both WM_PAINT and WM_NCPAINT: WM_MOVE paints it
// before the system's own handling, WM_PAINT validates the update region then paints it,
// WM_NCPAINT paints it unless a WM_PAINT follows at once and never lets the system draw the
// frame, WM_ERASEBKGND erases nothing; every other message goes on to the control's own
// procedure. paintWhole(c) draws the whole window once.
template <typename Record>
LRESULT DispatchWholePaint(FamilyMessage<Record>& c, void (*paintWhole)(FamilyMessage<Record>&)) {
  switch (c.m) {
    case WM_MOVE:
      paintWhole(c);
      return c.Chain();
    case WM_PAINT:
      ValidateInsideBeginPaint(c.w);
      paintWhole(c);
      return 0;
    case WM_ERASEBKGND: return EraseNothing(c.wp);
    case WM_NCPAINT:
      if (!PaintFollows(c.w)) paintWhole(c);
      return 1;
    default: return c.Chain();
  }
}

}  // namespace tunelark
