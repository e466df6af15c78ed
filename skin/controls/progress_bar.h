// The skinned progress bar family. Every "msctls_progress32" child of a skinned window is
// painted by the skin as a rounded, softly shaded trough over the skin background with a
// rounded accent-coloured bar whose length follows the control's position within its
// range (growing from the left, or from the bottom with PBS_VERTICAL). Smooth and
// segmented bars are drawn alike. The system control keeps its range and position
// (PBM_SETPOS, PBM_STEPIT, ...); only painting is replaced.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

struct ProgressRecord : ControlRecord {
  static constexpr Family kFamily = Family::Progress;
  int vertical = 0;  // PBS_VERTICAL
};

// What one paint reads from the progress bar.
struct ProgressState {
  int position = 0;
  int low = 0;
  int high = 100;
};
ProgressState ReadProgressState(HWND progressBar);

// Length in pixels of the bar of a state on a trough `length` pixels long: the position's
// share of the range (its minimum counted, 64-bit arithmetic), rounded and kept within the
// trough; 0 for an empty range.
int ProgressBarLength(const ProgressState& state, int length);

// Paints the progress bar over the background already on the canvas (canvas = the
// control's window rectangle).
void PaintProgressBar(Canvas& canvas, const ProgressRecord& record, const ProgressState& state,
                      const SkinOptions& options);

// Takes the parent's progress bars (while drawChildControls is set); a progress bar already
// taken by the skin is left alone, so running it again takes nothing twice.
void TakeProgressBars(SkinEngine& engine, int instance, HWND parent);

}  // namespace tunelark
