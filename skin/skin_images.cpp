#include "skin/skin_images.h"

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

}  // namespace tunelark
