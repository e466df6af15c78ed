// The skinned framed controls: list boxes (plain and owner-drawn), the list of a simple combo
// box, list views, tree views, IP-address fields and date-time pickers.
//
// Their non-client border is painted like an edit box's frame over the skin background,
// with a hover and a focus outline. With a backdrop alpha given to the skin options, their
// client area shows the window's picture through a white wash: list views and owner-drawn
// list boxes draw their items into an off-screen picture that already holds the washed
// background; plain list boxes and tree views, which fill behind their items opaquely, draw
// them apart over magenta and over green, and what differs between the two is laid over the
// washed picture (smoothed glyph edges blended with it, no key colour left). The system keeps
// drawing the items, the scroll bars and the list view's header (skinned on its own, see
// list_header.h).
#pragma once
#include <windows.h>

#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

// What the skin does with a framed control's client area.
enum class FramedKind : int {
  ListBox,           // "ListBox" drawn by the system
  OwnerDrawnListBox, // "ListBox" with LBS_OWNERDRAWFIXED or LBS_OWNERDRAWVARIABLE
  ComboList,         // "ComboLBox": the list of a simple combo box
  ListView,          // "SysListView32"
  TreeView,          // "SysTreeView32"
  Field,             // "SysIPAddress32", "SysDateTimePick32" and anything else taken
};

struct FramedRecord : ControlRecord {
  static constexpr Family kFamily = Family::ListLike;
  FramedKind kind = FramedKind::Field;
  bool focused = false;  // between WM_SETFOCUS and WM_KILLFOCUS
  int hot = 0;           // between a hot redraw and WM_MOUSELEAVE
  int keyScrolling = 0;  // from an arrow-key WM_KEYDOWN to the next WM_KEYUP
};
using ListLikeRecord = FramedRecord;

// Takes the parent's framed controls, class by class: list boxes, the list child of each
// combo box that has one (unless owner-drawn fixed), list views (unless their style has
// 0x10), tree views, IP-address fields and date-time pickers. A control already taken is
// left as it is, so running it twice is harmless.
void TakeFramedControls(SkinEngine& engine, int instance, HWND parent);

// Takes one control into the framed family of the instance and returns its list position;
// a control already taken keeps its position. 0 when the instance or the window is not
// there. With a backdrop alpha given, list views get a transparent text background and
// tree views a magenta background (laid over the wash when painted).
int TakeFramedControl(SkinEngine& engine, int instance, HWND control);

// A control shows a frame when it has WS_BORDER, WS_EX_DLGMODALFRAME, WS_EX_WINDOWEDGE or
// WS_EX_CLIENTEDGE.
bool HasFrameBorder(HWND control);

// Paints the frame of a control whose window rectangle is the canvas (its background
// already there): the ring outside `inner` white (washed at backdropAlpha when an alpha is
// given), `inner` magenta, then the outline: hot 2 pixels of the accent colour, focused 1
// pixel of the accent colour, else 1 pixel of translucent black.
void PaintFrame(Canvas& canvas, const FramedRecord& record, const RECT& inner, const SkinOptions& options);

}  // namespace tunelark
