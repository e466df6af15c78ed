#include "skin/window/colour_replies.h"

namespace tunelark {

HBRUSH ColourReply(SkinEngine&, UINT, HDC, HWND) { return nullptr; }

}  // namespace tunelark
