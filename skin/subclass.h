// Subclassing as every part of the skin does it: the window procedure is replaced, the
// one it replaced is kept in the window's record and in "Hw_hProc", and every skin
// procedure ends by chaining to it unless it answers the message itself. The skin never
// restores a replaced procedure.
//
// A family installer is written with these pieces:
//
//   void TakeButtons(SkinEngine& engine, int instance, HWND parent) {
//     SkinInstance* skin = engine.Instance(instance);
//     ForEachChildOfClass(parent, "Button", [&](HWND child) {
//       if (!IsPushButton(child)) return;
//       TakeControl(*skin, instance, child, ButtonProc, ButtonRecord{});
//     });
//   }
//
// and the family's window procedure is the template of skin/controls/family_proc.h.
#pragma once
#include <windows.h>

#include <utility>

#include "skin/skin_instance.h"
#include "skin/window_props.h"

namespace tunelark {

// Installs proc as the window's procedure; returns the procedure it replaced.
WNDPROC ReplaceWindowProc(HWND window, WNDPROC proc);

// Chains a message to the procedure kept in the window's "Hw_hProc" (or the given key;
// DefWindowProcA when the window has none) and returns its result.
LRESULT CallPreviousProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         const char* key = prop::kPreviousProc);

// Subclasses a skinned top-level window with the engine's top-level procedure: the
// replaced procedure goes to instance.previousProc and "Hw_hProc", the instance number to
// "Hw_lbID".
void SubclassTopLevel(SkinInstance& instance, int number, WNDPROC topLevelProc);

// Whether an installer must leave the control alone: its procedure is already familyProc, or
// a family of the skin has taken it ("Hw_hProc" set). Taking it again would store a skin
// procedure as its own previous one and recurse.
inline bool AlreadySubclassed(HWND control, WNDPROC familyProc) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)) == familyProc ||
         GetPropA(control, prop::kPreviousProc) != nullptr;
}
// The same, and the control is not one made transparent ("Kj_hProc" set): for the control
// families, which never paint a control another skin procedure paints.
inline bool TakenBySkin(HWND control, WNDPROC familyProc) {
  return AlreadySubclassed(control, familyProc) || GetPropA(control, prop::kTransparentProc) != nullptr;
}

// Deletes the brush and bitmap the colour replies left in the control's properties
// ("Kj_dxjb", "Kj_wtjb") and clears the properties: for a taken control's WM_NCDESTROY,
// or its parent's WM_DESTROY.
void ReleaseColourReplyObjects(HWND control);

// Removes every property the skin may have set on the window (what it still needs of them
// must be read first): for the window's last WM_NCDESTROY. With keepTransparentLinks the
// transparent controls' three links stay, for their procedure further down the chain.
void RemoveSkinProps(HWND window, bool keepTransparentLinks = false);

// Calls f(child) for every direct child of parent of the given window class.
template <typename F>
void ForEachChildOfClass(HWND parent, const char* className, F&& f) {
  for (HWND child = FindWindowExA(parent, nullptr, className, nullptr); child;
       child = FindWindowExA(parent, child, className, nullptr))
    f(child);
}

// Takes one control into its family's list of the instance: the record (window filled in)
// gets the next position, the control gets the position and the instance number as
// properties, then familyProc replaces its procedure and the replaced one goes into the
// record and the previous-procedure property. Returns the position.
template <typename Record>
int TakeControl(SkinInstance& instance, int instanceNumber, HWND control, WNDPROC familyProc, Record record = {},
                const LinkKeys& keys = kSkinLinkKeys) {
  FamilyList<Record>& list = instance.List<Record>();
  record.window = control;
  int position = list.Add(std::move(record));
  SetIntProp(control, keys.position, position);
  SetIntProp(control, keys.instance, instanceNumber);
  WNDPROC previous = ReplaceWindowProc(control, familyProc);
  list.At(position)->previousProc = previous;
  SetHandleProp(control, keys.previousProc, previous);
  return position;
}

}  // namespace tunelark
