#include "skin/controls/button.h"

namespace tunelark {

void TakePushButtons(SkinEngine&, int, HWND) {}
void TakeCheckAndRadioButtons(SkinEngine&, int, HWND) {}
int TakeButton(SkinEngine&, int, HWND, ButtonKind) { return 0; }
void DispatchDrawItem(SkinEngine&, int, const DRAWITEMSTRUCT&) {}
void PaintPushLookA(Canvas&, const ButtonRecord&, UINT, COLORREF) {}
void PaintRadioButton(Canvas&, const ButtonRecord&, UINT, bool, COLORREF) {}
void PaintCheckBox(Canvas&, const ButtonRecord&, UINT, bool, COLORREF) {}

}  // namespace tunelark
