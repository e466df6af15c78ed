#include "skin/controls/progress_bar.h"

#include <commctrl.h>

#include "gfx/graphics_path.h"
#include "gfx/pen.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/skin_paths.h"
#include "skin/subclass.h"

namespace tunelark {

namespace {

// The trough: a rounded outline and a wash from white to dark across the bar's thickness.
void PaintTrough(Graphics& g, int w, int h, bool vertical) {
  const float W = static_cast<float>(w), H = static_cast<float>(h);
  OutlineRounded(g, {0, 0, W - 1, H - 1}, 5, ToArgb(kBlack, 50, true));
  const Gdiplus::PointF to = vertical ? Gdiplus::PointF{W - 1, 0} : Gdiplus::PointF{0, H - 1};
  FillRoundedGradient(g, {1, 1, W - 2, H - 2}, 1, {0, 0}, to, ToArgb(kWhite, 160, true), ToArgb(kBlack, 30, true));
}

// The bar: white fading into the accent colour across its thickness, outlined in the accent.
void PaintBar(Graphics& g, const Gdiplus::RectF& r, bool vertical, COLORREF accent) {
  const Gdiplus::PointF to = vertical ? Gdiplus::PointF{r.X + r.Width, r.Y} : Gdiplus::PointF{r.X, r.Y + r.Height};
  FillRoundedGradient(g, r, 3, {r.X, r.Y}, to, ToArgb(kWhite, 90, true), ToArgb(accent, 255, true));
  OutlineRounded(g, r, 3, ToArgb(accent, 150, true));
}

// --- the window procedure ---------------------------------------------------------------

using Message = FamilyMessage<ProgressRecord>;

void PaintWindow(Message& c) {
  // The whole window: an unthemed progress bar has a static edge, which the skin covers.
  PaintWholeControl(c, ReadProgressState, PaintProgressBar);
}

LRESULT Dispatch(Message& c) { return DispatchWholePaint(c, PaintWindow); }

constexpr WNDPROC ProgressProc = FamilyProc<ProgressRecord, Dispatch>;

}  // namespace

ProgressState ReadProgressState(HWND w) {
  ProgressState s;
  PBRANGE range{0, 100};
  s.position = static_cast<int>(SendMessageA(w, PBM_GETPOS, 0, 0));
  SendMessageA(w, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
  s.low = range.iLow;
  s.high = range.iHigh;
  return s;
}

int ProgressBarLength(const ProgressState& state, int length) {
  return ScaleToLength(state.position, state.low, state.high, length);
}

void PaintProgressBar(Canvas& canvas, const ProgressRecord& record, const ProgressState& state,
                      const SkinOptions& options) {
  Graphics& g = canvas.graphics();
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const bool vertical = record.vertical != 0;
  const int W = canvas.width(), H = canvas.height();
  PaintTrough(g, W, H, vertical);
  const int length = ProgressBarLength(state, vertical ? H : W);
  // Horizontal bars grow from the left edge, vertical ones from the bottom.
  const RECT bar = vertical ? RECT{0, H - length, W, H} : RECT{0, 0, length, H};
  const float x = static_cast<float>(bar.left + 1), y = static_cast<float>(bar.top + 1);
  const float w = static_cast<float>(bar.right - bar.left - 3), h = static_cast<float>(bar.bottom - bar.top - 3);
  if (length <= 0 || w < 1 || h < 1) return;
  PaintBar(g, {x, y, w, h}, vertical, options.accentColour);
}

void TakeProgressBars(SkinEngine& engine, int instance, HWND parent) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !engine.options.drawChildControls || !parent) return;
  ForEachChildOfClass(parent, PROGRESS_CLASSA, [&](HWND child) {
    if (TakenBySkin(child, ProgressProc)) return;
    ProgressRecord record;
    record.vertical = (GetWindowLongA(child, GWL_STYLE) & PBS_VERTICAL) ? 1 : 0;
    TakeControl(*skin, instance, child, ProgressProc, record);
  });
}

}  // namespace tunelark
