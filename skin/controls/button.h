// The skinned button family: push buttons (made owner-drawn and painted through the
// parent's WM_DRAWITEM, or by themselves on a parent that does not hand WM_DRAWITEM to the
// skin), check boxes and auto radio buttons (painted on WM_PAINT), with the hover, focus,
// pressed and disabled looks. Picture buttons (looks B and C) share the record, the window
// procedure and the draw-item dispatch; their installers and painters live in
// skin/window/picture_button.
#pragma once
#include <windows.h>

#include <string>

#include "base/byte_array.h"
#include "gfx/tooltip_window.h"
#include "skin/control_font.h"
#include "skin/control_list.h"
#include "skin/controls/control_paint.h"

namespace tunelark {

// Push: the glossy push button; PictureBeside: a push button with one picture beside its
// caption; PictureStates: a push button drawn as four pictures (normal, hover, pressed,
// disabled).
enum class ButtonKind { Push, PictureBeside, PictureStates, Radio, CheckBox };

struct ButtonRecord : ControlRecord {
  static constexpr Family kFamily = Family::Button;

  ButtonKind kind = ButtonKind::Push;
  ByteArray pictures[5];  // picture buttons: PictureBeside uses [0]; PictureStates normal, hover, pressed, disabled
  int layout = 0;         // PictureBeside: where the picture sits beside the caption
  std::string caption;    // the window text, kept current on WM_SETTEXT
  bool focused = false;
  bool startCheckState = false;
  HWND parent = nullptr;  // check boxes and radio buttons: the skinned window
  TooltipWindow tooltip;  // picture buttons' tip
  ControlFont font;       // the caption's font
};

// Takes the parent's push buttons (types BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_USERBUTTON)
// not yet taken; they become owner-drawn.
void TakePushButtons(SkinEngine& engine, int instance, HWND parent);
// Takes the parent's check boxes (BS_CHECKBOX, BS_AUTOCHECKBOX, BS_PUSHBOX) and auto radio
// buttons not yet taken.
void TakeCheckAndRadioButtons(SkinEngine& engine, int instance, HWND parent);
// Takes one button into the list with the given kind (picture buttons use this); returns
// its position, or the position it already had.
int TakeButton(SkinEngine& engine, int instance, HWND button, ButtonKind kind);

// The skinned parent's WM_DRAWITEM: paints a taken owner-drawn button in its look (the
// button's own links name its instance and record).
void DispatchDrawItem(SkinEngine& engine, const DRAWITEMSTRUCT& item);

// Painters. state holds ODS_SELECTED, ODS_DISABLED, ODS_FOCUS and ODS_HOTLIGHT bits.
void PaintPush(Canvas& canvas, const ButtonRecord& record, UINT state, COLORREF textColour);
void PaintRadioButton(Canvas& canvas, const ButtonRecord& record, UINT state, bool checked, COLORREF textColour);
void PaintCheckBox(Canvas& canvas, const ButtonRecord& record, UINT state, bool checked, COLORREF textColour);
// Looks B and C (skin/window/picture_button).
void PaintPictureBeside(Canvas& canvas, const ButtonRecord& record, UINT state, COLORREF textColour);
void PaintPictureStates(Canvas& canvas, const ButtonRecord& record, UINT state, COLORREF textColour);

}  // namespace tunelark
