// GdiplusObject<Native, Delete>: the move-only owner of one native GDI+ object that every
// class of the graphics layer builds on. It holds the handle (null = empty), attaches new
// objects made by creation operations, and deletes with the right GDI+ function.
//
// The layer's objects own their native object: the destructor deletes it, moving hands it
// on, and copying is not possible (use the classes' Clone operations for a second object).
// So two objects never share one native object, and forgetting a delete cannot leak it;
// Delete still exists for callers that want the native object gone before the scope ends.
#pragma once
#include <utility>

#include "gfx/gdiplus_api.h"

namespace tunelark {

template <typename Native, auto DeleteFn>
class GdiplusObject {
 public:
  using NativeType = Native;

  GdiplusObject() = default;
  // Takes ownership of an existing native object.
  explicit GdiplusObject(Native* handle) : handle_(handle) {}
  GdiplusObject(GdiplusObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiplusObject& operator=(GdiplusObject&& other) noexcept {
    if (this != &other) Attach(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiplusObject(const GdiplusObject&) = delete;
  GdiplusObject& operator=(const GdiplusObject&) = delete;
  // Deleting on destruction does not touch lastGdiplusStatus.
  ~GdiplusObject() {
    if (handle_) DeleteFn(handle_);
  }

  Native* handle() const { return handle_; }
  bool empty() const { return handle_ == nullptr; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Owns h from now on; the object held before (if another one) is deleted.
  void Attach(Native* h) {
    if (handle_ && handle_ != h) DeleteFn(handle_);
    handle_ = h;
  }
  // Hands the native object to the caller, who must delete it; the object is empty after.
  Native* Detach() { return std::exchange(handle_, nullptr); }

  // Deletes the native object. On an empty object: false, no GDI+ call, status untouched.
  bool Delete() {
    if (!handle_) return false;
    Native* h = std::exchange(handle_, nullptr);
    return TrackStatus(DeleteFn(h));
  }

  // Status convention of creation operations: on Ok the new object replaces the held one;
  // on failure the held object stays as it was and anything GDI+ made is deleted.
  // made is read by reference, after the creating call (an argument of this call) has run.
  bool Adopt(Gdiplus::Status status, Native* const& made) {
    if (!TrackStatus(status)) {
      if (made) DeleteFn(made);
      return false;
    }
    Attach(made);
    return true;
  }

 private:
  Native* handle_ = nullptr;
};

}  // namespace tunelark
