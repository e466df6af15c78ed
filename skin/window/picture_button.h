// Picture buttons: push buttons drawn from the application's own pictures (look B: one
// picture beside the caption; look C: normal, hover, pressed and disabled pictures), in the
// button family's list and painted through its draw-item dispatch, or by the family's
// procedure when the button's parent does not hand WM_DRAWITEM to the skin (a plain panel,
// or a plain popup owned by a skinned window). The painters PaintPictureBeside and
// PaintPictureStates are declared with the button family (skin/controls/button.h) and defined
// here.
#pragma once
#include <windows.h>

#include <string_view>

#include "base/byte_array.h"
#include "skin/controls/button.h"

namespace tunelark {

// Where look B puts its picture: 0 above the caption, any other value beside it (left).
inline constexpr int kPictureAboveCaption = 0;
inline constexpr int kPictureBesideCaption = 1;

// The pictures of look C (encoded images, any format GDI+ reads); an empty hover, pressed or
// disabled picture is drawn as the normal picture with a face of that state.
struct StatePictures {
  ByteArray normal;
  ByteArray hover;
  ByteArray pressed;
  ByteArray disabled;
};

// Turns a push button of a skinned window into look B with a picture and a layout value,
// and gives it a tooltip when tip is not empty. Called again, it updates the picture, layout
// and tip. Returns 1, or 0 (nothing changed) for a button with no skinned ancestor.
int MakePictureButton(SkinEngine& engine, HWND button, const ByteArray& picture, int layout,
                      std::string_view tip = {});

// The same for look C.
int MakeStatePictureButton(SkinEngine& engine, HWND button, const StatePictures& pictures,
                           std::string_view tip = {});

}  // namespace tunelark
