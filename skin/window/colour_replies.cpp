#include "skin/window/colour_replies.h"

#include <commctrl.h>

#include <string>

#include "base/message_copy.h"

#include "skin/background_snapshot.h"
#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/subclass.h"
#include "skin/window_props.h"

namespace tunelark {

namespace {

bool RepliesOn(const SkinEngine& engine) { return engine.options.drawChildControls && engine.options.alphaGiven; }

void PrepareDC(HDC dc, HWND control) {
  SetTextColor(dc, static_cast<COLORREF>(GetIntProp(control, prop::kTextColour)));
  SetBkMode(dc, TRANSPARENT);
}

HBRUSH ClearColouring(HDC dc, HWND control) {
  PrepareDC(dc, control);
  ReleaseColourReplyObjects(control);
  auto brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  SetHandleProp(control, prop::kReplyBrush, brush);
  return brush;
}

HBRUSH PatternColouring(SkinEngine& engine, HDC dc, HWND control) {
  PrepareDC(dc, control);
  // The objects of the last reply go first, and the properties never name a deleted one.
  ReleaseColourReplyObjects(control);
  BitmapHandle backdrop = StaticBackdropBitmap(engine, control);
  if (!backdrop) return nullptr;
  HBRUSH brush = CreatePatternBrush(backdrop.get());
  if (!brush) return nullptr;
  SetHandleProp(control, prop::kReplyBrush, brush);
  SetHandleProp(control, prop::kReplyBitmap, backdrop.release());
  return brush;
}

bool InvalidatesOn(const std::string& cls, WORD code) {
  if (cls == "Edit") return code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE || code == EN_UPDATE;
  if (cls == "ListBox") return code == LBN_SELCHANGE || code == LBN_SELCANCEL;
  if (cls == "ComboBox") return code == CBN_KILLFOCUS || code == CBN_SELCHANGE;
  return false;
}

BOOL CALLBACK ReleaseOne(HWND child, LPARAM) {
  ReleaseColourReplyObjects(child);
  return TRUE;
}

}  // namespace

HBRUSH ColourReply(SkinEngine& engine, UINT message, HDC dc, HWND control) {
  if (!RepliesOn(engine) || !dc || !control) return nullptr;
  switch (message) {
    case WM_CTLCOLOREDIT:
      // The edit field of a combo box is the combo box family's own business.
      if (ClassNameOf(GetParent(control)) == "ComboBox") return nullptr;
      return PatternColouring(engine, dc, control);
    case WM_CTLCOLORSTATIC:
      return PatternColouring(engine, dc, control);
    case WM_CTLCOLORLISTBOX:
      if (ClassNameOf(control) != "ListBox" || IsOwnerDrawnListBox(control)) return nullptr;
      return ClearColouring(dc, control);
    case WM_CTLCOLORBTN:
      return ClearColouring(dc, control);
  }
  return nullptr;
}

void InvalidateOnContentChange(SkinEngine& engine, WPARAM wParam, LPARAM lParam) {
  HWND control = reinterpret_cast<HWND>(lParam);
  if (!RepliesOn(engine) || !control) return;
  if (InvalidatesOn(ClassNameOf(control), HIWORD(wParam))) InvalidateRect(control, nullptr, TRUE);
}

void InvalidateOnTreeExpand(LPARAM lParam) {
  NMHDR header{};
  if (!CopyMessageStruct(lParam, header)) return;
  if (header.code == TVN_ITEMEXPANDINGA || header.code == TVN_ITEMEXPANDEDA)
    InvalidateRect(header.hwndFrom, nullptr, TRUE);
}

void ReleaseChildColourReplies(HWND parent) {
  if (parent) EnumChildWindows(parent, ReleaseOne, 0);
}

}  // namespace tunelark
