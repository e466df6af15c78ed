// Control ids of the "controls-track" gallery window, for the tests that drive it.
#pragma once

namespace gallery::track {

enum : int {
  kTrackPlain = 101,         // horizontal, ticks below, range 0..100 at 30
  kTrackSelection = 102,     // TBS_ENABLESELRANGE | TBS_BOTH, at 50, selection 20..60
  kTrackDisabled = 103,      // TBS_NOTICKS, disabled, at its maximum 100
  kTrackVertical = 104,      // TBS_VERT | TBS_BOTH, at 40
  kProgressSmooth = 201,     // 201..203: PBS_SMOOTH at 0, 37, 100 of 0..100
  kProgressSegmented = 211,  // 211..213: segmented at 0, 37, 100 of 0..100
  kProgressRange = 221,      // range 50..150 at 100
  kProgressVertical = 222,   // PBS_VERTICAL at 37 of 0..100
};

}  // namespace gallery::track
