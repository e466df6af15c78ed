// Every control family's installer at once: what Apply skin and a skinned container run over
// a window's children, family by family in this order.
#pragma once
#include <windows.h>

#include "skin/controls/button.h"
#include "skin/controls/combo_box.h"
#include "skin/controls/edit_box.h"
#include "skin/controls/framed_control.h"
#include "skin/controls/list_header.h"
#include "skin/controls/progress_bar.h"
#include "skin/controls/trackbar.h"
#include "skin/controls/up_down.h"
#include "skin/skin_engine.h"

namespace tunelark {

inline void TakeEveryFamily(SkinEngine& engine, int instance, HWND parent) {
  TakePushButtons(engine, instance, parent);
  TakeCheckAndRadioButtons(engine, instance, parent);
  TakeEditBoxes(engine, instance, parent);
  TakeComboBoxes(engine, instance, parent);
  TakeTrackbars(engine, instance, parent);
  TakeProgressBars(engine, instance, parent);
  TakeFramedControls(engine, instance, parent);
  TakeUpDowns(engine, instance, parent);
  TakeHeaders(engine, instance, parent);
}

}  // namespace tunelark
