#include "skin/subclass.h"

#include "skin/link_table.h"

namespace tunelark {

WNDPROC ReplaceWindowProc(HWND window, WNDPROC proc) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}

LRESULT CallPreviousProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* key) {
  WNDPROC previous = GetHandleProp<WNDPROC>(window, key);
  // The window's handle may be given to a new window once this message is through. A second
  // skin procedure below this one finds its link in the property, which lives until then.
  if (message == WM_NCDESTROY) link_table::Forget(window);
  if (!previous) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

void SubclassTopLevel(SkinInstance& instance, int number, WNDPROC topLevelProc) {
  instance.previousProc = ReplaceWindowProc(instance.window, topLevelProc);
  SetHandleProp(instance.window, prop::kPreviousProc, instance.previousProc);
  SetIntProp(instance.window, prop::kListPosition, number);
}

void RemoveSkinProps(HWND window, bool keepTransparentLinks) {
  link_table::Forget(window);
  for (const char* key : prop::kAllKeys) {
    const bool transparentLink = key == kTransparentLinkKeys.position || key == kTransparentLinkKeys.instance ||
                                 key == kTransparentLinkKeys.previousProc;
    if (!keepTransparentLinks || !transparentLink) RemovePropA(window, key);
  }
}

void ReleaseColourReplyObjects(HWND control) {
  if (!control) return;
  // DeleteObject leaves stock objects (the null brush of a clear reply) alone.
  for (const char* key : {prop::kReplyBitmap, prop::kReplyBrush}) {
    if (HGDIOBJ object = GetHandleProp<HGDIOBJ>(control, key)) {
      DeleteObject(object);
      RemovePropA(control, key);
    }
  }
}

}  // namespace tunelark
