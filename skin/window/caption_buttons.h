// The caption buttons of a skinned top-level window: the row at the top right (close,
// maximise/restore, minimise, help, main menu and buttons the application adds), its
// layout and hit test, the three looks a button is drawn in (normal with a highlight of
// some intensity, hover), the 20 ms hover fade that the window procedure drives, and what
// a click on each kind of button does.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_array.h"
#include "gfx/tooltip_window.h"

namespace tunelark {

class Bitmap;
class Graphics;
class SkinEngine;
class SkinInstance;

// A subroutine the application hands to the skin (caption-button handlers). Called with
// no arguments; an empty one does nothing.
using SkinHandler = std::function<void()>;

enum class CaptionButtonKind : int { Close = 0, MaximizeRestore = 1, Minimize = 2, MainMenu = 3, Help = 4, Own = 5 };

struct CaptionButton {
  int width = 26;  // drawing width; 38 for the close button
  int height = 18;
  ByteArray image;        // the picture drawn on the button
  ByteArray secondImage;  // maximise button: the picture shown while the window is maximised
  ByteArray thirdImage;   // kept with the button, not drawn
  CaptionButtonKind kind = CaptionButtonKind::Close;
  std::string tip;
  SkinHandler handler;  // run by a click on an Own button
  float x = 0, y = 0, w = 0, h = 0;  // hit rectangle in client coordinates, set by the layout

  // The pictures decoded once (dropped whenever the bytes change); null when they do not load.
  const Bitmap* Glyph(bool second) const;
  void ForgetGlyphs();

 private:
  mutable std::shared_ptr<Bitmap> glyphs_[2];
  mutable bool tried_[2] = {false, false};
};

// A caption button fading into or out of the hot look.
struct FadeState {
  int button = 0;  // caption-button number, 0 = none
  int step = 0;    // 0..8
};

// What a skinned window keeps of its caption buttons.
struct CaptionBar {
  std::vector<CaptionButton> buttons;  // button number n is buttons[n - 1], left to right
  int left = 0;  // the strip, in client coordinates
  int top = 0;
  int width = 0;  // sum of widths + (count - 1) + 3; 27 more per added button
  int height = 22;
  SkinHandler menuHandler;  // run by the main-menu button
  SkinHandler helpHandler;  // run by the help button
  TooltipWindow tooltip;    // one tool per button, id = button number
  // Hover fade.
  int hotButton = 0;  // button shown hot, 0 = none
  FadeState fadeIn;
  FadeState fadeOut;
  bool hoverTimer = false;     // the mouse is over the strip and the 20 ms timer runs
  bool mouseTracking = false;  // a TrackMouseEvent request is outstanding
  // A press on a button: it acts only if the mouse is released on it again.
  int pressedButton = 0;    // button the left mouse button went down on, 0 = none
  bool pressedShown = false;  // drawn pressed now (the mouse is over it)

  int Count() const { return static_cast<int>(buttons.size()); }
  CaptionButton* Button(int number) {
    return number >= 1 && number <= Count() ? &buttons[static_cast<size_t>(number - 1)] : nullptr;
  }
};

// The system buttons' pictures; a picture not given stays as it is.
struct SystemButtonPictures {
  std::optional<ByteArray> minimise;
  std::optional<ByteArray> maximise;
  std::optional<ByteArray> restore;
  std::optional<ByteArray> close;
};

// Appends the system buttons Apply skin chooses: help, main menu, minimise, maximise (each
// when present), close; returns the sum of their widths.
int AddSystemCaptionButtons(CaptionBar& bar, bool help, bool menu, bool minimise, bool maximise);

// Places the strip at the window's right edge and every button in it; moves the tooltip tools.
void LayOutCaptionButtons(SkinInstance& skin);
// The button whose rectangle holds (x, y) strictly inside; 0 when none or left of the strip.
int ButtonAtPoint(const SkinInstance& skin, int x, int y);
// The first maximise/restore button, 0 when none.
int MaximiseButtonPosition(const SkinInstance& skin);
// The strip (left, top, left + width, top + height).
RECT CaptionButtonRect(const SkinInstance& skin);
// Whether (x, y) lies in the strip as the hover tracking tests it (two pixels to its left
// count).
bool PointInButtonStrip(const SkinInstance& skin, int x, int y);

// Draws button `position` into the back buffer: the hover look, or the normal look with a
// highlight of `intensity` (0..240). From a render (inRender) it draws with the render's
// graphics and copies nothing; otherwise it makes its own graphics and copies the button to
// the window.
void DrawCaptionButton(SkinEngine& engine, SkinInstance& skin, int position, Graphics* renderGraphics, bool hover,
                       int intensity);
// Every button in its normal look.
void DrawAllCaptionButtons(SkinEngine& engine, SkinInstance& skin, Graphics* renderGraphics);

// A press on the caption buttons, as a Windows button takes one: the pressed look follows
// whether the mouse is over the pressed button, and the release acts only on it.
// WM_LBUTTONDOWN: whether (x, y) was on a button (it is drawn pressed and the window takes
// the capture, so the release comes here wherever it happens).
bool PressCaptionButton(SkinEngine& engine, SkinInstance& skin, int x, int y);
// WM_MOUSEMOVE while a button is pressed: pressed look on, normal look off it.
void DragCaptionPress(SkinEngine& engine, SkinInstance& skin, int x, int y);
// WM_LBUTTONUP: the pressed button when released over it (its action is the caller's), else 0.
int ReleaseCaptionPress(SkinEngine& engine, SkinInstance& skin, int x, int y);
// WM_CAPTURECHANGED: a press that lost the mouse ends without acting.
void CancelCaptionPress(SkinEngine& engine, SkinInstance& skin);

// The hover fade, driven by the window procedure.
void TrackCaptionHover(SkinEngine& engine, SkinInstance& skin, int x, int y);  // WM_MOUSEMOVE
void StepCaptionFade(SkinEngine& engine, SkinInstance& skin);                   // WM_TIMER
void LeaveCaption(SkinEngine& engine, SkinInstance& skin);                      // WM_MOUSELEAVE

}  // namespace tunelark
