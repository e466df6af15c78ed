// Move-only owners for plain GDI and user handles, each the one owner template of
// base/unique_handle.h paired with its right release:
//   OwnedHandle<T, Release>  one handle released with a stateless Release
//   GdiObject<T>  DeleteObject (brushes, pens, fonts, bitmaps, regions), with the aliases
//                 Brush/BrushHandle, PenHandle, FontHandle, BitmapHandle, RegionHandle
//   IconHandle    DestroyIcon
//   WindowDC      GetDC / ReleaseDC
//   PaintDC       BeginPaint / EndPaint
//   MemoryDC      CreateCompatibleDC / DeleteDC
//   SelectGuard   SelectObject, restoring the previous object on scope exit
#pragma once
#include <windows.h>

#include <utility>

#include "base/unique_handle.h"

namespace tunelark {

// The owner of one handle of type T released with a stateless Release.
template <typename T, typename Release>
using OwnedHandle = UniqueHandle<T, Release>;

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};

template <typename T>
using GdiObject = OwnedHandle<T, DeleteGdiObject>;

// GDI pens are PenHandle: Pen is the GDI+ pen class of gfx/pen.h.
using Brush = GdiObject<HBRUSH>;
using BrushHandle = GdiObject<HBRUSH>;
using PenHandle = GdiObject<HPEN>;
using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using RegionHandle = GdiObject<HRGN>;

using IconHandle = OwnedHandle<HICON, DestroyIconHandle>;

struct ReleaseWindowDc {
  HWND window = nullptr;
  void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
// GetDC / ReleaseDC.
class WindowDC : public UniqueHandle<HDC, ReleaseWindowDc> {
 public:
  explicit WindowDC(HWND window) : UniqueHandle(GetDC(window), ReleaseWindowDc{window}) {}
};

class PaintDC {
 public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { EndPaint(window_, &ps_); }
  HDC get() const { return dc_; }
  const PAINTSTRUCT& info() const { return ps_; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

struct DeleteDcHandle {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
// CreateCompatibleDC / DeleteDC.
class MemoryDC : public UniqueHandle<HDC, DeleteDcHandle> {
 public:
  MemoryDC() = default;
  explicit MemoryDC(HDC compatibleWith) : UniqueHandle(CreateCompatibleDC(compatibleWith)) {}
};

class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tunelark
