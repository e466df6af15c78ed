// SkinInstance: everything the skin keeps for one skinned top-level window and the lists
// of the controls it has taken over, one list per control family. Each concern of the
// window keeps its own state in its own part:
//   frame     caption band, window style flags, maximised/minimised, size limits
//   title     the caption title's style (skin/window/caption_title.h)
//   caption   the caption buttons, their tooltip and the hover fade (skin/window/caption_buttons.h)
//   picture   the window's own background picture; back: the rendered background
//             (skin/window/window_background.h)
//   status    the status bar (skin/window/status_bar.h); docked: windows stretched on WM_SIZE
// and the hover bookkeeping the control families share (hotKind, hotIndex, ...).
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "skin/control_list.h"
#include "skin/window/caption_buttons.h"
#include "skin/window/caption_title.h"
#include "skin/window/status_bar.h"
#include "skin/window/window_background.h"

namespace tunelark {

using Argb = uint32_t;  // 0xAARRGGBB as GDI+ takes it

enum class HotKind : int { Button = 0, Edit = 1, Trackbar = 2, Combo = 3, ListLike = 4, UpDown = 8, Header = 9 };

// The window's frame: its caption band and what the skin does with the window as a whole.
struct FrameState {
  int captionHeight = 25;  // never below 25
  bool captionShown = true;  // caption (title, icon, buttons) drawn and reacting to the mouse
  bool showTitle = true;
  bool captionGloss = false;
  bool sizable = true;  // sized by its edges; a double click on the caption maximises
  bool helpButton = false;
  bool menuButton = false;
  bool hasMinimize = false;  // the style had WS_MINIMIZEBOX
  bool hasMaximize = false;  // the style had WS_MAXIMIZEBOX
  bool maximised = false;
  bool minimised = false;
  int minTrackWidth = 200;
  int minTrackHeight = 150;
  int screenWidth = 0;  // the screen when the skin was applied
  int screenHeight = 0;
};

class SkinInstance {
 public:
  explicit SkinInstance(HWND w = nullptr) : window(w) {}
  SkinInstance(const SkinInstance&) = delete;
  SkinInstance& operator=(const SkinInstance&) = delete;

  HWND window = nullptr;
  WNDPROC previousProc = nullptr;  // also in "Hw_hProc"
  bool skinned = false;  // Apply skin has finished

  FrameState frame;
  TitleStyle title;
  CaptionBar caption;
  WindowPicture picture;
  BackBuffer back;
  StatusBar status;
  std::vector<DockedWindow> docked;

  // --- hover bookkeeping shared by the control families ---
  HotKind hotKind = HotKind::Button;  // family of the control last drawn hot
  HWND hotParent = nullptr;  // the parent of the edit last drawn hot
  int lastHotIndex = 0;  // list position of the control last drawn hot
  int hotIndex = 0;      // list position of the control under the mouse

  // --- the controls taken over, one list per family ---
  template <typename Record>
  FamilyList<Record>& List() {
    auto& slot = lists_[static_cast<size_t>(Record::kFamily)];
    if (!slot) slot = std::make_unique<FamilyList<Record>>();
    auto* list = dynamic_cast<FamilyList<Record>*>(slot.get());
    if (!list) std::abort();  // two record types claim one family: a build mistake
    return *list;
  }
  // The list of a family as far as the engine needs it; null while the family holds nothing.
  const FamilyListBase* ListOf(Family family) const { return lists_[static_cast<size_t>(family)].get(); }
  int CountOf(Family family) const {
    const FamilyListBase* list = ListOf(family);
    return list ? list->Count() : 0;
  }

  // The back buffer's DC (null before the first render).
  HDC backgroundDC() const { return back.dc(); }
  // Drops every object GDI+ made for this window (run before GDI+ shuts down).
  void ForgetGdiplus();

 private:
  // Each slot is made by List<Record>() with the family's record type.
  std::array<std::unique_ptr<FamilyListBase>, kFamilyCount> lists_;
};

}  // namespace tunelark
