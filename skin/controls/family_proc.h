// The window procedure every control family of the skin has: the family writes its record,
// its message handlers and its painter; this template adds what they all need.
//
//   LRESULT Dispatch(HWND w, UINT m, WPARAM wp, LPARAM lp);   // the family's own switch
//   constexpr WNDPROC ButtonProc = FamilyProc<ButtonRecord, Dispatch>;
//
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
#include "skin/subclass.h"

namespace tunelark {

// The record the control's link properties (of the given keys) name, when it still holds
// the control.
template <typename Record>
Record* LinkedRecord(HWND control, const LinkKeys& keys) {
  SkinEngine* engine = SkinEngine::Current();
  SkinInstance* skin = engine ? engine->Instance(GetIntProp(control, keys.instance)) : nullptr;
  Record* record = skin ? skin->template List<Record>().At(GetIntProp(control, keys.position)) : nullptr;
  return record && record->window == control ? record : nullptr;
}

template <typename Record>
LRESULT TearDownControl(HWND w, WPARAM wp, LPARAM lp, const LinkKeys& keys) {
  try {
    ReleaseColourReplyObjects(w);
    if (Record* record = LinkedRecord<Record>(w, keys)) {
      if constexpr (requires { record->Forget(); }) record->Forget();
      record->window = nullptr;
    }
  } catch (...) {
    // The system's own teardown below runs whatever happened here.
  }
  // The properties go before the window's own procedure sees its last message. A transparent
  // control's procedure below this one (a container on a transparent control) keeps the
  // links of its own keys until its turn.
  const WNDPROC previous = GetHandleProp<WNDPROC>(w, keys.previousProc);
  RemoveSkinProps(w, std::strcmp(keys.previousProc, prop::kTransparentProc) != 0 &&
                         GetPropA(w, prop::kTransparentProc) != nullptr);
  return previous ? CallWindowProcA(previous, w, WM_NCDESTROY, wp, lp) : DefWindowProcA(w, WM_NCDESTROY, wp, lp);
}

template <typename Record, Dispatcher dispatch, const LinkKeys& keys = kSkinLinkKeys>
LRESULT CALLBACK FamilyProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCDESTROY) return TearDownControl<Record>(w, wp, lp, keys);
  try {
    return dispatch(w, m, wp, lp);
  } catch (...) {
    return m == WM_PAINT ? DefWindowProcA(w, m, wp, lp) : 0;
  }
}

}  // namespace tunelark
