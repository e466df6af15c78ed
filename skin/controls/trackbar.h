// The skinned trackbar family. Every "msctls_trackbar32" child of a skinned window is drawn
// by the skin: an optional rounded frame over a translucent white-to-dark wash, a thin
// channel, an accent-coloured bar from the channel's start to the thumb, the selection
// outline (with TBS_ENABLESELRANGE) and a round thumb that is a small dot at rest and grows
// to a circle while the mouse is over the control. The system trackbar keeps all its logic
// (position, range, selection, keyboard and mouse); only painting is replaced.
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

struct TrackbarRecord : ControlRecord {
  static constexpr Family kFamily = Family::Trackbar;
  int vertical = 0;        // TBS_VERT
  int tickMode = 1;        // 3 TBS_NOTICKS, else 0 TBS_TOP, else 2 TBS_BOTH, else 1
  int hot = 0;             // the mouse is over the trackbar
  int selectionRange = 0;  // TBS_ENABLESELRANGE
};

// The style-derived fields of a trackbar's record (window, vertical, tickMode, selectionRange).
TrackbarRecord TrackbarRecordFor(HWND trackbar);

// What one paint reads from the trackbar. Rectangles are in the painted picture's
// coordinates (the trackbar's window rectangle, origin at its top-left) and in their true
// orientation: a vertical channel is taller than wide.
struct TrackbarState {
  LONG position = 0;
  LONG low = 0;
  LONG high = 0;
  RECT channel{};
  RECT thumb{};
  LONG selectionStart = 0;
  LONG selectionEnd = 0;
};
TrackbarState ReadTrackbarState(HWND trackbar);

// Paints the trackbar over the background already on the canvas (canvas = the trackbar's
// window rectangle).
void PaintTrackbar(Canvas& canvas, const TrackbarRecord& record, const TrackbarState& state,
                   const SkinOptions& options);

// Takes the parent's trackbars (while drawChildControls is set); a trackbar already taken
// by the skin is left alone, so running it again takes nothing twice.
void TakeTrackbars(SkinEngine& engine, int instance, HWND parent);

}  // namespace tunelark
