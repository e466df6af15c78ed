#include "gfx/image.h"

#include <cstddef>
#include <cstring>

#include "gfx/wide_text.h"

namespace tunelark {

namespace {

// Bytes one value of an encoder parameter type takes; 0 for types this layer does not pass.
size_t ValueSize(int type) {
  switch (type) {
    case Gdiplus::EncoderParameterValueTypeByte:
    case Gdiplus::EncoderParameterValueTypeASCII:
    case Gdiplus::EncoderParameterValueTypeUndefined: return 1;
    case Gdiplus::EncoderParameterValueTypeShort: return 2;
    case Gdiplus::EncoderParameterValueTypeLong: return 4;
    case Gdiplus::EncoderParameterValueTypeRational:
    case Gdiplus::EncoderParameterValueTypeLongRange: return 8;
    case Gdiplus::EncoderParameterValueTypeRationalRange: return 16;
    default: return 0;
  }
}

// The native EncoderParameters block built from the caller's list. Its value pointers
// point into the caller's parameters, which outlive the save call.
class EncoderBlock {
 public:
  // False (status InvalidParameter) when a GUID text is not a GUID or a value array is
  // shorter than its count and type say: GDI+ would read past it.
  bool Build(const std::vector<EncoderParameter>& parameters) {
    if (parameters.empty() || parameters.size() > 1024) return Fail();
    const size_t bytes =
        offsetof(Gdiplus::EncoderParameters, Parameter) + parameters.size() * sizeof(Gdiplus::EncoderParameter);
    block_.assign(bytes / sizeof(std::max_align_t) + 1, std::max_align_t{});
    auto* list = reinterpret_cast<Gdiplus::EncoderParameters*>(block_.data());
    list->Count = static_cast<UINT>(parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i) {
      const EncoderParameter& p = parameters[i];
      Gdiplus::EncoderParameter& native = list->Parameter[i];
      const size_t valueSize = ValueSize(p.type);
      if (!TextToGuid(p.guid, native.Guid) || p.count < 0 || valueSize == 0 ||
          p.values.size() < static_cast<size_t>(p.count) * valueSize)
        return Fail();
      native.NumberOfValues = static_cast<ULONG>(p.count);
      native.Type = static_cast<ULONG>(p.type);
      native.Value = const_cast<unsigned char*>(p.values.data());
    }
    return true;
  }
  Gdiplus::EncoderParameters* get() {
    return block_.empty() ? nullptr : reinterpret_cast<Gdiplus::EncoderParameters*>(block_.data());
  }

 private:
  static bool Fail() {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  std::vector<std::max_align_t> block_;
};

// Encoder class identifier for the format text (empty = BMP). False, with status
// UnknownImageFormat and no save made, when no installed encoder has that format.
bool EncoderFor(std::string_view format, CLSID& clsid) {
  const std::string text = FindEncoderClsid(format.empty() ? std::string_view(kImageFormatBmp) : format);
  if (text.empty() || !TextToGuid(text, clsid)) {
    lastGdiplusStatus = Gdiplus::UnknownImageFormat;
    return false;
  }
  return true;
}

// Encoder and optional parameter block, ready for a save call.
bool PrepareSave(std::string_view format, const std::vector<EncoderParameter>* parameters, CLSID& clsid,
                 EncoderBlock& block) {
  if (!EncoderFor(format, clsid)) return false;
  return !parameters || block.Build(*parameters);
}

}  // namespace

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    Base::operator=(std::move(static_cast<Base&>(other)));  // disposes our image first
    loadStream = std::move(other.loadStream);
    saveStream = std::move(other.saveStream);
  }
  return *this;
}

void Image::Attach(Gdiplus::GpImage* h) {
  if (h == handle()) return;
  Base::Attach(h);
  loadStream.Close();
}

bool Image::Delete() {
  if (empty()) return false;
  const bool ok = Base::Delete();
  loadStream.Close();
  saveStream.Close();
  return ok;
}

bool Image::Adopt(Gdiplus::Status status, Gdiplus::GpImage* const& made) {
  if (!TrackStatus(status)) {
    if (made) gdip::GdipDisposeImage(made);
    return false;
  }
  Attach(made);
  return true;
}

bool Image::AdoptStreamImage(Gdiplus::Status status, Gdiplus::GpImage* made, MemoryStream& stream) {
  if (!TrackStatus(status)) {
    if (made) gdip::GdipDisposeImage(made);
    return false;
  }
  Base::Attach(made);              // the old image goes first,
  loadStream = std::move(stream);  // then the stream it may have read from
  return true;
}

bool Image::LoadFromFile(std::string_view fileName, bool useIcm) { return LoadFromFileW(ToWide(fileName), useIcm); }

bool Image::LoadFromFileW(std::wstring_view fileName, bool useIcm) {
  const std::wstring name(fileName);
  Gdiplus::GpImage* made = nullptr;
  return Adopt(
      useIcm ? gdip::GdipLoadImageFromFileICM(name.c_str(), &made) : gdip::GdipLoadImageFromFile(name.c_str(), &made),
      made);
}

bool Image::LoadFromBytes(const ByteArray& bytes, bool useIcm) {
  if (bytes.empty()) return TrackStatus(Gdiplus::InvalidParameter);
  MemoryStream stream;
  IStream* s = stream.Open(bytes);
  if (!s) return TrackStatus(Gdiplus::OutOfMemory);
  Gdiplus::GpImage* made = nullptr;
  const Gdiplus::Status status =
      useIcm ? gdip::GdipLoadImageFromStreamICM(s, &made) : gdip::GdipLoadImageFromStream(s, &made);
  return AdoptStreamImage(status, made, stream);
}

bool Image::Clone(Image& into) const {
  Gdiplus::GpImage* made = nullptr;
  return into.Adopt(gdip::GdipCloneImage(handle(), &made), made);
}

std::vector<EncoderParameter> Image::GetEncoderParameterList(std::string_view formatText) const {
  std::vector<EncoderParameter> result;
  CLSID clsid;
  if (!EncoderFor(formatText, clsid)) return result;
  UINT size = 0;
  if (!TrackStatus(gdip::GdipGetEncoderParameterListSize(handle(), &clsid, &size)) ||
      size < sizeof(Gdiplus::EncoderParameters) || size > 0x100000)
    return result;
  std::vector<std::max_align_t> block(size / sizeof(std::max_align_t) + 1);
  auto* list = reinterpret_cast<Gdiplus::EncoderParameters*>(block.data());
  if (!TrackStatus(gdip::GdipGetEncoderParameterList(handle(), &clsid, size, list))) return result;
  const size_t fits = (size - offsetof(Gdiplus::EncoderParameters, Parameter)) / sizeof(Gdiplus::EncoderParameter);
  for (UINT i = 0; i < list->Count && i < fits; ++i) {
    const Gdiplus::EncoderParameter& p = list->Parameter[i];
    EncoderParameter out;
    out.guid = GuidToText(p.Guid);
    out.type = static_cast<int>(p.Type);
    out.count = static_cast<int>(p.NumberOfValues);
    const size_t n = static_cast<size_t>(p.NumberOfValues) * ValueSize(out.type);
    if (p.Value && n > 0 && n < 0x100000) {
      const auto* v = static_cast<const unsigned char*>(p.Value);
      out.values.assign(v, v + n);
    }
    result.push_back(std::move(out));
  }
  return result;
}

bool Image::SaveToFile(std::string_view fileName, std::string_view format,
                       const std::vector<EncoderParameter>* parameters) const {
  return SaveToFileW(ToWide(fileName), format, parameters);
}

bool Image::SaveToFileW(std::wstring_view fileName, std::string_view format,
                        const std::vector<EncoderParameter>* parameters) const {
  CLSID clsid;
  EncoderBlock block;
  if (!PrepareSave(format, parameters, clsid, block)) return false;
  const std::wstring name(fileName);
  return TrackStatus(gdip::GdipSaveImageToFile(handle(), name.c_str(), &clsid, block.get()));
}

bool Image::SaveToStream(MemoryStream& stream, std::string_view format,
                         const std::vector<EncoderParameter>* parameters) const {
  if (!stream.stream()) return TrackStatus(Gdiplus::InvalidParameter);
  CLSID clsid;
  EncoderBlock block;
  if (!PrepareSave(format, parameters, clsid, block)) return false;
  return TrackStatus(gdip::GdipSaveImageToStream(handle(), stream.stream(), &clsid, block.get()));
}

ByteArray Image::SaveToBytes(std::string_view format, const std::vector<EncoderParameter>* parameters) {
  if (!saveStream.Open(nullptr, 0)) {
    lastGdiplusStatus = Gdiplus::OutOfMemory;
    return {};
  }
  ByteArray bytes;
  if (SaveToStream(saveStream, format, parameters)) bytes = saveStream.ReadBytes();
  saveStream.Close();
  return bytes;
}

bool Image::SaveAdd(const std::vector<EncoderParameter>& parameters) {
  EncoderBlock block;
  if (!block.Build(parameters)) return false;
  return TrackStatus(gdip::GdipSaveAdd(handle(), block.get()));
}

bool Image::SaveAddImage(const Image& frame, const std::vector<EncoderParameter>& parameters) {
  EncoderBlock block;
  if (!block.Build(parameters)) return false;
  return TrackStatus(gdip::GdipSaveAddImage(handle(), frame.handle(), block.get()));
}

bool Image::GetType(Gdiplus::ImageType& type) const { return TrackStatus(gdip::GdipGetImageType(handle(), &type)); }

bool Image::GetDimension(float& width, float& height) const {
  return TrackStatus(gdip::GdipGetImageDimension(handle(), &width, &height));
}

bool Image::GetBounds(Gdiplus::RectF& bounds, Gdiplus::Unit& unit) const {
  return TrackStatus(gdip::GdipGetImageBounds(handle(), &bounds, &unit));
}

UINT Image::GetWidth() const {
  UINT width = 0;
  return TrackStatus(gdip::GdipGetImageWidth(handle(), &width)) ? width : 0;
}

UINT Image::GetHeight() const {
  UINT height = 0;
  return TrackStatus(gdip::GdipGetImageHeight(handle(), &height)) ? height : 0;
}

bool Image::GetHorizontalResolution(float& dpi) const {
  return TrackStatus(gdip::GdipGetImageHorizontalResolution(handle(), &dpi));
}

bool Image::GetVerticalResolution(float& dpi) const {
  return TrackStatus(gdip::GdipGetImageVerticalResolution(handle(), &dpi));
}

bool Image::GetFlags(UINT& flags) const { return TrackStatus(gdip::GdipGetImageFlags(handle(), &flags)); }

std::string Image::GetRawFormat() const {
  GUID format{};
  if (!TrackStatus(gdip::GdipGetImageRawFormat(handle(), &format))) return {};
  return GuidToText(format);
}

bool Image::GetPixelFormat(Gdiplus::PixelFormat& format) const {
  return TrackStatus(gdip::GdipGetImagePixelFormat(handle(), &format));
}

bool Image::GetThumbnail(UINT width, UINT height, Image& thumbnail) const {
  Gdiplus::GpImage* made = nullptr;
  return thumbnail.Adopt(gdip::GdipGetImageThumbnail(handle(), width, height, &made, nullptr, nullptr), made);
}

bool Image::GetFrameDimensionsList(std::vector<std::string>& dimensions) const {
  dimensions.clear();
  UINT count = 0;
  if (!TrackStatus(gdip::GdipImageGetFrameDimensionsCount(handle(), &count))) return false;
  if (count == 0) return true;
  if (count > 1024) return TrackStatus(Gdiplus::GenericError);
  std::vector<GUID> ids(count);
  if (!TrackStatus(gdip::GdipImageGetFrameDimensionsList(handle(), ids.data(), count))) return false;
  for (const GUID& id : ids) dimensions.push_back(GuidToText(id));
  return true;
}

bool Image::GetFrameCount(std::string_view dimension, UINT& count) const {
  GUID id;
  if (!TextToGuid(dimension, id)) return TrackStatus(Gdiplus::InvalidParameter);
  return TrackStatus(gdip::GdipImageGetFrameCount(handle(), &id, &count));
}

bool Image::SelectActiveFrame(std::string_view dimension, UINT index) {
  GUID id;
  if (!TextToGuid(dimension, id)) return TrackStatus(Gdiplus::InvalidParameter);
  return TrackStatus(gdip::GdipImageSelectActiveFrame(handle(), &id, index));
}

bool Image::RotateFlip(Gdiplus::RotateFlipType type) { return TrackStatus(gdip::GdipImageRotateFlip(handle(), type)); }

}  // namespace tunelark
