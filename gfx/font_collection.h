// FontCollection: the installed fonts or a private collection of font files / font bytes,
// and the list of their families as owned FontFamily objects.
#pragma once
#include <string_view>
#include <utility>
#include <vector>

#include "gfx/font_family.h"
#include "gfx/gdiplus_api.h"
#include "base/byte_array.h"

namespace tunelark {

class FontCollection {
 public:
  FontCollection() = default;
  FontCollection(FontCollection&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)), isPrivate_(other.isPrivate_) {}
  FontCollection& operator=(FontCollection&& other) noexcept;
  FontCollection(const FontCollection&) = delete;
  FontCollection& operator=(const FontCollection&) = delete;
  ~FontCollection();

  // The system's installed fonts (a shared collection that is never deleted).
  bool OpenInstalled();
  // A new, empty private collection, deleted with this object.
  bool CreatePrivate();
  bool AddFontFile(std::string_view fileName);     // private collections only
  bool AddMemoryFont(const ByteArray& fontBytes);  // private collections only

  bool GetFamilyCount(int& count) const;
  // Every family of the collection, each an owned clone; false (and empty) on failure.
  bool GetFamilies(std::vector<FontFamily>& families) const;

  bool Delete();  // false on an empty object, no GDI+ call
  Gdiplus::GpFontCollection* handle() const { return handle_; }
  bool empty() const { return handle_ == nullptr; }

 private:
  void Reset();
  // On Ok: holds made (a private collection or the installed one) in place of the collection
  // held before. On failure nothing changes.
  bool Hold(Gdiplus::Status status, Gdiplus::GpFontCollection* made, bool isPrivate);
  Gdiplus::GpFontCollection* handle_ = nullptr;
  bool isPrivate_ = false;
};

}  // namespace tunelark
