#include "skin/window/picture_button.h"

namespace tunelark {

void PaintPushLookB(Canvas&, const ButtonRecord&, UINT, COLORREF) {}
void PaintPushLookC(Canvas&, const ButtonRecord&, UINT, COLORREF) {}

}  // namespace tunelark
