// StripDC: a memory device context with one bitmap of its own selected into it, released
// in the right order (previous object back, the DC deleted, then the bitmap). The window
// background keeps its caption-strip and status-strip copies in these.
#pragma once
#include <windows.h>

#include <utility>

namespace tunelark {

class StripDC {
 public:
  StripDC() = default;
  StripDC(StripDC&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)),
        bitmap_(std::exchange(other.bitmap_, nullptr)),
        previous_(std::exchange(other.previous_, nullptr)),
        width_(std::exchange(other.width_, 0)),
        height_(std::exchange(other.height_, 0)) {}
  StripDC& operator=(StripDC&& other) noexcept {
    if (this != &other) {
      Reset();
      dc_ = std::exchange(other.dc_, nullptr);
      bitmap_ = std::exchange(other.bitmap_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
      width_ = std::exchange(other.width_, 0);
      height_ = std::exchange(other.height_, 0);
    }
    return *this;
  }
  StripDC(const StripDC&) = delete;
  StripDC& operator=(const StripDC&) = delete;
  ~StripDC() { Reset(); }

  // Releases what is held, then makes a memory DC compatible with `like` holding a new
  // compatible bitmap of width x height. Returns the DC (null on failure).
  HDC Renew(HDC like, int width, int height) {
    Reset();
    dc_ = CreateCompatibleDC(like);
    if (!dc_) return nullptr;
    bitmap_ = CreateCompatibleBitmap(like ? like : dc_, width, height);
    if (bitmap_) previous_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    return dc_;
  }

  // Keeps what is held when it is already width x height, else Renew. Returns the DC.
  HDC Ensure(HDC like, int width, int height) {
    if (dc_ && bitmap_ && width == width_ && height == height_) return dc_;
    return Renew(like, width, height);
  }

  // Selects the previous object back, deletes the DC and then its bitmap.
  void Reset() {
    if (dc_) {
      if (previous_) SelectObject(dc_, previous_);
      DeleteDC(dc_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    previous_ = nullptr;
    width_ = height_ = 0;
  }

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  HGDIOBJ previous() const { return previous_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace tunelark
