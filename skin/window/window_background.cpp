#include "skin/window/window_background.h"

#include <utility>

#include "gfx/bitmap.h"
#include "gfx/brushes.h"
#include "gfx/graphics.h"
#include "gfx/graphics_path.h"
#include "gfx/pen.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/skin_paths.h"
#include "skin/window/child_excluding_dc.h"
#include "skin/window_props.h"

namespace tunelark {

namespace {

constexpr Gdiplus::ARGB kMagenta = 0xFFFF00FF;

}  // namespace

// ---------------------------------------------------------------------------------------
// BackBuffer

bool BackBuffer::Prepare(HWND window, int width, int height) {
  if (surface_ && width == surface_.width() && height == surface_.height()) return true;
  const bool first = !surface_.dc();
  if (!surface_.Ensure(nullptr, width, height, OffscreenDC::Kind::Dib32)) return false;
  if (first) SetHandleProp(window, prop::kOriginalBackBitmap, surface_.previous());
  SetHandleProp(window, prop::kBackBitmap, surface_.bitmap());
  return true;
}

void BackBuffer::Adopt(HWND window, HDC dc, HBITMAP bitmap, HGDIOBJ original) {
  Release();
  surface_ = OffscreenDC::Adopt(dc, bitmap, original);
  SetHandleProp(window, prop::kOriginalBackBitmap, original);
  SetHandleProp(window, prop::kBackBitmap, bitmap);
}

void BackBuffer::Release() {
  surface_.Reset();
  captionStrip.Reset();
  statusStrip.Reset();
  baseLayer_.Reset();
  baseKey_ = {};
}

const Bitmap* DecodedPictures::Get(const ByteArray& bytes) {
  if (bytes.empty()) return nullptr;
  constexpr size_t kKept = 4;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].bytes != bytes) continue;
    if (i > 0) std::swap(entries_[i], entries_[0]);
    return entries_[0].bitmap.get();
  }
  auto bitmap = std::make_shared<Bitmap>();
  if (!bitmap->LoadFromBytes(bytes) || bitmap->GetWidth() == 0 || bitmap->GetHeight() == 0) bitmap.reset();
  entries_.insert(entries_.begin(), Entry{bytes, std::move(bitmap)});
  if (entries_.size() > kKept) entries_.pop_back();
  return entries_[0].bitmap.get();
}

Graphics* OpenBackGraphics(BackBuffer& back, std::optional<DibGraphics>& holder) {
  holder.emplace(back.dc(), back.width(), back.height(), DibGraphics::On::PixelsOrDC);
  return holder->ok() ? &holder->get() : nullptr;
}

// ---------------------------------------------------------------------------------------
// Painting the background

namespace {

// The picture in use and its layout: the window's own, else the engine-wide one.
struct PictureInUse {
  const ByteArray* bytes;
  int layoutMode;
  COLORREF baseColour;
};

PictureInUse PictureOf(const SkinEngine& engine, const SkinInstance& skin) {
  if (!skin.picture.bytes.empty()) return {&skin.picture.bytes, skin.picture.layoutMode, skin.picture.baseColour};
  return {&engine.background.picture, engine.background.layoutMode, engine.background.baseColour};
}

// Copies of the picture side by side across w, each mirrored against the one before.
bool DrawMirroredTiles(Graphics& graphics, const Bitmap& picture, int w) {
  const int pw = static_cast<int>(picture.GetWidth()), ph = static_cast<int>(picture.GetHeight());
  if (pw <= 0 || ph <= 0) return false;  // an undecodable picture would never reach the edge
  Bitmap tiles, flipped;
  if (!tiles.CreateFromScan0(w, ph, 0, PixelFormat32bppPARGB) || !picture.CloneAreaI({0, 0, pw, ph}, PixelFormat32bppARGB, flipped) ||
      !flipped.RotateFlip(Gdiplus::RotateNoneFlipX))
    return false;
  Graphics g;
  if (!g.CreateOnImage(tiles)) return false;
  for (int k = 0;; ++k) {
    g.DrawImageRectI(k % 2 == 0 ? picture : flipped, k * pw, 0, pw, ph);
    if (w - k * pw <= 0) break;  // that copy lies outside the bitmap
  }
  return graphics.DrawImageRectI(tiles, 0, 0, w, ph);
}

void DrawPicture(Graphics& graphics, const Bitmap& picture, int mode, int w, int h) {
  const int pw = static_cast<int>(picture.GetWidth()), ph = static_cast<int>(picture.GetHeight());
  switch (mode) {
    case 0: graphics.DrawImageRectI(picture, 0, 0, pw, ph); break;
    case 1: graphics.DrawImageRectI(picture, w - pw, 0, pw, ph); break;
    case 2: graphics.DrawImageRectI(picture, (w - pw) / 2, (h - ph) / 2, pw, ph); break;
    case 3: graphics.DrawImageRectI(picture, 0, 0, w, h); break;
    case 4: DrawMirroredTiles(graphics, picture, w); break;
    default: break;
  }
}

// The window's rounded shape: its whole window rectangle, frame included, and where the
// client area (the back buffer) lies in it. A window without a frame has its client area
// at (0, 0) and of the window's size.
struct WindowShape {
  int width = 0, height = 0;     // the window rectangle's size
  int clientX = 0, clientY = 0;  // the client origin in window coordinates
};

WindowShape ShapeOf(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  const RECT client = ClientRectInWindow(window);
  return {outer.right - outer.left, outer.bottom - outer.top, client.left, client.top};
}

// Clips g to the window's rounded region as it lies over the client area (so no magenta
// pixel lies inside it); the rounded path of radius 4 where the region cannot be used.
bool ClipToWindowShape(Graphics& g, const BaseLayerKey& key, GraphicsPath& clip) {
  const int x = -key.clientX, y = -key.clientY;
  RegionHandle shape(CreateRoundRectRgn(x, y, x + key.windowWidth + 1, y + key.windowHeight + 1, 5, 5));
  if (shape && g.SetClipHrgn(shape.get())) return true;
  if (!clip.Create()) return false;
  AddRoundedRectangle(clip, static_cast<float>(x), static_cast<float>(y), static_cast<float>(key.windowWidth),
                      static_cast<float>(key.windowHeight), 4);
  g.SetClipPath(clip);
  return true;
}

// Magenta outside the rounded region, the base colour, the picture and the caption gloss.
void PaintBaseLayer(SkinEngine& engine, HDC dc, const BaseLayerKey& key) {
  const int w = key.width, h = key.height;
  Graphics g;
  SolidBrush base;
  GraphicsPath clip;
  if (!g.CreateFromDC(dc)) return;
  g.Clear(kMagenta);
  if (!ClipToWindowShape(g, key, clip)) return;
  if (base.Create(ToArgb(key.baseColour, 255, true))) g.FillRectangle(base, 0, 0, static_cast<float>(w), static_cast<float>(h));
  if (const Bitmap* picture = engine.decodedPictures().Get(key.picture))
    DrawPicture(g, *picture, key.layoutMode, w, h);
  if (key.gloss) {
    LinearGradientBrush gloss;
    const float ch = static_cast<float>(key.captionHeight);
    if (gloss.CreateFromPoints({0, 0}, {0, ch}, 0x96FFFFFF, 0x00FFFFFF))
      g.FillRectangle(gloss, 0, 0, static_cast<float>(w), ch);
  }
  g.Flush(Gdiplus::FlushIntentionSync);
}

// Lays the base layer into the back buffer, painting it first when anything it depends on
// changed.
void LayBaseLayer(SkinEngine& engine, SkinInstance& skin, int w, int h, const WindowShape& shape) {
  const PictureInUse in = PictureOf(engine, skin);
  BackBuffer& back = skin.back;
  BaseLayerKey& key = back.baseKey();
  const bool sameShape = key.windowWidth == shape.width && key.windowHeight == shape.height &&
                         key.clientX == shape.clientX && key.clientY == shape.clientY;
  const bool same = key.width == w && key.height == h && sameShape && key.captionHeight == skin.frame.captionHeight &&
                    key.baseColour == in.baseColour && key.layoutMode == in.layoutMode &&
                    key.gloss == skin.frame.captionGloss && key.picture == *in.bytes && back.baseLayer().dc();
  if (!same) {
    key = {w, h, skin.frame.captionHeight, shape.width, shape.height, shape.clientX, shape.clientY,
           in.baseColour, in.layoutMode, skin.frame.captionGloss, *in.bytes};
    if (HDC layer = back.baseLayer().Ensure(nullptr, w, h, OffscreenDC::Kind::Dib32))
      PaintBaseLayer(engine, layer, key);
    else
      back.ForgetBaseLayer();
  }
  BitBlt(back.dc(), 0, 0, w, h, back.baseLayer().dc(), 0, 0, SRCCOPY);
}

// The rounded window region over the whole window rectangle (a window region is in window
// coordinates: one that keeps its system frame keeps its caption and sizing border), given
// again only when the window's size changed.
void ShapeWindow(SkinInstance& skin, const WindowShape& shape) {
  const int w = shape.width, h = shape.height;
  const RECT wanted{0, 0, w + 1, h + 1};
  if (EqualRect(&wanted, &skin.back.region)) return;
  skin.back.region = wanted;
  // The new region replaces the old one at once (no square corners in between), and a
  // window resized while inactive stays inactive.
  SetWindowPos(skin.window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RegionHandle region(CreateRoundRectRgn(0, 0, w + 1, h + 1, 5, 5));
  if (region && SetWindowRgn(skin.window, region.get(), TRUE)) region.release();  // the system owns it now
}

// Copies the caption band and the status-bar area as they are before title, buttons and
// items are drawn on them.
void TakeStrips(SkinInstance& skin, int w) {
  HDC dc = skin.back.dc();
  if (skin.frame.captionShown) {
    const int ch = skin.frame.captionHeight;
    if (HDC strip = skin.back.captionStrip.Ensure(dc, w, ch, OffscreenDC::Kind::LikeDC))
      BitBlt(strip, 0, 0, w, ch, dc, 0, 0, SRCCOPY);
    else
      skin.back.captionStrip.Reset();  // no strip rather than one of another render
  }
  const IntRect& a = skin.status.area;
  if (a.width > 0 && a.height > 0) {
    if (HDC strip = skin.back.statusStrip.Ensure(dc, a.width, a.height, OffscreenDC::Kind::LikeDC))
      BitBlt(strip, 0, 0, a.width, a.height, dc, a.x, a.y, SRCCOPY);
    else
      skin.back.statusStrip.Reset();
  } else {
    skin.back.statusStrip.Reset();
  }
}

void ComposeBackground(SkinEngine& engine, SkinInstance& skin, int w, int h) {
  LayBaseLayer(engine, skin, w, h, ShapeOf(skin.window));
  std::optional<DibGraphics> holder;
  Graphics* opened = OpenBackGraphics(skin.back, holder);
  if (!opened) return;
  Graphics& g = *opened;
  if (skin.frame.captionShown) DrawWindowFrame(g, w, h);
  g.Flush(Gdiplus::FlushIntentionSync);
  TakeStrips(skin, w);
  if (skin.frame.captionShown) {
    if (skin.frame.showTitle) DrawTitle(engine, skin, &g, WindowTextOf(skin.window));
    DrawAllCaptionButtons(engine, skin, &g);
  }
  if (skin.status.height > 0)
    for (int i = 1; i <= skin.status.Count(); ++i) DrawStatusItem(engine, skin, i, &g);
  g.Flush(Gdiplus::FlushIntentionSync);
}

}  // namespace

void DrawWindowFrame(Graphics& graphics, int width, int height) {
  GraphicsPath outer, inner;
  Pen black, white;
  if (!outer.Create() || !inner.Create() || !black.Create(0xB4000000, 1.0f) || !white.Create(0xB4FFFFFF, 1.0f)) return;
  AddRoundedRectangle(outer, 0, 0, static_cast<float>(width - 1), static_cast<float>(height - 1), 7);
  AddRoundedRectangle(inner, 1, 1, static_cast<float>(width - 3), static_cast<float>(height - 3), 6);
  graphics.DrawPath(black, outer);
  graphics.DrawPath(white, inner);
}

void RenderBackground(SkinEngine& engine, int instance, bool present) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin) return;
  skin->back.renderPending = false;  // a size change while shaping asks for the next render
  RECT client{};
  GetClientRect(skin->window, &client);
  ShapeWindow(*skin, ShapeOf(skin->window));
  skin = engine.Instance(instance);  // shaping sends WM_WINDOWPOSCHANGED
  if (!skin) return;
  GetClientRect(skin->window, &client);
  const int w = client.right, h = client.bottom;
  if (!skin->back.Prepare(skin->window, w, h)) return;
  ComposeBackground(engine, *skin, w, h);
  if (!present) return;
  PresentBackground(engine, instance, nullptr);
  if (!engine.options.firstSizePending) InvalidateSkinnedChildren(*skin);
}

void PresentBackground(SkinEngine& engine, int instance, HDC paintDC) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !skin->back.dc()) return;
  CopyToWindow(*skin, {0, 0, skin->back.width(), skin->back.height()}, paintDC);
}

void CopyToWindow(const SkinInstance& skin, const RECT& r, HDC paintDC) {
  if (!skin.back.dc()) return;
  ChildExcludingDC dc(skin.window, paintDC);
  if (dc.get())
    BitBlt(dc.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, skin.back.dc(), r.left, r.top, SRCCOPY);
}

void RestoreFromCaptionStrip(SkinInstance& skin, const RECT& r) {
  if (!skin.back.dc() || !skin.back.captionStrip.dc()) return;
  BitBlt(skin.back.dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, skin.back.captionStrip.dc(), r.left, r.top,
         SRCCOPY);
}

void RestoreFromStatusStrip(SkinInstance& skin, const RECT& r) {
  if (!skin.back.dc() || !skin.back.statusStrip.dc()) return;
  const IntRect& a = skin.status.area;
  BitBlt(skin.back.dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, skin.back.statusStrip.dc(), r.left - a.x,
         r.top - a.y, SRCCOPY);
}

void InvalidateSkinnedChildren(SkinInstance& skin) {
  struct Pass {
    Family family;
    BOOL erase;
  };
  static constexpr Pass kPasses[] = {{Family::ListLike, TRUE}, {Family::Combo, TRUE},     {Family::Edit, TRUE},
                                     {Family::Button, FALSE},  {Family::Trackbar, FALSE}, {Family::Progress, FALSE},
                                     {Family::UpDown, FALSE}};
  for (const Pass& pass : kPasses) {
    const FamilyListBase* list = skin.ListOf(pass.family);
    for (int i = 1; list && i <= list->Count(); ++i) {
      HWND control = list->WindowAt(i);
      if (!control || GetParent(control) != skin.window) continue;
      InvalidateRect(control, nullptr, pass.erase);
      if (pass.family != Family::ListLike) continue;
      for (HWND child = FindWindowExA(control, nullptr, nullptr, nullptr); child;
           child = FindWindowExA(control, child, nullptr, nullptr))
        if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
    }
  }
  // Containers and transparent controls show the background too, and the controls inside a
  // container take their picture through it: a new background (a stretched picture after
  // a resize) is theirs as well.
  for (Family family : {Family::Container, Family::Transparent}) {
    const FamilyListBase* list = skin.ListOf(family);
    for (int i = 1; list && i <= list->Count(); ++i)
      if (HWND w = list->WindowAt(i); w && GetParent(w) == skin.window)
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

// ---------------------------------------------------------------------------------------
// The window procedure's part

LRESULT OnBackgroundPaint(SkinEngine& engine, int instance, HWND window, WPARAM wParam, LPARAM lParam) {
  {
    PaintDC paint(window);
    SkinInstance* skin = engine.Instance(instance);
    if (skin && !skin->frame.minimised) {
      RECT client{};
      GetClientRect(window, &client);
      const bool stale = skin->back.renderPending || skin->back.width() != client.right ||
                         skin->back.height() != client.bottom;
      if (stale)
        RenderBackground(engine, instance, true);
      else
        PresentBackground(engine, instance, paint.get());
    }
  }  // EndPaint
  return DefWindowProcA(window, WM_PAINT, wParam, lParam);
}

void OnShowWindow(SkinEngine& engine, int instance, bool shown) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !shown) return;
  if (skin->frame.minimised) {
    skin->frame.minimised = false;
    return;
  }
  PaintDC paint(skin->window);
  RenderBackground(engine, instance, true);
}

}  // namespace tunelark
