// A move-only owner for the handles of the two HTTP stacks (WinINet and WinHttp both hand
// out an opaque HINTERNET). The release function is a template argument, so this header
// needs neither wininet.h nor winhttp.h, which cannot share a translation unit.
#pragma once
#include <windows.h>

namespace tunelark {

template <BOOL(WINAPI* Close)(void*)>
class UniqueInternetHandle {
 public:
  UniqueInternetHandle() = default;
  explicit UniqueInternetHandle(void* handle) : handle_(handle) {}
  ~UniqueInternetHandle() { Reset(); }
  UniqueInternetHandle(UniqueInternetHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  UniqueInternetHandle& operator=(UniqueInternetHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = other.handle_;
      other.handle_ = nullptr;
    }
    return *this;
  }
  UniqueInternetHandle(const UniqueInternetHandle&) = delete;
  UniqueInternetHandle& operator=(const UniqueInternetHandle&) = delete;

  void* get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_) Close(handle_);
    handle_ = nullptr;
  }

 private:
  void* handle_ = nullptr;
};

}  // namespace tunelark
