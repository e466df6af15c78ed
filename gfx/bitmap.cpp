#include "gfx/bitmap.h"

#include <cmath>

#include "gfx/graphics.h"
#include "gfx/matrix.h"
#include "gfx/wide_text.h"

namespace tunelark {

namespace {

Gdiplus::GpImage* AsImage(Gdiplus::GpBitmap* bitmap) { return bitmap; }

}  // namespace

bool Bitmap::LoadFromFile(std::string_view fileName, bool useIcm) { return LoadFromFileW(ToWide(fileName), useIcm); }

bool Bitmap::LoadFromFileW(std::wstring_view fileName, bool useIcm) {
  const std::wstring name(fileName);
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = useIcm ? gdip::GdipCreateBitmapFromFileICM(name.c_str(), &made)
                                        : gdip::GdipCreateBitmapFromFile(name.c_str(), &made);
  return Adopt(status, AsImage(made));
}

bool Bitmap::LoadFromBytes(const ByteArray& bytes, bool useIcm) {
  if (bytes.empty()) return TrackStatus(Gdiplus::InvalidParameter);
  MemoryStream stream;
  IStream* s = stream.Open(bytes);
  if (!s) return TrackStatus(Gdiplus::OutOfMemory);
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status =
      useIcm ? gdip::GdipCreateBitmapFromStreamICM(s, &made) : gdip::GdipCreateBitmapFromStream(s, &made);
  return AdoptStreamImage(status, AsImage(made), stream);
}

bool Bitmap::CreateFromScan0(int width, int height, int stride, Gdiplus::PixelFormat format, BYTE* scan0) {
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCreateBitmapFromScan0(width, height, stride, format, scan0, &made);
  return Adopt(status, AsImage(made));
}

bool Bitmap::CreateFromGraphics(int width, int height, const Graphics& graphics) {
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCreateBitmapFromGraphics(width, height, graphics.handle(), &made);
  return Adopt(status, AsImage(made));
}

bool Bitmap::CreateFromGdiDib(const BITMAPINFO* info, void* bits) {
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCreateBitmapFromGdiDib(info, bits, &made);
  return Adopt(status, AsImage(made));
}

bool Bitmap::CreateFromHbitmap(HBITMAP bitmap, HPALETTE palette) {
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCreateBitmapFromHBITMAP(bitmap, palette, &made);
  return Adopt(status, AsImage(made));
}

bool Bitmap::CreateFromHicon(HICON icon) {
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCreateBitmapFromHICON(icon, &made);
  return Adopt(status, AsImage(made));
}

bool Bitmap::CreateFromResource(HINSTANCE instance, std::wstring_view name) {
  const std::wstring text(name);
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCreateBitmapFromResource(instance, text.c_str(), &made);
  return Adopt(status, AsImage(made));
}

BitmapHandle Bitmap::CreateHbitmap(Gdiplus::ARGB background) const {
  HBITMAP made = nullptr;
  if (!TrackStatus(gdip::GdipCreateHBITMAPFromBitmap(bitmap(), &made, background))) return BitmapHandle();
  return BitmapHandle(made);
}

IconHandle Bitmap::CreateHicon() const {
  HICON made = nullptr;
  if (!TrackStatus(gdip::GdipCreateHICONFromBitmap(bitmap(), &made))) return IconHandle();
  return IconHandle(made);
}

bool Bitmap::CloneArea(const Gdiplus::RectF& a, Gdiplus::PixelFormat format, Bitmap& into) const {
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCloneBitmapArea(a.X, a.Y, a.Width, a.Height, format, bitmap(), &made);
  return into.Adopt(status, AsImage(made));
}

bool Bitmap::CloneAreaI(const Gdiplus::Rect& a, Gdiplus::PixelFormat format, Bitmap& into) const {
  Gdiplus::GpBitmap* made = nullptr;
  const Gdiplus::Status status = gdip::GdipCloneBitmapAreaI(a.X, a.Y, a.Width, a.Height, format, bitmap(), &made);
  return into.Adopt(status, AsImage(made));
}

bool Bitmap::LockBits(const Gdiplus::Rect* rect, UINT flags, Gdiplus::PixelFormat format, Gdiplus::BitmapData& data) {
  return TrackStatus(gdip::GdipBitmapLockBits(bitmap(), rect, flags, format, &data));
}

bool Bitmap::UnlockBits(Gdiplus::BitmapData& data) { return TrackStatus(gdip::GdipBitmapUnlockBits(bitmap(), &data)); }

bool Bitmap::GetPixel(int x, int y, Gdiplus::ARGB& colour) const {
  return TrackStatus(gdip::GdipBitmapGetPixel(bitmap(), x, y, &colour));
}

bool Bitmap::SetPixel(int x, int y, Gdiplus::ARGB colour) {
  return TrackStatus(gdip::GdipBitmapSetPixel(bitmap(), x, y, colour));
}

bool Bitmap::SetResolution(float dpiX, float dpiY) {
  return TrackStatus(gdip::GdipBitmapSetResolution(bitmap(), dpiX, dpiY));
}

void Bitmap::RotatedBounds(int width, int height, double angle, int& outWidth, int& outHeight) {
  const double theta = angle * 3.1415926535 / 180.0;
  const double c = std::cos(theta), s = std::sin(theta);
  const double hw = (width - 1) / 2.0, hh = (height - 1) / 2.0;
  // Pixel centres at the corners, rotated.
  const double x0 = -hw * c + hh * s, y0 = hw * s + hh * c;
  const double x1 = hw * c + hh * s, y1 = -hw * s + hh * c;
  const double x2 = -hw * c - hh * s, y2 = hw * s - hh * c;
  const double x3 = hw * c - hh * s, y3 = -hw * s - hh * c;
  // The corner centres span one pixel less than the picture: add that pixel back, so a
  // picture turned by 0 or 90 degrees keeps all its rows and columns. The small epsilon
  // absorbs the error of the rounded pi at multiples of 90 degrees.
  const double spanX = std::max(std::fabs(x3 - x0), std::fabs(x2 - x1)) + 1.0;
  const double spanY = std::max(std::fabs(y3 - y0), std::fabs(y2 - y1)) + 1.0;
  outWidth = static_cast<int>(spanX + 1e-6);
  outHeight = static_cast<int>(spanY + 1e-6);
}

bool Bitmap::RotateInto(float angle, Bitmap& target, const RotateOptions& options) const {
  const int w = static_cast<int>(GetWidth());
  const int h = static_cast<int>(GetHeight());
  if (w <= 0 || h <= 0) return false;  // status from the failed size read
  int newWidth = options.width, newHeight = options.height;
  if (!options.sizeGiven) RotatedBounds(w, h, angle, newWidth, newHeight);

  Bitmap rotated;
  if (!rotated.CreateFromScan0(newWidth, newHeight, 0, PixelFormat32bppARGB, nullptr)) return false;
  float dpiX = 96.0f, dpiY = 96.0f;
  if (!GetHorizontalResolution(dpiX) || !GetVerticalResolution(dpiY) || !rotated.SetResolution(dpiX, dpiY))
    return false;
  Graphics graphics;
  if (!graphics.CreateOnImage(rotated)) return false;
  if (options.fillBackground &&
      !graphics.FillRectangleWithColour(
          options.background, Gdiplus::RectF(0.0f, 0.0f, static_cast<float>(newWidth), static_cast<float>(newHeight))))
    return false;
  if (options.setInterpolation && !graphics.SetInterpolationMode(options.interpolation)) return false;

  Matrix matrix;
  const float cx = static_cast<float>(newWidth) / 2.0f, cy = static_cast<float>(newHeight) / 2.0f;
  const double quarters = angle / 90.0;
  if (std::fabs(quarters - std::round(quarters)) < 1e-6) {
    // Quarter turns are exact pixel moves: turn a copy losslessly and draw it unrotated,
    // centred, so no pixel is resampled or shifted by the renderer's rounding.
    const int turns = ((static_cast<int>(std::lround(quarters)) % 4) + 4) % 4;
    Bitmap turned;
    if (!CloneAreaI(Gdiplus::Rect(0, 0, w, h), PixelFormat32bppARGB, turned)) return false;
    static const Gdiplus::RotateFlipType kTurns[4] = {Gdiplus::RotateNoneFlipNone, Gdiplus::Rotate90FlipNone,
                                                      Gdiplus::Rotate180FlipNone, Gdiplus::Rotate270FlipNone};
    if (!turned.RotateFlip(kTurns[turns])) return false;
    const int tw = turns % 2 ? h : w, th = turns % 2 ? w : h;
    if (!graphics.DrawImageRectI(turned, (newWidth - tw) / 2, (newHeight - th) / 2, tw, th)) return false;
  } else if (!matrix.Create() || !matrix.Translate(cx, cy) || !matrix.Rotate(angle) || !matrix.Translate(-cx, -cy) ||
             !matrix.Translate(static_cast<float>(newWidth - w) / 2.0f, static_cast<float>(newHeight - h) / 2.0f) ||
             !graphics.SetTransform(matrix) || !graphics.DrawImage(*this, 0.0f, 0.0f) || !graphics.ResetTransform()) {
    return false;
  }
  // Graphics and matrix go before the bitmap is handed on.
  if (!matrix.empty()) matrix.Delete();
  graphics.Delete();
  target.Attach(rotated.Detach());
  return TrackStatus(Gdiplus::Ok);
}

}  // namespace tunelark
