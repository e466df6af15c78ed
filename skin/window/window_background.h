// The window background of a skinned top-level window: its whole look in one off-screen
// 32-bit picture (the back buffer) of the client size. Rendering lays down magenta outside
// the rounded corners, the base colour, the picture in its layout mode and the caption
// gloss, then the frame, the title, the caption buttons and the status items; presenting
// copies it to the window in one transfer. The window gets its rounded region here (over
// its whole window rectangle, so that a window that keeps its system frame keeps its
// caption and sizing border), and skinned controls take the pixels behind them from the
// back buffer.
//
// The picture is decoded once and the part of the look that depends only on the size,
// colours and picture (the base layer) is kept for the window's size, so a render with
// nothing changed copies it instead of decoding and scaling again.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "base/byte_array.h"
#include "gfx/dib_graphics.h"
#include "gfx/gdi_handles.h"
#include "gfx/offscreen_dc.h"

namespace tunelark {

class SkinEngine;
class SkinInstance;

// A window's own background picture; empty = the engine-wide one.
struct WindowPicture {
  ByteArray bytes;  // possibly passed through the fade transform
  int layoutMode = 0;  // 0..4
  COLORREF baseColour = 0;  // the colour sampler's result for the picture (a COLORREF)
};

// The part of the background that depends only on the size, colours and picture.
struct BaseLayerKey {
  int width = 0, height = 0, captionHeight = 0;
  // The window rectangle's size and the client origin in it: the rounded shape the base
  // layer is clipped to (a window that keeps its system frame has its corners outside the
  // client area).
  int windowWidth = 0, windowHeight = 0, clientX = 0, clientY = 0;
  COLORREF baseColour = 0;
  int layoutMode = 0;
  bool gloss = false;
  ByteArray picture;  // the encoded picture it was made from
  bool operator==(const BaseLayerKey&) const = default;
};

// Pictures decoded once for every window that shows them: the few most recently used.
class DecodedPictures {
 public:
  // The picture decoded; null when the bytes are empty or are no picture.
  const Bitmap* Get(const ByteArray& bytes);
  // Drops them all (before GDI+ shuts down).
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    ByteArray bytes;
    std::shared_ptr<Bitmap> bitmap;  // null: the bytes do not load
  };
  std::vector<Entry> entries_;  // most recent first
};

// The back buffer of a window and everything kept to render it.
class BackBuffer {
 public:
  BackBuffer() = default;
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  ~BackBuffer() { Release(); }

  // The back buffer's DC; null before the first render.
  HDC dc() const { return surface_.dc(); }
  int width() const { return surface_.width(); }
  int height() const { return surface_.height(); }
  // Makes the DC on first use and gives it a w x h 32-bit bitmap unless it has one of that
  // size. The bitmap the DC held when made goes to "Ck_Ycjdx" and the current one to
  // "Ck_wtjbdx"; a bitmap displaced later is deleted.
  bool Prepare(HWND window, int width, int height);
  // Takes over a DC and bitmap made elsewhere (tests): the DC, its current bitmap and the
  // object that bitmap displaced.
  void Adopt(HWND window, HDC dc, HBITMAP bitmap, HGDIOBJ original);
  // Puts the original bitmap back, deletes the DC and the background bitmap, then the
  // strips and the kept layers.
  void Release();
  // Drops the kept base layer: the next render paints it again.
  void ForgetBaseLayer() { baseLayer_.Reset(), baseKey_ = {}; }

  OffscreenDC captionStrip;  // the caption band as rendered before title and buttons
  OffscreenDC statusStrip;   // the status-bar area, same moment
  bool renderPending = false;  // the next paint renders again
  RECT region{};  // the rounded region last given to the window (window size + 1)

  // Kept between renders.
  OffscreenDC& baseLayer() { return baseLayer_; }
  BaseLayerKey& baseKey() { return baseKey_; }

 private:
  OffscreenDC surface_;
  OffscreenDC baseLayer_;
  BaseLayerKey baseKey_;
};

// Graphics for drawing on the back buffer, made in holder: straight on its pixels where it
// can, else on its device context; null when there is no back buffer yet. GDI drawing on
// the same pixels made before lands first.
Graphics* OpenBackGraphics(BackBuffer& back, std::optional<DibGraphics>& holder);

// Renders the whole background of the instance's window; with present, copies it to the
// window (through a DC that leaves the children alone) and invalidates the skinned
// children unless the window has not been sized yet.
void RenderBackground(SkinEngine& engine, int instance, bool present);
// Copies the back buffer to the window; paintDC is the DC of BeginPaint or null (then the
// window's DC is taken and released).
void PresentBackground(SkinEngine& engine, int instance, HDC paintDC);
// Copy a rectangle (left, top, right, bottom) of the caption or status strip back into the
// back buffer.
void RestoreFromCaptionStrip(SkinInstance& skin, const RECT& r);
void RestoreFromStatusStrip(SkinInstance& skin, const RECT& r);
// The frame: black (alpha 180) outer and white (alpha 180) inner rounded rectangles.
void DrawWindowFrame(Graphics& graphics, int width, int height);
// Invalidates the skinned controls, containers and transparent controls lying directly on
// the window (a container with the controls inside it).
void InvalidateSkinnedChildren(SkinInstance& skin);
// Copies rectangle r of the back buffer to the window at the same place, leaving visible
// children (other than transparent ones) alone; paintDC as for PresentBackground.
void CopyToWindow(const SkinInstance& skin, const RECT& r, HDC paintDC = nullptr);

// The window procedure's part: WM_PAINT, WM_ERASEBKGND, WM_SHOWWINDOW.
LRESULT OnBackgroundPaint(SkinEngine& engine, int instance, HWND window, WPARAM wParam, LPARAM lParam);
void OnShowWindow(SkinEngine& engine, int instance, bool shown);

}  // namespace tunelark
