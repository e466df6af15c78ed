#include "skin/controls/control_paint.h"

#include "skin/skin_geometry.h"
#include "skin/subclass.h"
#include "skin/window_props.h"

namespace tunelark {

Canvas::Canvas(HDC dc, int width, int height) : dc_(dc), width_(width), height_(height) {}

Graphics& Canvas::graphics() {
  if (!graphics_) graphics_.emplace(dc_, width_, height_, DibGraphics::On::DC);
  return graphics_->get();
}

Graphics& Canvas::pixelGraphics() {
  if (!graphics_) graphics_.emplace(dc_, width_, height_, DibGraphics::On::PixelsOrDC);
  return graphics_->get();
}

void Canvas::Wash(int alpha) {
  Flush();  // what was drawn so far reaches the pixels first
  WashWithWhite(dc_, width_, height_, alpha);
}

void Canvas::Flush() {
  if (graphics_ && graphics_->ok()) graphics_->get().Flush(Gdiplus::FlushIntentionSync);
}

namespace {

HDC BeginTarget(HWND control, PaintTarget target, HDC given, PAINTSTRUCT& ps) {
  switch (target) {
    case PaintTarget::BeginPaint: return BeginPaint(control, &ps);
    case PaintTarget::WindowDC: return GetDC(control);
    case PaintTarget::Given: return given;
    case PaintTarget::WholeWindow: return GetWindowDC(control);
  }
  return nullptr;
}

}  // namespace

ControlPaint::ControlPaint(HWND control, PaintTarget target, HDC given, const RECT* area, Backdrop backdrop)
    : control_(control), target_(target) {
  screen_ = BeginTarget(control, target, given, ps_);
  if (area) {
    area_ = *area;
  } else if (target == PaintTarget::WholeWindow) {
    RECT w{};
    GetWindowRect(control, &w);
    area_ = RECT{0, 0, w.right - w.left, w.bottom - w.top};
  } else {
    GetClientRect(control, &area_);
  }
  MakeCanvas(backdrop);
}

void ControlPaint::MakeCanvas(Backdrop backdrop) {
  const int w = area_.right - area_.left, h = area_.bottom - area_.top;
  if (!screen_ || w <= 0 || h <= 0) return;
  if (SkinEngine* engine = SkinEngine::Current()) {
    // The snapshot takes window coordinates: the client area's place inside the window.
    RECT r = area_;
    if (target_ != PaintTarget::WholeWindow) {
      const RECT client = ClientRectInWindow(control_);
      r = RECT{client.left + area_.left, client.top + area_.top, client.left + area_.right, client.top + area_.bottom};
    }
    snapshot_ = BackgroundSnapshot(*engine, control_, r);
  }
  if (snapshot_) {
    canvas_.emplace(snapshot_.get(), w, h);
    return;
  }
  if (backdrop == Backdrop::SkinOnly) return;
  // Not on a skinned window: compose over the dialog colour.
  if (!fallback_.Make(screen_, w, h, OffscreenDC::Kind::LikeDC)) return;
  fallback_.Fill(GetSysColor(COLOR_BTNFACE));
  canvas_.emplace(fallback_.dc(), w, h);
}

void ControlPaint::ExcludeFromCopy(const RECT& r) {
  if (screen_) ExcludeClipRect(screen_, r.left, r.top, r.right, r.bottom);
}

void ControlPaint::ExcludeVisibleChildren() {
  if (screen_) tunelark::ExcludeVisibleChildren(control_, screen_);
}

void ControlPaint::Present() {
  if (presented_ || !canvas_) return;
  presented_ = true;
  canvas_->Flush();
  const int w = canvas_->width(), h = canvas_->height();
  if (keyed_)
    TransparentBlt(screen_, area_.left, area_.top, w, h, canvas_->dc(), 0, 0, w, h, RGB(255, 0, 255));
  else
    BitBlt(screen_, area_.left, area_.top, w, h, canvas_->dc(), 0, 0, SRCCOPY);
}

ControlPaint::~ControlPaint() {
  Present();
  canvas_.reset();  // GDI+ graphics go before their DC
  fallback_.Reset();
  snapshot_.reset();
  switch (target_) {
    case PaintTarget::BeginPaint: EndPaint(control_, &ps_); break;
    case PaintTarget::WindowDC:
    case PaintTarget::WholeWindow:
      if (screen_) ReleaseDC(control_, screen_);
      break;
    case PaintTarget::Given: break;
  }
}

namespace {
// The control whose WM_PAINT is inside BeginPaint on this thread (which may send WM_NCPAINT).
thread_local HWND g_beginningPaint = nullptr;
}  // namespace

void ValidateInsideBeginPaint(HWND control) {
  g_beginningPaint = control;
  PaintDC validate(control);
  g_beginningPaint = nullptr;
}

bool PaintFollows(HWND control) { return control == g_beginningPaint || GetUpdateRect(control, nullptr, FALSE); }

}  // namespace tunelark
