// What every control family paints with: the control's state found from its window
// properties, a paint scope that composes the control off screen over the skin background
// behind it and reaches the screen in one copy, and the canvas the families' painters take.
//
//   LRESULT OnPaint(HWND w) {
//     ControlPaint paint(w, PaintTarget::BeginPaint);
//     if (auto* r = FindRecord<EditRecord>(w)) PaintEdit(paint.canvas(), *r, StateOf(w));
//     return 0;  // the copy to the screen and EndPaint happen as `paint` goes
//   }
//
// Records: records never move once added, but a call that can re-enter (SendMessage,
// CallPreviousProc) can destroy the control's top-level window, and with it the instance
// that holds the lists: after such a call look the record up again (FindRecord) instead of
// using a pointer taken before it. A destroyed control's record is given to the next
// control taken.
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

// The skin state a family procedure reaches through the control's properties.
struct ControlContext {
  SkinEngine* engine = nullptr;
  SkinInstance* skin = nullptr;  // null when "Hw_FuID" names no instance
  int instance = 0;              // "Hw_FuID"
  int position = 0;              // "Hw_lbID"
};
ControlContext FindControlContext(HWND control);

// The control's record in its family list of its instance; null when its properties name
// nothing (an engine gone, an instance removed).
template <typename Record>
Record* FindRecord(HWND control) {
  ControlContext c = FindControlContext(control);
  return c.skin ? c.skin->List<Record>().At(c.position) : nullptr;
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

// One paint of a control that reads a state and paints its whole window rectangle (frame
// included) to its window DC: the state is read first (reading sends messages, which can
// destroy the instance), the record found after.
template <typename Record, typename State>
void PaintWholeControl(HWND control, State (*read)(HWND),
                       void (*paint)(Canvas&, const Record&, const State&, const SkinOptions&)) {
  SkinEngine* engine = SkinEngine::Current();
  if (!engine) return;
  const State state = read(control);
  const Record* record = FindRecord<Record>(control);
  if (!record) return;
  ControlPaint scope(control, PaintTarget::WholeWindow);
  if (scope.ok()) paint(scope.canvas(), *record, state, engine->options);
}

// WM_ERASEBKGND of a control the skin paints whole: nothing is erased.
inline LRESULT EraseNothing(WPARAM dc) {
  SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
  return 1;
}

// Controls the skin paints whole, frame included (PaintTarget::WholeWindow), on both
// WM_PAINT and WM_NCPAINT. paintWhole(w) draws the whole window once.
using WholePaint = void (*)(HWND control);
// WM_PAINT: validates the update region, then paints the whole window.
LRESULT OnWholeWindowPaint(HWND control, WholePaint paintWhole);
// WM_NCPAINT: paints the whole window, unless PaintFollows. Returns 1; the system's frame is
// never drawn.
LRESULT OnWholeWindowNcPaint(HWND control, WholePaint paintWhole);
// Whether a WM_PAINT that paints the whole control follows at once (the WM_NCPAINT sent by
// its BeginPaint, or part of the client area waiting): a WM_NCPAINT that drew the same
// picture now would draw it twice.
bool PaintFollows(HWND control);
// The switch of a control painted whole: WM_MOVE paints it before the system's own handling,
// WM_PAINT, WM_NCPAINT and WM_ERASEBKGND as above; every other message goes on to the
// control's own procedure.
LRESULT DispatchWholePaint(HWND control, UINT m, WPARAM wp, LPARAM lp, WholePaint paintWhole);

}  // namespace tunelark
