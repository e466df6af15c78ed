#include "gfx/offscreen_dc.h"

#include "gfx/gdi_handles.h"

namespace tunelark {

namespace {

HBITMAP MakeBitmap(HDC like, HDC memory, int width, int height, OffscreenDC::Kind kind, void** bits) {
  *bits = nullptr;
  if (kind == OffscreenDC::Kind::LikeDC) return CreateCompatibleBitmap(like ? like : memory, width, height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* made = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &made, nullptr, 0);
  if (dib) *bits = made;
  return dib;
}

}  // namespace

OffscreenDC& OffscreenDC::operator=(OffscreenDC&& other) noexcept {
  if (this != &other) {
    Reset();
    dc_ = std::exchange(other.dc_, nullptr);
    bitmap_ = std::exchange(other.bitmap_, nullptr);
    previous_ = std::exchange(other.previous_, nullptr);
    bits_ = std::exchange(other.bits_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

OffscreenDC OffscreenDC::Adopt(HDC dc, HBITMAP bitmap, HGDIOBJ previous) {
  OffscreenDC surface;
  surface.dc_ = dc;
  surface.bitmap_ = bitmap;
  surface.previous_ = previous;
  DIBSECTION info{};
  const int got = bitmap ? GetObjectA(bitmap, sizeof(info), &info) : 0;
  if (got >= static_cast<int>(sizeof(BITMAP))) {
    surface.width_ = info.dsBm.bmWidth;
    surface.height_ = info.dsBm.bmHeight < 0 ? -info.dsBm.bmHeight : info.dsBm.bmHeight;
  }
  return surface;
}

bool OffscreenDC::Make(HDC like, int width, int height, Kind kind) {
  Reset();
  return Ensure(like, width, height, kind) != nullptr;
}

HDC OffscreenDC::Ensure(HDC like, int width, int height, Kind kind) {
  if (dc_ && bitmap_ && width == width_ && height == height_) return dc_;
  if (width <= 0 || height <= 0) return nullptr;
  const bool fresh = !dc_;
  if (fresh) dc_ = CreateCompatibleDC(like);
  if (dc_ && Rebitmap(like, width, height, kind)) return dc_;
  // A DC that was held stays as it was: others may name it (a background owner's property).
  if (fresh) Reset();
  return nullptr;
}

bool OffscreenDC::Rebitmap(HDC like, int width, int height, Kind kind) {
  void* bits = nullptr;
  HBITMAP made = MakeBitmap(like, dc_, width, height, kind, &bits);
  if (!made) return false;
  HGDIOBJ out = SelectObject(dc_, made);
  if (!out || out == HGDI_ERROR) {  // not selected: the DC keeps what it held
    DeleteObject(made);
    return false;
  }
  if (!previous_) previous_ = out;  // the DC's own: it goes back before the DC is deleted
  if (bitmap_) DeleteObject(bitmap_);  // now deselected
  bitmap_ = made;
  bits_ = bits;
  width_ = width;
  height_ = height;
  return true;
}

void OffscreenDC::Reset() {
  if (dc_) {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

void OffscreenDC::Fill(COLORREF colour) {
  if (!dc_) return;
  const RECT all{0, 0, width_, height_};
  BrushHandle brush(CreateSolidBrush(colour));
  FillRect(dc_, &all, brush.get());
}

}  // namespace tunelark
