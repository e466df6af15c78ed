// SkinInstance: everything the skin keeps for one skinned top-level window (its caption,
// caption buttons, background, status bar, hover state) and the lists of the controls it
// has taken over, one list per control family.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/tooltip_window.h"
#include "base/byte_array.h"
#include "skin/control_list.h"
#include "skin/strip_dc.h"

namespace tunelark {

using Argb = uint32_t;  // 0xAARRGGBB as GDI+ takes it

// A subroutine the application hands to the skin (caption-button handlers). Called with
// no arguments; an empty one does nothing.
using SkinHandler = std::function<void()>;

enum class CaptionButtonKind : int { Close = 0, MaximizeRestore = 1, Minimize = 2, MainMenu = 3, Help = 4, Own = 5 };

struct CaptionButton {
  int width = 26;  // 38 for the close button
  int height = 18;
  ByteArray image;        // PNG glyph
  ByteArray secondImage;  // maximize button: the restore glyph
  ByteArray thirdImage;
  CaptionButtonKind kind = CaptionButtonKind::Close;
  std::string tip;
  SkinHandler handler;    // run by kind Own
  float x = 0, y = 0, w = 0, h = 0;  // client coordinates, set by the caption layout
};

// A caption button fading into or out of the hot look.
struct FadeState {
  int button = 0;  // caption-button number, 0 = none
  int step = 0;    // 0..8
};

struct IntRect {
  int x = 0, y = 0, width = 0, height = 0;
};

struct StatusItem {
  int requestedWidth = -1;  // -1: the remaining width
  std::string text;
  ByteArray picture;
  COLORREF colour = 0;
};

// A window stretched on WM_SIZE below the status bar's owner.
struct DockedWindow {
  HWND window = nullptr;
  int top = 0;
};

enum class HotKind : int { Button = 0, Edit = 1, Trackbar = 2, Combo = 3, ListLike = 4, UpDown = 8, Header = 9 };

class SkinInstance {
 public:
  explicit SkinInstance(HWND w = nullptr) : window(w) {}
  SkinInstance(const SkinInstance&) = delete;
  SkinInstance& operator=(const SkinInstance&) = delete;

  // --- the window and its caption ---
  HWND window = nullptr;
  int captionHeight = 25;  // never below 25
  int helpButton = 0;
  int menuButton = 0;
  int hasMinimize = 0;
  int hasMaximize = 0;
  int hasClose = 1;
  int showTitle = 1;
  int captionGloss = 0;
  WNDPROC previousProc = nullptr;  // also in "Hw_hProc"
  int sizable = 1;
  int captionShown = 1;
  COLORREF titleColour = 0xFFFFFF;
  COLORREF haloColour = 0x808080;
  std::string titleFace = "宋体";
  int titleSize = 12;
  int titleBold = 1;

  // --- the window's own background picture ---
  ByteArray ownPicture;  // empty: the engine-wide picture is used
  int ownLayoutMode = 0;
  Argb ownBaseColour = 0;

  // --- caption buttons ---
  std::vector<CaptionButton> captionButtons;  // button number n is captionButtons[n - 1]
  int buttonsLeft = 0;
  int buttonsTop = 0;
  int buttonsWidth = 0;
  int buttonsHeight = 22;
  SkinHandler kind3Handler;  // main-menu button
  SkinHandler kind4Handler;  // help button
  TooltipWindow tooltip;  // tips of the caption buttons
  int tooltipToolCount = 0;
  CaptionButton* Button(int number) {
    return number >= 1 && number <= static_cast<int>(captionButtons.size()) ? &captionButtons[number - 1] : nullptr;
  }

  // --- window state ---
  int maximised = 0;
  int minimised = 0;
  int minTrackWidth = 200;
  int minTrackHeight = 150;
  int screenWidth = 0;
  int screenHeight = 0;
  int skinned = 0;

  // --- status bar ---
  int statusHeight = 0;
  IntRect statusArea;
  std::vector<StatusItem> statusItems;
  std::vector<IntRect> statusCells;
  int statusTextMode = 1;
  int statusHalo = 0;
  COLORREF statusTextColour = 0;
  COLORREF statusHaloColour = 0xFFFFFF;
  std::string statusFace;
  int statusSize = 0;
  std::vector<DockedWindow> dockedWindows;

  // --- the rendered background ---
  int renderPending = 0;
  HDC backgroundDC = nullptr;  // its bitmaps are named by "Ck_Ycjdx" and "Ck_wtjbdx"
  StripDC captionStrip;
  StripDC statusStrip;

  // --- hover ---
  int hotButton = 0;  // caption button shown hot
  HotKind hotKind = HotKind::Button;
  int hotParent = 0;
  int lastHotIndex = 0;  // list position of the control last drawn hot
  int hotIndex = 0;      // list position of the control under the mouse
  int mouseTracking = 0;
  FadeState fadeIn;
  FadeState fadeOut;
  int hoverTimer = 0;

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

 private:
  // Each slot is made by List<Record>() with the family's record type.
  std::array<std::unique_ptr<FamilyListBase>, kFamilyCount> lists_;
};

}  // namespace tunelark
