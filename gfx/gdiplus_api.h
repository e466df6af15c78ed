// Includes the platform's GDI+ declarations (types, enums and the flat functions in
// Gdiplus::DllExports) the way this toolchain needs them, and offers the layer-wide
// status convention: `lastGdiplusStatus` holds the Status of the most recent GDI+ call
// made by any operation of the graphics layer on the calling thread.
#pragma once
#include <windows.h>
#include <objbase.h>

// MinGW's GDI+ headers use min and max unqualified; NOMINMAX keeps them out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace tunelark {

namespace gdip = Gdiplus::DllExports;

// Status of the most recent GDI+ call made by this layer. It is per thread (thread_local):
// the UI thread paints while download and trimmer threads run beside it, and a status read
// on one thread must never be the result of another thread's call.
extern thread_local Gdiplus::Status lastGdiplusStatus;

// Stores status in lastGdiplusStatus; true only for Ok.
inline bool TrackStatus(Gdiplus::Status status) {
  lastGdiplusStatus = status;
  return status == Gdiplus::Ok;
}

}  // namespace tunelark
