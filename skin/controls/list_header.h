// The skinned column header of list views (and of header controls placed straight on a
// skinned window). Every column is drawn by the skin: a translucent or white body, an
// accent-coloured vertical shade, hover and pressed shades when the header has button
// style, a gradient separator on its right edge, the column's image and its caption,
// ending in an ellipsis when it does not fit. The whole header is composed off screen and
// reaches the screen in one copy.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "gfx/gdi_handles.h"
#include "skin/control_font.h"
#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

struct HeaderRecord : ControlRecord {
  static constexpr Family kFamily = Family::Header;
  int hot = 0;          // the mouse is over the header
  int hotItem = 0;      // 1-based column under the mouse; 0 = none
  int lastHotItem = 0;  // hotItem at the last hover redraw
  int buttons = 0;      // the style has HDS_BUTTONS
  int pressedItem = 0;  // 1-based column pressed with the left button; 0 = none
  int pressed = 0;      // between WM_LBUTTONDOWN and WM_LBUTTONUP
  ControlFont font;     // the columns' captions
};

// One column as the header reports it, in the header's client coordinates.
struct HeaderColumn {
  RECT rect{};
  std::wstring text;
  int format = 0;   // HDF_* bits
  IconHandle icon;  // from the header's image list as it is now; empty when none
};

// Takes every header control among the parent's children, then the header of every list
// view among them, with the font each shows. A header already taken is left as it is.
void TakeHeaders(SkinEngine& engine, int instance, HWND parent);

// The header's columns; the last one of a list view's header is widened to the header's
// right edge, so the skin reaches the list's edge.
std::vector<HeaderColumn> ReadHeaderColumns(HWND header);

// 1-based column whose rectangle holds x (client coordinates) at least 5 pixels from
// either edge; 0 when none.
int HeaderColumnAt(HWND header, int x);

// Composes every column on the canvas (the header's client area, its background already
// there). margin is the header's image margin.
void PaintHeader(Canvas& canvas, const HeaderRecord& record, const std::vector<HeaderColumn>& columns, int margin,
                 const SkinOptions& options);

}  // namespace tunelark
