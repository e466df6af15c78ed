// GdiplusSession: starts GDI+ (GdiplusStartup) on construction and shuts it down with the
// token on destruction; move-only. Nothing is shut down when start-up failed.
#pragma once
#include <utility>

#include "gfx/gdiplus_api.h"

namespace tunelark {

class GdiplusSession {
 public:
  GdiplusSession();
  GdiplusSession(GdiplusSession&& other) noexcept : token_(std::exchange(other.token_, 0)) {}
  GdiplusSession& operator=(GdiplusSession&& other) noexcept;
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  ~GdiplusSession();

  bool started() const { return token_ != 0; }
  ULONG_PTR token() const { return token_; }
  // Shuts down now (when started); the session is then empty.
  void Shutdown();

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace tunelark
