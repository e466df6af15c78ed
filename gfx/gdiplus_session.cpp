#include "gfx/gdiplus_session.h"

namespace tunelark {

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

GdiplusSession& GdiplusSession::operator=(GdiplusSession&& other) noexcept {
  if (this != &other) {
    Shutdown();
    token_ = std::exchange(other.token_, 0);
  }
  return *this;
}

GdiplusSession::~GdiplusSession() { Shutdown(); }

void GdiplusSession::Shutdown() {
  if (token_) Gdiplus::GdiplusShutdown(std::exchange(token_, 0));
}

}  // namespace tunelark
