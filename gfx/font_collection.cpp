#include "gfx/font_collection.h"

#include <climits>

#include "gfx/wide_text.h"

namespace tunelark {

FontCollection& FontCollection::operator=(FontCollection&& other) noexcept {
  if (this != &other) {
    Reset();
    handle_ = std::exchange(other.handle_, nullptr);
    isPrivate_ = other.isPrivate_;
  }
  return *this;
}

FontCollection::~FontCollection() { Reset(); }

void FontCollection::Reset() {
  if (handle_ && isPrivate_) gdip::GdipDeletePrivateFontCollection(&handle_);
  handle_ = nullptr;
  isPrivate_ = false;
}

bool FontCollection::Hold(Gdiplus::Status status, Gdiplus::GpFontCollection* made, bool isPrivate) {
  if (!TrackStatus(status)) return false;
  Reset();
  handle_ = made;
  isPrivate_ = isPrivate;
  return true;
}

bool FontCollection::OpenInstalled() {
  Gdiplus::GpFontCollection* made = nullptr;
  const Gdiplus::Status status = gdip::GdipNewInstalledFontCollection(&made);
  return Hold(status, made, false);
}

bool FontCollection::CreatePrivate() {
  Gdiplus::GpFontCollection* made = nullptr;
  const Gdiplus::Status status = gdip::GdipNewPrivateFontCollection(&made);
  return Hold(status, made, true);
}

bool FontCollection::AddFontFile(std::string_view fileName) {
  if (!handle_ || !isPrivate_) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  const std::wstring name = ToWide(fileName);
  return TrackStatus(gdip::GdipPrivateAddFontFile(handle_, name.c_str()));
}

bool FontCollection::AddMemoryFont(const ByteArray& fontBytes) {
  if (!handle_ || !isPrivate_ || fontBytes.empty() || fontBytes.size() > INT_MAX) {
    lastGdiplusStatus = Gdiplus::InvalidParameter;
    return false;
  }
  return TrackStatus(gdip::GdipPrivateAddMemoryFont(handle_, fontBytes.data(), static_cast<INT>(fontBytes.size())));
}

bool FontCollection::GetFamilyCount(int& count) const {
  INT n = 0;
  const bool ok = TrackStatus(gdip::GdipGetFontCollectionFamilyCount(handle_, &n));
  count = n;
  return ok;
}

bool FontCollection::GetFamilies(std::vector<FontFamily>& families) const {
  families.clear();
  int count = 0;
  if (!GetFamilyCount(count)) return false;
  if (count < 0 || count > 0xFFFFF) {
    lastGdiplusStatus = Gdiplus::GenericError;
    return false;
  }
  if (count == 0) return true;
  std::vector<Gdiplus::GpFontFamily*> raw(static_cast<size_t>(count), nullptr);
  INT found = 0;
  if (!TrackStatus(gdip::GdipGetFontCollectionFamilyList(handle_, count, raw.data(), &found))) return false;
  if (found < 0 || found > count) found = count;
  // The list's families belong to the collection: each caller object gets its own clone.
  for (INT i = 0; i < found; ++i) {
    Gdiplus::GpFontFamily* clone = nullptr;
    if (!raw[static_cast<size_t>(i)] || !TrackStatus(gdip::GdipCloneFontFamily(raw[static_cast<size_t>(i)], &clone))) {
      families.clear();
      return false;
    }
    families.emplace_back(clone);
  }
  return true;
}

bool FontCollection::Delete() {
  if (!handle_) return false;
  if (isPrivate_) {
    Gdiplus::GpFontCollection* h = std::exchange(handle_, nullptr);
    isPrivate_ = false;
    return TrackStatus(gdip::GdipDeletePrivateFontCollection(&h));
  }
  handle_ = nullptr;  // the installed collection is shared and never deleted
  return true;
}

}  // namespace tunelark
