// The window properties that link a window to its skin state: the keys, typed get/set,
// and the link a family window procedure reads to reach its record.
//
// Every value is 32 bits wide and a missing property reads as 0.
#pragma once
#include <windows.h>

#include <cstdint>

namespace tunelark {

namespace prop {
// "Hw_": the skin's own links.
inline constexpr char kListPosition[] = "Hw_lbID";    // top-level window: instance number; control: list position
inline constexpr char kInstance[] = "Hw_FuID";        // control or container: its skin instance number
inline constexpr char kPreviousProc[] = "Hw_hProc";   // every subclassed window but transparent controls
// "Kj_": per-control colour state and transparent controls.
inline constexpr char kTransparentPosition[] = "Kj_lbID";
inline constexpr char kTransparentInstance[] = "Kj_FuID";
inline constexpr char kTransparentProc[] = "Kj_hProc";
inline constexpr char kTextColour[] = "Kj_Ztys";      // COLORREF
inline constexpr char kReplyBrush[] = "Kj_dxjb";      // brush last handed back in a colour reply
inline constexpr char kReplyBitmap[] = "Kj_wtjb";     // bitmap under a pattern reply brush
// "Ck_": the top-level window's back-buffer bitmaps.
inline constexpr char kOriginalBackBitmap[] = "Ck_Ycjdx";  // bitmap the back-buffer DC held when made
inline constexpr char kBackBitmap[] = "Ck_wtjbdx";         // background bitmap now selected there
// "Wxk_" and "Mb_": background owners.
inline constexpr char kBackgroundOwner[] = "Wxk_Zpf";  // 1 marks a background owner
inline constexpr char kOwnerDC[] = "Wxk_Cj";           // the owner's background device context
inline constexpr char kNearestOwner[] = "Mb_zpf";      // nearest ancestor that is a background owner
// Every key above: what a window's teardown removes (Windows asks that a window's properties
// be gone before it is, and each one holds a reference on a global atom).
inline constexpr const char* kAllKeys[] = {
    kListPosition, kInstance,   kPreviousProc,        kTransparentPosition, kTransparentInstance,
    kTransparentProc, kTextColour, kReplyBrush,       kReplyBitmap,         kOriginalBackBitmap,
    kBackBitmap,   kBackgroundOwner, kOwnerDC,        kNearestOwner};
}  // namespace prop

// The six link keys ("Hw_lbID", "Hw_FuID", "Hw_hProc", "Kj_lbID", "Kj_FuID", "Kj_hProc")
// are also kept in the process (skin/link_table.h) and read from there first.
intptr_t ReadProp(HWND window, const char* key);
void WriteProp(HWND window, const char* key, intptr_t value);

inline int GetIntProp(HWND window, const char* key) { return static_cast<int>(ReadProp(window, key)); }
inline void SetIntProp(HWND window, const char* key, int value) { WriteProp(window, key, value); }
template <typename Handle>
Handle GetHandleProp(HWND window, const char* key) {
  return reinterpret_cast<Handle>(ReadProp(window, key));
}
template <typename Handle>
void SetHandleProp(HWND window, const char* key, Handle value) {
  WriteProp(window, key, reinterpret_cast<intptr_t>(value));
}

// The property keys a family links its controls with: "Hw_lbID"/"Hw_FuID"/"Hw_hProc" for
// every family but the transparent controls, which use "Kj_lbID"/"Kj_FuID"/"Kj_hProc".
struct LinkKeys {
  const char* position;
  const char* instance;
  const char* previousProc;
};
inline constexpr LinkKeys kSkinLinkKeys{prop::kListPosition, prop::kInstance, prop::kPreviousProc};
inline constexpr LinkKeys kTransparentLinkKeys{prop::kTransparentPosition, prop::kTransparentInstance,
                                               prop::kTransparentProc};

// What a skinned control's links (of the given keys) say about it.
struct ControlLink {
  int instance = 0;  // "Hw_FuID"
  int position = 0;  // "Hw_lbID"
  WNDPROC previous = nullptr;  // "Hw_hProc"
};
// All three read at once: one look into the process's table, the properties where it holds
// none of them.
ControlLink ReadControlLink(HWND control, const LinkKeys& keys = kSkinLinkKeys);

}  // namespace tunelark
