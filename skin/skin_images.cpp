#include "skin/skin_images.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "gfx/bitmap.h"
#include "gfx/graphics.h"

#define TL_PICTURE(name)                  \
  extern const unsigned char name[];      \
  extern const unsigned int name##_size;
TL_PICTURE(tl_picture_caption_help)
TL_PICTURE(tl_picture_caption_menu)
TL_PICTURE(tl_picture_caption_minimize)
TL_PICTURE(tl_picture_caption_maximize)
TL_PICTURE(tl_picture_caption_restore)
TL_PICTURE(tl_picture_caption_close)
TL_PICTURE(tl_picture_check_off)
TL_PICTURE(tl_picture_check_on)
TL_PICTURE(tl_picture_arrow_down)
TL_PICTURE(tl_picture_arrow_up)
TL_PICTURE(tl_picture_arrow_left)
TL_PICTURE(tl_picture_arrow_right)
TL_PICTURE(tl_picture_background)
#undef TL_PICTURE

namespace tunelark {

ImageBytes SkinImageBytes(SkinImage image) {
#define TL_CASE(id, name) \
  case SkinImage::id:     \
    return {name, name##_size};
  switch (image) {
    TL_CASE(HelpGlyph, tl_picture_caption_help)
    TL_CASE(MenuGlyph, tl_picture_caption_menu)
    TL_CASE(MinimizeGlyph, tl_picture_caption_minimize)
    TL_CASE(MaximizeGlyph, tl_picture_caption_maximize)
    TL_CASE(RestoreGlyph, tl_picture_caption_restore)
    TL_CASE(CloseGlyph, tl_picture_caption_close)
    TL_CASE(CheckBoxOff, tl_picture_check_off)
    TL_CASE(CheckBoxOn, tl_picture_check_on)
    TL_CASE(ArrowDown, tl_picture_arrow_down)
    TL_CASE(ArrowUp, tl_picture_arrow_up)
    TL_CASE(ArrowLeft, tl_picture_arrow_left)
    TL_CASE(ArrowRight, tl_picture_arrow_right)
    TL_CASE(Background, tl_picture_background)
  }
#undef TL_CASE
  return {nullptr, 0};
}

ByteArray CopySkinImage(SkinImage image) {
  ImageBytes bytes = SkinImageBytes(image);
  return bytes.data ? ByteArray(bytes.data, bytes.data + bytes.size) : ByteArray{};
}

namespace {

// An image's pixels as 32-bit ARGB rows, top-down, width * 4 bytes apart.
struct DecodedImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

bool Decode(SkinImage which, DecodedImage& into) {
  Bitmap bitmap;
  if (!bitmap.LoadFromBytes(CopySkinImage(which))) return false;
  const int w = static_cast<int>(bitmap.GetWidth()), h = static_cast<int>(bitmap.GetHeight());
  if (w <= 0 || h <= 0) return false;
  Gdiplus::Rect all(0, 0, w, h);
  Gdiplus::BitmapData data{};
  if (!bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, data)) return false;
  into.pixels.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    std::memcpy(&into.pixels[static_cast<size_t>(y) * w], static_cast<const BYTE*>(data.Scan0) + y * data.Stride,
                static_cast<size_t>(w) * 4);
  bitmap.UnlockBits(data);
  into.width = w;
  into.height = h;
  return true;
}

// The decoded image; empty when it cannot be decoded now (a later call tries again).
const DecodedImage& Decoded(SkinImage which) {
  static std::mutex lock;
  static std::array<DecodedImage, kSkinImageCount> cache;  // plain memory: no GDI+ object outlives GDI+
  std::lock_guard<std::mutex> guard(lock);
  DecodedImage& image = cache[static_cast<size_t>(which)];
  if (image.pixels.empty()) Decode(which, image);
  return image;
}

}  // namespace

bool DrawSkinImage(Graphics& graphics, SkinImage which, int x, int y) {
  if (static_cast<int>(which) < 0 || static_cast<int>(which) >= kSkinImageCount) return false;
  const DecodedImage& image = Decoded(which);
  if (image.pixels.empty()) return false;
  Bitmap bitmap;  // borrows the pixels, which GDI+ only reads here
  if (!bitmap.CreateFromScan0(image.width, image.height, image.width * 4, PixelFormat32bppARGB,
                              reinterpret_cast<BYTE*>(const_cast<uint32_t*>(image.pixels.data()))))
    return false;
  return graphics.DrawImageRectI(bitmap, x, y, image.width, image.height);
}

}  // namespace tunelark
