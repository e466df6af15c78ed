// Pictures through memory: PNG and JPEG bytes made here load from bytes and files, report
// their format GUID texts, save through a memory stream and come back with identical pixels.
// Bad input (no bytes, unknown encoders, bad parameters) fails without reaching GDI+.
#include <gtest/gtest.h>

#include <cstring>

#include "gfx/bitmap.h"
#include "gfx/image.h"
#include "gfx/image_codec.h"
#include "gfx/memory_stream.h"
#include "tests/gfx/gfx_test_support.h"
#include "tests/support/test_paths.h"

using namespace tunelark;

namespace {

constexpr Gdiplus::Status kSentinel = Gdiplus::Win32Error;

// A 24 x 16 opaque picture with distinct pixels.
Bitmap MakePattern() {
  gfxtest::EnsureGdiplus();
  Bitmap bitmap;
  EXPECT_TRUE(bitmap.CreateFromScan0(24, 16));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x)
      EXPECT_TRUE(bitmap.SetPixel(x, y, 0xFF000000u | (x * 10) << 16 | (y * 15) << 8 | ((x + y) * 5)));
  return bitmap;
}

std::vector<Gdiplus::ARGB> Pixels(const Image& image) {
  // Draw through a fresh bitmap so both images are read the same way.
  const int w = static_cast<int>(image.GetWidth()), h = static_cast<int>(image.GetHeight());
  Bitmap copy;
  EXPECT_TRUE(copy.CreateFromScan0(w, h));
  {
    Graphics g;
    EXPECT_TRUE(g.CreateOnImage(copy));
    EXPECT_TRUE(g.DrawImageRectI(image, 0, 0, w, h));
  }
  std::vector<Gdiplus::ARGB> pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Gdiplus::ARGB c = 0;
      EXPECT_TRUE(copy.GetPixel(x, y, c));
      pixels.push_back(c);
    }
  return pixels;
}

std::vector<Gdiplus::ARGB> BitmapPixels(const Bitmap& bitmap) {
  std::vector<Gdiplus::ARGB> pixels;
  for (UINT y = 0; y < bitmap.GetHeight(); ++y)
    for (UINT x = 0; x < bitmap.GetWidth(); ++x) {
      Gdiplus::ARGB c = 0;
      EXPECT_TRUE(bitmap.GetPixel(static_cast<int>(x), static_cast<int>(y), c));
      pixels.push_back(c);
    }
  return pixels;
}

std::vector<EncoderParameter> JpegQuality(ULONG quality) {
  EncoderParameter p;
  p.guid = kEncoderQuality;
  p.type = Gdiplus::EncoderParameterValueTypeLong;
  p.count = 1;
  p.values.resize(sizeof quality);
  std::memcpy(p.values.data(), &quality, sizeof quality);
  return {p};
}

}  // namespace

TEST(MemoryStream, HoldsCopiesAndReadsBackItsBytes) {
  MemoryStream never;
  never.Close();  // nothing open: nothing happens
  EXPECT_FALSE(never.isOpen());
  EXPECT_EQ(0u, never.Size());
  EXPECT_TRUE(never.ReadBytes().empty());
  EXPECT_EQ(nullptr, never.MemoryHandle());

  ByteArray bytes = ToBytes("tunelark \x01\x02\x03 bytes");
  MemoryStream stream;
  ASSERT_NE(nullptr, stream.Open(bytes));
  EXPECT_EQ(bytes.size(), stream.Size());
  EXPECT_NE(nullptr, stream.MemoryHandle());
  bytes[0] = 'X';  // the stream holds its own copy
  EXPECT_EQ(ToBytes("tunelark \x01\x02\x03 bytes"), stream.ReadBytes());

  // Opening again replaces the content; moving hands the stream on.
  ASSERT_NE(nullptr, stream.Open(ToBytes("ab")));
  MemoryStream moved = std::move(stream);
  EXPECT_FALSE(stream.isOpen());
  EXPECT_EQ(ToBytes("ab"), moved.ReadBytes());

  // An empty stream grows with what is written into it.
  MemoryStream growing;
  ASSERT_NE(nullptr, growing.Open(ByteArray{}));
  ULONG written = 0;
  ASSERT_EQ(S_OK, growing.stream()->Write("12345", 5, &written));
  EXPECT_EQ(ToBytes("12345"), growing.ReadBytes());
}

TEST(ImageBytes, PngAndJpegLoadReportFormatAndRoundTripThroughAStream) {
  Bitmap pattern = MakePattern();
  const ByteArray png = pattern.SaveToBytes(kImageFormatPng);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(0, std::memcmp(png.data(), "\x89PNG", 4));
  const auto jpegParameters = JpegQuality(90);
  const ByteArray jpeg = pattern.SaveToBytes(kImageFormatJpeg, &jpegParameters);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(0xFF, jpeg[0]);
  EXPECT_EQ(0xD8, jpeg[1]);

  struct Case {
    const ByteArray* bytes;
    const char* format;
    const char* name;
  };
  for (const Case& c : {Case{&png, kImageFormatPng, "png"}, Case{&jpeg, kImageFormatJpeg, "jpeg"}}) {
    SCOPED_TRACE(c.name);
    Image image;
    {
      ByteArray scratch = *c.bytes;  // the image must not depend on the caller's bytes
      ASSERT_TRUE(image.LoadFromBytes(scratch));
      std::fill(scratch.begin(), scratch.end(), 0);
    }
    EXPECT_EQ(c.format, image.GetRawFormat());
    EXPECT_EQ(24u, image.GetWidth());
    EXPECT_EQ(16u, image.GetHeight());

    // Save to PNG through a memory stream and load that back: the same pixels.
    MemoryStream out;
    ASSERT_NE(nullptr, out.Open(ByteArray{}));
    ASSERT_TRUE(image.SaveToStream(out, kImageFormatPng));
    const ByteArray again = out.ReadBytes();
    Bitmap reloaded;
    ASSERT_TRUE(reloaded.LoadFromBytes(again));
    EXPECT_EQ(std::string(kImageFormatPng), reloaded.GetRawFormat());
    EXPECT_EQ(Pixels(image), BitmapPixels(reloaded));
    if (c.format == kImageFormatPng) {
      EXPECT_EQ(BitmapPixels(pattern), BitmapPixels(reloaded));
    }
  }

  // The JPEG keeps the picture roughly (lossy).
  Bitmap decoded;
  ASSERT_TRUE(decoded.LoadFromBytes(jpeg));
  Gdiplus::ARGB original = 0, lossy = 0;
  ASSERT_TRUE(pattern.GetPixel(12, 8, original));
  ASSERT_TRUE(decoded.GetPixel(12, 8, lossy));
  for (int shift = 0; shift <= 16; shift += 8) EXPECT_NEAR((original >> shift) & 0xFF, (lossy >> shift) & 0xFF, 24);
}

TEST(ImageFiles, SaveAndLoadUnderAChineseNameWithTheDefaultBmpEncoder) {
  Bitmap pattern = MakePattern();
  tltest::ScratchFolder folder("gfx");
  const std::string pngPath = folder.path() + "\\图片一.png";
  ASSERT_TRUE(pattern.SaveToFile(pngPath, kImageFormatPng));
  Image image;
  ASSERT_TRUE(image.LoadFromFile(pngPath));
  EXPECT_EQ(std::string(kImageFormatPng), image.GetRawFormat());
  EXPECT_EQ(BitmapPixels(pattern), Pixels(image));
  image.Delete();  // lets go of the file

  const std::string bmpPath = folder.path() + "\\默认.bmp";
  ASSERT_TRUE(pattern.SaveToFile(bmpPath));  // no format: BMP
  const std::string bytes = tltest::ReadFileBytes(bmpPath);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ("BM", bytes.substr(0, 2));
  Bitmap bmp;
  ASSERT_TRUE(bmp.LoadFromFile(bmpPath));
  EXPECT_EQ(std::string(kImageFormatBmp), bmp.GetRawFormat());
  EXPECT_EQ(BitmapPixels(pattern), BitmapPixels(bmp));
}

TEST(ImageBadInput, EmptyBytesUnknownEncodersAndBadParametersFailSafely) {
  Bitmap pattern = MakePattern();

  Image image;
  lastGdiplusStatus = kSentinel;
  EXPECT_FALSE(image.LoadFromBytes(ByteArray{}));
  EXPECT_EQ(Gdiplus::InvalidParameter, lastGdiplusStatus);
  EXPECT_TRUE(image.empty());
  Bitmap bitmap;
  EXPECT_FALSE(bitmap.LoadFromBytes(ByteArray{}));
  EXPECT_TRUE(bitmap.empty());

  // Bytes that are no picture: GDI+ refuses them, the image stays empty.
  EXPECT_FALSE(image.LoadFromBytes(ToBytes("not a picture at all")));
  EXPECT_NE(Gdiplus::Ok, lastGdiplusStatus);
  EXPECT_TRUE(image.empty());

  // An encoder GUID that no installed encoder has: no save is made.
  tltest::ScratchFolder folder("gfx");
  const std::string path = folder.path() + "\\unknown.img";
  EXPECT_EQ("", FindEncoderClsid("{12345678-1234-1234-1234-123456789ABC}"));
  EXPECT_FALSE(pattern.SaveToFile(path, "{12345678-1234-1234-1234-123456789ABC}"));
  EXPECT_EQ(Gdiplus::UnknownImageFormat, lastGdiplusStatus);
  EXPECT_FALSE(tltest::FileExists(path));
  // The lookup compares texts exactly: a lower-case GUID is not the PNG format.
  EXPECT_FALSE(pattern.SaveToFile(path, "{b96b3caf-0728-11d3-9d7b-0000f81ef32e}"));
  EXPECT_FALSE(tltest::FileExists(path));
  MemoryStream stream;
  ASSERT_NE(nullptr, stream.Open(ByteArray{}));
  EXPECT_FALSE(pattern.SaveToStream(stream, "not a guid"));
  EXPECT_TRUE(stream.ReadBytes().empty());
  EXPECT_TRUE(pattern.SaveToBytes("{00000000-0000-0000-0000-000000000000}").empty());
  MemoryStream closed;
  EXPECT_FALSE(pattern.SaveToStream(closed, kImageFormatPng));

  // Parameters whose values are shorter than their count promises are refused.
  auto parameters = JpegQuality(50);
  parameters[0].count = 4;
  EXPECT_FALSE(pattern.SaveToFile(path, kImageFormatJpeg, &parameters));
  EXPECT_EQ(Gdiplus::InvalidParameter, lastGdiplusStatus);
  parameters[0].count = 1;
  parameters[0].guid = "{quality}";
  EXPECT_FALSE(pattern.SaveToFile(path, kImageFormatJpeg, &parameters));
  EXPECT_FALSE(tltest::FileExists(path));

  // Operations on an empty image fail cleanly.
  Image nothing;
  EXPECT_EQ(0u, nothing.GetWidth());
  EXPECT_EQ("", nothing.GetRawFormat());
  EXPECT_FALSE(nothing.SaveToFile(path, kImageFormatPng));
}

TEST(ImageCodec, GuidTextsAndEncoderLookup) {
  gfxtest::EnsureGdiplus();
  GUID png{};
  ASSERT_TRUE(TextToGuid(kImageFormatPng, png));
  EXPECT_EQ(std::string(kImageFormatPng), GuidToText(png));
  EXPECT_FALSE(TextToGuid("{B96B3CAF-0728-11D3-9D7B-0000F81EF32E", png));
  EXPECT_FALSE(TextToGuid("", png));
  // The installed PNG encoder: its class id is a braced GUID text.
  const std::string clsid = FindEncoderClsid(kImageFormatPng);
  ASSERT_EQ(38u, clsid.size());
  EXPECT_EQ('{', clsid.front());
  EXPECT_EQ("", FindEncoderClsid(""));
}
