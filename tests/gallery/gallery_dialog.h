// The "dialog" gallery windows: an ordinary dialog that keeps its system frame (caption,
// sizing border, system menu) while skinned, and the same layout on a borderless window
// ("dialog_borderless") with the same client size, for the tests that compare the two.
#pragma once
#include <windows.h>

namespace gallery::dialog {

// Control ids (GetDlgItem on the window): every control lies directly on the window, the
// check boxes, radio buttons and edit inside the group box's rectangle as its siblings.
enum Id : int {
  kLabel = 401,  // transparent label over the picture
  kGroupBox,     // group box, taken as a container
  kCheckOne,
  kCheckTwo,
  kRadioA,
  kRadioB,
  kEdit,
  kList,
  kOk,
};

// Both windows' client size.
constexpr int kClientWidth = 460;
constexpr int kClientHeight = 320;

}  // namespace gallery::dialog
