// OffscreenDC: a memory device context with a bitmap of its own selected into it, the one
// off-screen surface every picture of the program is composed in. The bitmap is a 32-bit
// top-down DIB section (its pixels reachable through bits()) or one compatible with a given
// device context. Released in the right order: the object the first bitmap displaced goes
// back, the DC is deleted, then the bitmap.
//
//   OffscreenDC picture(screen, w, h, OffscreenDC::Kind::LikeDC);
//   if (picture) BitBlt(screen, 0, 0, w, h, picture.dc(), 0, 0, SRCCOPY);
#pragma once
#include <windows.h>

#include <utility>

namespace tunelark {

class OffscreenDC {
 public:
  enum class Kind {
    Dib32,   // a 32-bit top-down DIB section
    LikeDC,  // CreateCompatibleBitmap of the given DC (of the memory DC when none is given)
  };

  OffscreenDC() = default;
  OffscreenDC(HDC like, int width, int height, Kind kind) { Make(like, width, height, kind); }
  OffscreenDC(OffscreenDC&& other) noexcept { *this = std::move(other); }
  OffscreenDC& operator=(OffscreenDC&& other) noexcept;
  OffscreenDC(const OffscreenDC&) = delete;
  OffscreenDC& operator=(const OffscreenDC&) = delete;
  ~OffscreenDC() { Reset(); }

  // Takes over a DC made elsewhere, with its bitmap and the object the bitmap displaced.
  static OffscreenDC Adopt(HDC dc, HBITMAP bitmap, HGDIOBJ previous);

  // Releases what is held, then makes a width x height surface; false (nothing held) on
  // failure or an empty size.
  bool Make(HDC like, int width, int height, Kind kind);
  // Keeps what is held when it is already width x height; else gives the DC it has (or a new
  // one) a new bitmap of that size, the old one deleted. Returns the DC; null on failure,
  // when what was held stays held as it was (its DC, bitmap and size).
  HDC Ensure(HDC like, int width, int height, Kind kind);
  void Reset();
  // Lets go of what is held without releasing it (it is released by someone else).
  void Detach() { dc_ = nullptr, bitmap_ = nullptr, previous_ = nullptr, bits_ = nullptr, width_ = height_ = 0; }
  // Every pixel in colour.
  void Fill(COLORREF colour);

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  // The object the first bitmap displaced (the DC's own stock bitmap).
  HGDIOBJ previous() const { return previous_; }
  // The pixels of a Kind::Dib32 surface (4 bytes each, rows of width * 4 bytes); else null.
  void* bits() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }
  explicit operator bool() const { return dc_ && bitmap_; }

 private:
  bool Rebitmap(HDC like, int width, int height, Kind kind);

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace tunelark
