// Bitmap: an Image made by the GDI+ bitmap functions: loaded from a file or bytes, made from
// pixels, a graphics, a GDI DIB, HBITMAP, HICON or resource; turned into HBITMAP or HICON;
// cloned by area, locked, read and written per pixel; and rotated into a new bitmap.
#pragma once
#include <string_view>

#include "gfx/gdi_handles.h"
#include "gfx/image.h"

namespace tunelark {

class Graphics;

class Bitmap : public Image {
 public:
  Bitmap() = default;
  explicit Bitmap(Gdiplus::GpBitmap* handle) : Image(handle) {}

  Gdiplus::GpBitmap* bitmap() const { return static_cast<Gdiplus::GpBitmap*>(handle()); }

  bool LoadFromFile(std::string_view fileName, bool useIcm = false);
  bool LoadFromFileW(std::wstring_view fileName, bool useIcm = false);
  bool LoadFromBytes(const ByteArray& bytes, bool useIcm = false);

  bool CreateFromScan0(int width, int height, int stride = 0, Gdiplus::PixelFormat format = PixelFormat32bppARGB,
                       BYTE* scan0 = nullptr);
  bool CreateFromGraphics(int width, int height, const Graphics& graphics);
  bool CreateFromGdiDib(const BITMAPINFO* info, void* bits);
  bool CreateFromHbitmap(HBITMAP bitmap, HPALETTE palette = nullptr);
  bool CreateFromHicon(HICON icon);
  bool CreateFromResource(HINSTANCE instance, std::wstring_view name);
  // A new GDI bitmap of the pixels over background; empty handle on failure.
  BitmapHandle CreateHbitmap(Gdiplus::ARGB background = 0xFF000000) const;
  // A new icon; empty handle on failure.
  IconHandle CreateHicon() const;
  bool CloneArea(const Gdiplus::RectF& area, Gdiplus::PixelFormat format, Bitmap& into) const;
  bool CloneAreaI(const Gdiplus::Rect& area, Gdiplus::PixelFormat format, Bitmap& into) const;
  bool LockBits(const Gdiplus::Rect* rect, UINT flags, Gdiplus::PixelFormat format, Gdiplus::BitmapData& data);
  bool UnlockBits(Gdiplus::BitmapData& data);
  bool GetPixel(int x, int y, Gdiplus::ARGB& colour) const;
  bool SetPixel(int x, int y, Gdiplus::ARGB colour);
  bool SetResolution(float dpiX, float dpiY);

  // Draws this bitmap rotated by angle (degrees) about its centre into a new 32bpp ARGB
  // bitmap of the rotated bounds (or of the given size), optionally filled with background
  // first and drawn with the given interpolation mode; the new bitmap goes to target.
  struct RotateOptions {
    Gdiplus::ARGB background = 0;
    bool fillBackground = false;
    Gdiplus::InterpolationMode interpolation = Gdiplus::InterpolationModeDefault;
    bool setInterpolation = false;
    int width = 0;
    int height = 0;
    bool sizeGiven = false;
  };
  bool RotateInto(float angle, Bitmap& target, const RotateOptions& options) const;
  bool RotateInto(float angle, Bitmap& target) const { return RotateInto(angle, target, RotateOptions{}); }

  // Size of the box that holds a w x h picture rotated by angle degrees, truncated.
  static void RotatedBounds(int width, int height, double angle, int& outWidth, int& outHeight);
};

}  // namespace tunelark
