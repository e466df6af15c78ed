// What every control family paints with: a paint scope that composes the control off screen
// over the skin background behind it and reaches the screen in one copy, and the canvas the
// families' painters take.
//
//   LRESULT OnPaint(EditMessage& c) {
//     ControlPaint paint(c.w, PaintTarget::BeginPaint);
//     if (paint.ok() && c.Refind()) PaintEdit(paint.canvas(), *c.record, StateOf(c.w));
//     return 0;  // the copy to the screen and EndPaint happen as `paint` goes
//   }
//
// (BeginPaint may send the control WM_NCPAINT and WM_ERASEBKGND, which run other code: the
// record is looked up again after it; see skin/controls/family_proc.h.)
#pragma once
#include <windows.h>

#include <optional>

#include "gfx/dib_graphics.h"
#include "gfx/gdi_handles.h"
#include "gfx/graphics.h"
#include "gfx/offscreen_dc.h"
#include "skin/background_snapshot.h"
#include "skin/skin_engine.h"

namespace tunelark {

// The control's record in its family list of its instance; null when its properties name
// nothing (an engine gone, an instance removed).
template <typename Record>
Record* FindRecord(HWND control) {
  SkinEngine* engine = SkinEngine::Current();
  return engine ? engine->RecordOf<Record>(control) : nullptr;
}

// An off-screen picture being composed: a memory DC (32 bits, top-down) of width x height
// holding the background behind the control, and GDI+ graphics on it. Painters draw here;
// tests make one over any memory DC and sample its pixels.
class Canvas {
 public:
  Canvas(HDC dc, int width, int height);
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // GDI+ graphics on dc(), made on first use. Before GDI drawing on dc() after GDI+ drawing,
  // call Flush().
  Graphics& graphics();
  // GDI+ graphics that draw straight into the pixels of the top-down 32-bit DIB section
  // selected into dc() (as 32bppRGB), made on first use: under Wine, graphics on a DC take
  // every fill through the DC and cost about three times as much. graphics() when dc()
  // holds no DIB section. A canvas has one graphics: whichever of the two was asked for
  // first serves both calls.
  Graphics& pixelGraphics();
  void Flush();
  // White at alpha (0..255) over the whole canvas: the translucent wash behind a control's
  // own drawing.
  void Wash(int alpha);

 private:
  HDC dc_;
  int width_, height_;
  std::optional<DibGraphics> graphics_;  // whichever of the two was asked for first
};

// Where a paint scope's picture goes.
enum class PaintTarget {
  BeginPaint,  // BeginPaint / EndPaint on the control (WM_PAINT)
  WindowDC,    // GetDC / ReleaseDC on the control (hover and press redraws)
  Given,       // a device context the caller hands over (WM_DRAWITEM, WM_PRINTCLIENT)
  WholeWindow, // GetWindowDC / ReleaseDC: the window rectangle, borders included; `area` is
               // then in window coordinates and defaults to the whole window
};

// One paint of a control: begins the target, snapshots the skin background behind the
// control's client area (or `area`, in client coordinates) into a registered memory DC,
// lets the painter compose on canvas(), then on Present() or destruction copies the whole
// picture to the target once (BitBlt, or TransparentBlt keyed on magenta after
// KeyMagenta()), releases the snapshot through the engine and ends the target.
// A control with no skinned ancestor composes over COLOR_BTNFACE instead, unless the scope
// is made with Backdrop::SkinOnly: it then has no canvas (ok() is false) and copies nothing.
enum class Backdrop { SkinOrDialogColour, SkinOnly };
class ControlPaint {
 public:
  ControlPaint(HWND control, PaintTarget target, HDC given = nullptr, const RECT* area = nullptr,
               Backdrop backdrop = Backdrop::SkinOrDialogColour);
  ~ControlPaint();
  ControlPaint(const ControlPaint&) = delete;
  ControlPaint& operator=(const ControlPaint&) = delete;

  Canvas& canvas() { return *canvas_; }
  bool ok() const { return canvas_.has_value(); }
  HDC screen() const { return screen_; }
  const RECT& area() const { return area_; }
  const PAINTSTRUCT& paintInfo() const { return ps_; }
  // Composed over the skin background (false: over the dialog colour, off any skin).
  bool onSkin() const { return static_cast<bool>(snapshot_); }
  // Pixels of magenta (COLORREF 0xFF00FF) are left as they are on the screen.
  void KeyMagenta() { keyed_ = true; }
  // The copy leaves this rectangle of the target (target coordinates) as it is on the
  // screen: the part the system's own drawing owns.
  void ExcludeFromCopy(const RECT& r);
  // The copy leaves the visible child windows (but transparent ones) to paint themselves.
  void ExcludeVisibleChildren();
  // Copies once to the target; later calls and the destructor copy nothing more.
  void Present();
  // Nothing of this paint reaches the target (there is nothing to paint after all).
  void Discard() { presented_ = true; }

 private:
  void MakeCanvas(Backdrop backdrop);

  HWND control_;
  PaintTarget target_;
  HDC screen_ = nullptr;
  PAINTSTRUCT ps_{};
  RECT area_{};
  SnapshotDC snapshot_;
  OffscreenDC fallback_;  // the dialog colour off any skin
  std::optional<Canvas> canvas_;
  bool keyed_ = false;
  bool presented_ = false;
};

// WM_ERASEBKGND of a control the skin paints whole: nothing is erased.
inline LRESULT EraseNothing(WPARAM dc) {
  SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
  return 1;
}

// Controls the skin paints whole, frame included (PaintTarget::WholeWindow), on both
// WM_PAINT and WM_NCPAINT (skin/controls/family_proc.h: DispatchWholePaint).
// WM_PAINT's first step: BeginPaint and EndPaint validate the update region.
void ValidateInsideBeginPaint(HWND control);
// Whether a WM_PAINT that paints the whole control follows at once (the WM_NCPAINT sent by
// its BeginPaint, or part of the client area waiting): a WM_NCPAINT that drew the same
// picture now would draw it twice.
bool PaintFollows(HWND control);

}  // namespace tunelark
