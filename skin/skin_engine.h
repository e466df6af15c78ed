// SkinEngine: the one skin engine of the program. It owns the table of skin instances
// (one SkinInstance per skinned top-level window, numbered from 1), the engine-wide
// options and background settings, GDI+ start and end, the program icon and the registry
// of background-snapshot device contexts. Windows are linked to their skin state through
// the properties of skin/window_props.h.
//
// Reaching the engine from a window procedure: the skin's window procedures are plain
// static functions; they reach the engine through the process-wide pointer
// SkinEngine::Current() (the program makes exactly one engine), and their own skin state
// through the window's properties ("Hw_lbID", "Hw_FuID", "Hw_hProc").
//
// All of it runs on the thread that owns the skinned windows.
//
// The core's units:
//   skin_engine.h        this engine: instances, options, start and end, lookups, removal
//   skin_instance.h      SkinInstance: one skinned top-level window and its family lists
//   control_list.h       Family, ControlRecord, FamilyList<Record>: a control family's list
//   container_record.h   the container family's record (the core reads its tint)
//   window_props.h       the property keys and typed get/set
//   subclass.h           replacing and chaining window procedures, TakeControl
//   snapshot_registry.h  memory DCs handed out by background snapshots
//   background_snapshot.h  the background behind a control, backdrop bitmaps
//   skin_colour.h, skin_paths.h, skin_geometry.h  colours, outlines, rectangles
//   skin_images.h        the embedded pictures; picture_tools.h  sampler and fade
// and the skinned top-level window's units in skin/window/: top_level_proc.h (its window
// procedure), window_background.h, caption_buttons.h, caption_title.h, status_bar.h,
// drag_resize.h and window_placement.h.
//
// GDI+ ends with the engine (End or the destructor), nowhere else: the windows' kept
// pictures, glyphs and fonts are dropped first.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/gdi_handles.h"
#include "gfx/gdiplus_session.h"
#include "base/byte_array.h"
#include "skin/container_record.h"
#include "skin/control_list.h"
#include "skin/skin_instance.h"
#include "skin/snapshot_registry.h"
#include "skin/window_props.h"

namespace tunelark {

// Engine-wide options (see SkinEngine::SetSkinOptions).
struct SkinOptions {
  int drawChildControls = 1;  // child controls are coloured and drawn by their families
  int backdropAlpha = 160;    // alpha of the white layer behind edit-like controls
  int alphaGiven = 0;         // the colour replies act only while this is 1
  COLORREF accentColour = 0xDDCA22;
  int controlFrames = 1;      // trackbars draw their rounded frame
  int firstSizePending = 1;   // the first WM_SIZE of a skinned window does not re-render
};

// Engine-wide background picture, used by windows without a picture of their own.
struct BackgroundSettings {
  COLORREF baseColour = 0;  // GetSysColor(COLOR_BTNFACE) once the engine starts
  int layoutMode = 0;       // 0..4
  ByteArray picture;        // encoded picture; empty = none
};

// The arguments of Apply skin; an empty optional is an argument not given.
struct ApplySkinArgs {
  int captionHeight = 0;  // below 25 becomes 25
  std::optional<int> captionShown;  // 1
  std::optional<int> sizable;       // 1
  std::optional<int> helpButton;    // 0
  std::optional<int> menuButton;    // 0
  std::optional<int> showTitle;     // 1
  std::optional<int> captionGloss;  // 0
  int statusHeight = 0;             // 0 = no status bar
  std::optional<std::vector<StatusItem>> statusItems;
  ByteArray picture;                // the window's own picture; empty = the engine-wide one
  std::optional<int> ownLayoutMode;  // the engine-wide layoutMode
};

class SkinEngine {
 public:
  // The first engine made becomes Current() until it is destroyed.
  SkinEngine();
  ~SkinEngine();  // releases every instance's GDI objects and ends the engine
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;

  static SkinEngine* Current();

  // --- start and end ---
  // Starts GDI+ (version 1), loads the program icon (resource 129, else "DEFAULT_ICON")
  // and sets the options to their start values. Returns whether GDI+ runs.
  bool Start();
  // Destroys the program icon and shuts GDI+ down.
  void End();
  // Shuts GDI+ down once; later calls do nothing until the next Start.
  void ShutdownGdiplus();
  bool GdiplusRunning() const { return gdiplus_ && gdiplus_->started(); }
  HICON programIcon() const { return programIcon_.get(); }

  // --- options ---
  SkinOptions options;
  BackgroundSettings background;
  // drawChildControls = the first argument; backdropAlpha = the given alpha or 160 and
  // alphaGiven = whether one was given; controlFrames = the given value or 1. Returns
  // controlFrames.
  int SetSkinOptions(int drawChildControls, std::optional<int> backdropAlpha = std::nullopt,
                     std::optional<int> controlFrames = std::nullopt);

  // Border width of skinned windows (Apply skin sets 3).
  int borderWidth = 0;
  // Runs the action of a caption button (instance number, button number). The top-level
  // window acts on a released mouse button only while this is set.
  std::function<void(int instance, int button)> captionAction;

  // --- applying the skin and the window background ---
  // Skins a top-level window: its instance (caption, caption buttons, title, picture,
  // status bar, tooltips), every standard control directly inside it through the family
  // installers, and its window procedure. Returns the instance number; a window already
  // skinned is left as it is and its number returned.
  int ApplySkin(HWND window, const ApplySkinArgs& args = {});
  // The engine-wide picture (encoded bytes), base colour, accent colour and layout mode.
  // No base colour: the colour sampler's colour of the picture; accent -1: the base colour,
  // no accent: 0xDDCA22; no layout mode: 4. With neither picture nor colour the picture is
  // cleared and the base colour is the button face colour; a colour without a picture
  // changes nothing. Every visible skinned window is rendered again.
  void SetBackground(const ByteArray& picture, std::optional<COLORREF> baseColour = std::nullopt,
                     std::optional<COLORREF> accentColour = std::nullopt, std::optional<int> layoutMode = std::nullopt);
  // The same with a picture file (decoded, and for layout modes 2-4 kept as PNG).
  void SetBackgroundFile(const std::string& fileName, std::optional<COLORREF> baseColour = std::nullopt,
                         std::optional<COLORREF> accentColour = std::nullopt,
                         std::optional<int> layoutMode = std::nullopt);
  COLORREF BaseColour() const { return background.baseColour; }
  // A skinned window's own picture (layout mode kept when not given). 1 when done; 0 for a
  // window that is not skinned or bytes that are no picture (empty or undecodable), which
  // leave the window's picture and layout mode as they were.
  int SetWindowBackground(HWND window, const ByteArray& picture, std::optional<int> layoutMode = std::nullopt);
  // Renders the instance's background (and presents it); copies the back buffer to the window.
  void RenderBackground(int instance, bool present = true);
  void PresentBackground(int instance, HDC paintDC = nullptr);

  // --- caption buttons, title, status bar ---
  // Adds a button (26 wide, the picture, the tip, the handler) in front of the others.
  // 1 when added, 0 for a window that is not skinned.
  int AddCaptionButton(HWND window, const ByteArray& picture, const std::string& tip, SkinHandler handler);
  // New pictures for the minimise, maximise/restore and close buttons. 1 when done.
  int SetSystemButtonPictures(HWND window, const SystemButtonPictures& pictures);
  // The routines run by the help button (kind 4) and the main-menu button (kind 3).
  int SetHelpHandler(HWND window, SkinHandler handler);
  int SetMenuHandler(HWND window, SkinHandler handler);
  // What a click on caption button `button` of the instance does (close, maximise or
  // restore, minimise, or the button's handler). Numbers outside the list do nothing.
  void CaptionButtonAction(int instance, int button);
  // The caption title's face, size, colours and boldness; redraws the title. 1 when done.
  int SetTitleStyle(HWND window, const TitleStyleArgs& style = {});
  // Status bar of an instance: height and items (none given: one item over the whole bar).
  void SetStatusItems(int instance, int height, const std::vector<StatusItem>* items = nullptr);
  // Item `position` (from 1) gets a new text, and picture and colour when given; only that
  // cell is redrawn. 1 when done, 0 for a position outside the items.
  int SetStatusItem(HWND window, int position, const std::string& text, const std::optional<ByteArray>& picture = {},
                    std::optional<COLORREF> colour = std::nullopt);
  int SetStatusStyle(HWND window, const StatusStyleArgs& style);
  // A window kept stretched between `top` and the status bar on every size change.
  int AddDockedWindow(HWND window, HWND docked, int top);

  // Run on a new thread (SHCreateThread) each time the program loses activation; null =
  // nothing. The application sets it (the working-set trimmer).
  LPTHREAD_START_ROUTINE deactivationRoutine = nullptr;

  // --- skin instances (numbered from 1; 0 = none) ---
  // Appends an instance and returns its number.
  int AddInstance(std::unique_ptr<SkinInstance> instance);
  int InstanceCount() const { return static_cast<int>(instances_.size()); }
  // The instance with this number, null outside the table.
  SkinInstance* Instance(int number);
  // Number of the instance whose window is `window`; 0 when none.
  int FindSkinInstance(HWND window) const;
  // Instance of the nearest skinned ancestor of `control` (the control itself is not
  // tested); 0 when there is none.
  int FindOwningInstance(HWND control) const;
  // Position of `window` in the instance's container list; 0 when absent.
  int FindContainer(int instance, HWND window);
  // Walks the ancestors of `control` up to (not including) `stop`; returns the container
  // list position of the first one that is a container painting itself; 0 when none.
  int FindPaintingContainerAbove(int instance, HWND control, HWND stop);
  // Removes the instance of `destroyedWindow` (if any) with its back buffers and colour
  // reply objects, then renumbers every remaining instance's window and controls.
  void RemoveInstance(HWND destroyedWindow);
  // The instance of a skinned top-level window as its "Hw_lbID" names it; null when the
  // window is not one.
  SkinInstance* InstanceOfWindow(HWND window);

  // The family record a skinned control's links ("Hw_FuID"/"Hw_lbID", or the keys given)
  // name, when it still holds the control; null otherwise.
  template <typename Record>
  Record* RecordOf(HWND control, const ControlLink& link) {
    SkinInstance* instance = Instance(link.instance);
    Record* record = instance ? instance->List<Record>().At(link.position) : nullptr;
    return record && record->window == control ? record : nullptr;
  }
  template <typename Record>
  Record* RecordOf(HWND control, const LinkKeys& keys = kSkinLinkKeys) {
    return RecordOf<Record>(control, ReadControlLink(control, keys));
  }

  // Background pictures decoded once for all windows.
  DecodedPictures& decodedPictures() { return decodedPictures_; }

  // --- background snapshot device contexts ---
  HDC RegisterSnapshotDC(OffscreenDC surface) { return snapshots_.Register(std::move(surface)); }
  void ReleaseSnapshotDC(HDC dc) { snapshots_.Release(dc); }
  const SnapshotRegistry& snapshots() const { return snapshots_; }

 private:
  void ReleaseInstanceGdi(SkinInstance& instance);
  void Renumber();

  std::vector<std::unique_ptr<SkinInstance>> instances_;
  SnapshotRegistry snapshots_;
  DecodedPictures decodedPictures_;
  std::optional<GdiplusSession> gdiplus_;  // empty until Start
  IconHandle programIcon_;
};

}  // namespace tunelark
