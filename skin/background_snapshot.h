// The skin background behind a control: where its pixels come from (the skinned window's
// back buffer, a background owner's device context, a tinted container), a snapshot of
// them in a registered memory DC, the washed backdrop bitmap handed out for the colour
// replies, and the copy of a snapshot into a plain bitmap.
#pragma once
#include <windows.h>

#include <utility>

#include "gfx/gdi_handles.h"
#include "skin/skin_engine.h"

namespace tunelark {

class Graphics;

// A tint laid over the copied background.
struct BackgroundTint {
  COLORREF colour = 0;  // 0 = none
  BYTE alpha = 255;
  bool groupBoxShape = false;  // the group-box outline instead of the whole rectangle
};

// Whether the window is a background owner (a container painting a background of its own
// for the containers inside it).
bool IsBackgroundOwner(HWND window);
// The tint over (x, y, w, h): its colour at its alpha, in the group-box outline's shape (its
// top 5 pixels and bottom pixel left out, rounded) or the whole rectangle.
void FillTint(Graphics& g, const BackgroundTint& tint, float x, float y, float w, float h);

// Where the background behind a window comes from: copy (x, y) of the window from dc at
// (x + offset.x, y + offset.y), then lay tint over it.
struct BackgroundSource {
  HDC dc = nullptr;
  POINT offset{0, 0};
  BackgroundTint tint;
};

// Finds the background source of p; false when p has no skinned ancestor (and is not a
// background owner under one), so there is nothing to copy.
bool FindBackgroundSource(SkinEngine& engine, HWND p, BackgroundSource& source);
// Whether p has a background to copy (a snapshot of it would not be empty).
inline bool HasSkinBackground(SkinEngine& engine, HWND p) {
  BackgroundSource source;
  return FindBackgroundSource(engine, p, source);
}

// A snapshot device context: registered in the engine on creation and released through
// the engine's registry when its owner goes (unless released to the caller first, who
// then releases it with engine.ReleaseSnapshotDC).
struct ReleaseSnapshot {
  SkinEngine* engine = nullptr;
  void operator()(HDC dc) const {
    if (engine) engine->ReleaseSnapshotDC(dc);
  }
};
class SnapshotDC : public UniqueHandle<HDC, ReleaseSnapshot> {
 public:
  SnapshotDC() = default;
  SnapshotDC(SkinEngine& engine, HDC dc) : UniqueHandle(dc, ReleaseSnapshot{&engine}) {}
};

// A memory DC of r's size holding the skin background behind rectangle r of p (r in the
// coordinates of p's window rectangle), tints included. Empty when p has no skinned
// ancestor. A rectangle without area gives a DC with nothing in it.
SnapshotDC BackgroundSnapshot(SkinEngine& engine, HWND p, const RECT& r);

// White at alpha (0..255) over the w x h pixels of a snapshot DC (drawn straight into its
// pixels).
void WashWithWhite(HDC snapshot, int w, int h, int alpha);

// The background behind p's client area washed with white at the engine's backdropAlpha,
// as a bitmap the caller owns. Empty when p has no skinned ancestor.
BitmapHandle StaticBackdropBitmap(SkinEngine& engine, HWND p);

// Copies w x h pixels of the snapshot into a new bitmap compatible with it, then releases
// the snapshot.
BitmapHandle CopyDcToBitmap(SnapshotDC snapshot, int w, int h);

}  // namespace tunelark
