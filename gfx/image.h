// Image: an owned GDI+ image loaded from a file or from bytes (through its own MemoryStream,
// kept open while the image lives), with its size, format, frames and rotate/flip, and the
// save operations (to a file, to a stream, to bytes) with encoder lookup by format GUID text.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "gfx/gdiplus_object.h"
#include "gfx/image_codec.h"
#include "gfx/memory_stream.h"
#include "base/byte_array.h"

namespace tunelark {

// Holds the streams an image reads from and saves into; a base of Image so that it is made
// before and destroyed after the native image (GDI+ reads a stream-loaded image lazily).
struct ImageStreams {
  MemoryStream loadStream;
  MemoryStream saveStream;
};

class Image : private ImageStreams, public GdiplusObject<Gdiplus::GpImage, &gdip::GdipDisposeImage> {
  using Base = GdiplusObject<Gdiplus::GpImage, &gdip::GdipDisposeImage>;

 public:
  Image() = default;
  explicit Image(Gdiplus::GpImage* handle) : Base(handle) {}
  Image(Image&& other) noexcept = default;
  Image& operator=(Image&& other) noexcept;
  ~Image() = default;

  // Owns h from now on; the image held before is disposed and its load stream closed.
  void Attach(Gdiplus::GpImage* h);
  // Disposes the image, then closes its streams. False on an empty object (no GDI+ call).
  bool Delete();

  bool LoadFromFile(std::string_view fileName, bool useIcm = false);
  bool LoadFromFileW(std::wstring_view fileName, bool useIcm = false);
  // Empty bytes fail at once (lastGdiplusStatus = InvalidParameter) without calling GDI+.
  bool LoadFromBytes(const ByteArray& bytes, bool useIcm = false);
  bool Clone(Image& into) const;

  // Parameters the encoder of formatText supports; empty when none or no encoder.
  std::vector<EncoderParameter> GetEncoderParameterList(std::string_view formatText) const;
  // format empty = BMP. An unknown format fails without calling GDI+ (status
  // UnknownImageFormat).
  bool SaveToFile(std::string_view fileName, std::string_view format = {},
                  const std::vector<EncoderParameter>* parameters = nullptr) const;
  bool SaveToFileW(std::wstring_view fileName, std::string_view format = {},
                   const std::vector<EncoderParameter>* parameters = nullptr) const;
  // Writes into the given open stream (see MemoryStream::Open).
  bool SaveToStream(MemoryStream& stream, std::string_view format = {},
                    const std::vector<EncoderParameter>* parameters = nullptr) const;
  // Encodes into this image's own save stream and returns its bytes; empty on failure.
  ByteArray SaveToBytes(std::string_view format = {}, const std::vector<EncoderParameter>* parameters = nullptr);
  bool SaveAdd(const std::vector<EncoderParameter>& parameters);
  bool SaveAddImage(const Image& frame, const std::vector<EncoderParameter>& parameters);

  bool GetType(Gdiplus::ImageType& type) const;
  bool GetDimension(float& width, float& height) const;
  bool GetBounds(Gdiplus::RectF& bounds, Gdiplus::Unit& unit) const;
  // Width and height in pixels; 0 on failure or when empty.
  UINT GetWidth() const;
  UINT GetHeight() const;
  bool GetHorizontalResolution(float& dpi) const;
  bool GetVerticalResolution(float& dpi) const;
  bool GetFlags(UINT& flags) const;
  // The image's format GUID as text, e.g. kImageFormatPng; empty on failure.
  std::string GetRawFormat() const;
  bool GetPixelFormat(Gdiplus::PixelFormat& format) const;
  bool GetThumbnail(UINT width, UINT height, Image& thumbnail) const;
  bool GetFrameDimensionsList(std::vector<std::string>& dimensions) const;
  bool GetFrameCount(std::string_view dimension, UINT& count) const;
  bool SelectActiveFrame(std::string_view dimension, UINT index);
  bool RotateFlip(Gdiplus::RotateFlipType type);

  // Creation convention (see GdiplusObject::Adopt), closing the old load stream on success.
  bool Adopt(Gdiplus::Status status, Gdiplus::GpImage* const& made);

 protected:
  bool AdoptStreamImage(Gdiplus::Status status, Gdiplus::GpImage* made, MemoryStream& stream);
};

}  // namespace tunelark
