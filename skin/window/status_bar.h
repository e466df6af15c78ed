// The drawn status bar of a skinned top-level window: a row of cells along the bottom edge,
// each with an optional picture and a text, painted into the window background with a
// light gloss. It is no window of its own; cells are redrawn one at a time. Also the windows
// docked between caption and status bar, stretched on every size change.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_array.h"

namespace tunelark {

class Bitmap;
class Font;
class Graphics;
class SkinEngine;
class SkinInstance;

struct IntRect {
  int x = 0, y = 0, width = 0, height = 0;
};

struct StatusItem {
  int requestedWidth = -1;  // -1: the remaining width
  std::string text;
  ByteArray picture;  // empty = none
  COLORREF colour = 0;  // the item's own text colour
};

// A window stretched on WM_SIZE between caption and status bar.
struct DockedWindow {
  HWND window = nullptr;
  int top = 0;
};

struct StatusBar {
  int height = 0;  // 0 = no status bar
  IntRect area;
  std::vector<StatusItem> items;  // item n is items[n - 1]
  std::vector<IntRect> cells;     // one per item
  bool inverseText = true;  // texts in the inverse of the base colour, else in each item's colour
  bool halo = false;
  COLORREF textColour = 0;          // letters of halo texts
  COLORREF haloColour = 0xFFFFFF;
  std::string face;
  int size = 0;  // pixels

  int Count() const { return static_cast<int>(items.size()); }
  // Decoded item pictures and the font, made once; dropped when they change.
  const Bitmap* Picture(int position) const;
  const Font* CachedFont() const;
  void ForgetPicture(int position);
  void ForgetGdiplus();

 private:
  mutable std::vector<std::shared_ptr<Bitmap>> pictures_;
  mutable std::vector<bool> triedPictures_;
  mutable std::shared_ptr<Font> font_;
  mutable std::string fontFace_;
  mutable int fontSize_ = 0;
};

// The arguments of Set status style; a missing text mode, halo or colour takes its default
// (1, 0, 0, 0xFFFFFF); a missing face or size keeps the stored one.
struct StatusStyleArgs {
  std::optional<int> textMode;
  std::optional<int> halo;
  std::optional<COLORREF> textColour;
  std::optional<COLORREF> haloColour;
  std::optional<std::string> face;
  std::optional<int> size;
};

// Stores the height and area; with items, takes copies of them (cells laid out from the
// left); without, one empty item of width -1 over the whole area.
void SetStatusItems(SkinEngine& engine, SkinInstance& skin, int height, const std::vector<StatusItem>* items);
// Recomputes the area and the cells' y, height and -1 widths from the client size.
void LayOutStatusBar(SkinEngine& engine, SkinInstance& skin);
// The area (x, y, width, height) the bar takes in the client area of a w x h window.
IntRect StatusAreaFor(const SkinEngine& engine, const SkinInstance& skin, int clientWidth, int clientHeight);
// Draws item `position` into the back buffer, clipped to the part of its cell on the bar;
// outside a render it restores that part from the status strip first and copies it to the
// window after.
void DrawStatusItem(SkinEngine& engine, SkinInstance& skin, int position, Graphics* renderGraphics);
// Stretches every docked window to the client width below its top, above the status bar.
void LayOutDockedWindows(SkinInstance& skin);

}  // namespace tunelark
