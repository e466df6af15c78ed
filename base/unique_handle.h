// UniqueHandle: the one move-only owner of a platform handle in this program.
//
// The release policy is a small object stored beside the handle, so it can carry what the
// release needs (the window for ReleaseDC, the skin engine for a registered snapshot DC):
//
//   struct CloseFile { void operator()(HANDLE h) const { CloseHandle(h); } };
//   using FileHandle = UniqueHandle<HANDLE, CloseFile>;
//
//   struct ReleaseWindowDc { HWND window; void operator()(HDC dc) const { ReleaseDC(window, dc); } };
//   UniqueHandle<HDC, ReleaseWindowDc> dc(GetDC(w), ReleaseWindowDc{w});
//
// Verbs: get(), release() (hands the handle over without releasing it), reset(handle)
// (releases what is held, then holds handle), explicit operator bool. A null handle is
// empty; policies whose handle type has another "no handle" value (INVALID_HANDLE_VALUE)
// say so with a static `Invalid()` member.
#pragma once
#include <type_traits>
#include <utility>

namespace tunelark {

namespace handle_detail {
template <typename P, typename T>
concept HasInvalid = requires { { P::Invalid() } -> std::convertible_to<T>; };
}  // namespace handle_detail

template <typename T, typename Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle, Release release = Release{}) : handle_(handle), release_(std::move(release)) {}
  UniqueHandle(UniqueHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, Empty())), release_(std::move(other.release_)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Empty());
      release_ = std::move(other.release_);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty(); }
  T release() { return std::exchange(handle_, Empty()); }
  void reset(T handle = Empty()) {
    if (handle_ != Empty() && handle_) release_(handle_);
    handle_ = handle;
  }
  const Release& policy() const { return release_; }

  static T Empty() {
    if constexpr (handle_detail::HasInvalid<Release, T>)
      return Release::Invalid();
    else
      return T{};
  }

 private:
  T handle_ = Empty();
  [[no_unique_address]] Release release_{};
};

}  // namespace tunelark
