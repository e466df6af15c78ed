#include "gfx/gdiplus_api.h"

namespace tunelark {

thread_local Gdiplus::Status lastGdiplusStatus = Gdiplus::Ok;

}  // namespace tunelark
