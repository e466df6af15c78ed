#include "skin/window/status_bar.h"

#include <algorithm>
#include <optional>

#include "gfx/bitmap.h"
#include "gfx/brushes.h"
#include "gfx/font.h"
#include "gfx/graphics.h"
#include "gfx/string_format.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/window/caption_title.h"
#include "skin/window/window_background.h"

namespace tunelark {

namespace {

constexpr int kHaloWidth = 4;

// Cells from the left edge: each starts where the one before ends; a -1 item takes what is
// left of the width. A cell gets no width rather than less: items wider than the bar leave
// the -1 item nothing.
void LayOutCells(const SkinEngine& engine, StatusBar& bar, int clientWidth) {
  bar.cells.resize(bar.items.size());
  int x = engine.borderWidth;
  for (size_t i = 0; i < bar.items.size(); ++i) {
    const int requested = bar.items[i].requestedWidth;
    const int width = std::max(0, requested == -1 ? clientWidth - engine.borderWidth - x : requested);
    bar.cells[i] = {x, bar.area.y, width, bar.area.height};
    x += width;
  }
}

int ClientWidth(HWND window, int* height = nullptr) {
  RECT client{};
  GetClientRect(window, &client);
  if (height) *height = client.bottom;
  return client.right;
}

// Letters of colour with a soft halo: rings of the text at widths 1..haloWidth, fainter
// further out.
void DrawSoftHaloText(Graphics& g, const std::string& text, const Font& font, const Gdiplus::RectF& layout,
                      const StringFormat& format, COLORREF colour, COLORREF halo) {
  static constexpr float kDirections[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
  for (int r = kHaloWidth; r >= 1; --r) {
    SolidBrush ring;
    if (!ring.Create(ToArgb(halo, 160 / (r + 1), true))) continue;
    for (const auto& d : kDirections) {
      const Gdiplus::RectF moved(layout.X + d[0] * r, layout.Y + d[1] * r, layout.Width, layout.Height);
      g.DrawString(text, font, moved, &format, ring);
    }
  }
  SolidBrush letters;
  if (letters.Create(ToArgb(colour, 255, true))) g.DrawString(text, font, layout, &format, letters);
}

void DrawItemText(SkinEngine& engine, const StatusBar& bar, Graphics& g, const StatusItem& item,
                  const Gdiplus::RectF& layout) {
  const Font* font = bar.CachedFont();
  StringFormat format;
  if (!font || !format.Create(0, 0)) return;
  format.SetAlignment(Gdiplus::StringAlignmentNear);
  if (bar.halo) {
    DrawSoftHaloText(g, item.text, *font, layout, format, bar.textColour, bar.haloColour);
    return;
  }
  const COLORREF colour = bar.inverseText ? (~engine.background.baseColour & 0xFFFFFF) : item.colour;
  SolidBrush brush;
  if (brush.Create(ToArgb(colour, 255, true))) g.DrawString(item.text, *font, layout, &format, brush);
}

// The part of a cell that lies on the bar; empty for a cell of no width or one past the
// bar's end.
RECT VisiblePart(const StatusBar& bar, const IntRect& cell) {
  const RECT c{cell.x, cell.y, cell.x + cell.width, cell.y + cell.height};
  const RECT a{bar.area.x, bar.area.y, bar.area.x + bar.area.width, bar.area.y + bar.area.height};
  RECT r{};
  IntersectRect(&r, &c, &a);
  return r;
}

// The gloss, picture and text of item `position`, clipped to `visible`: a long text, its
// halo or a large picture never reaches the next cell or the frame. The graphics' clip is
// put back after, for the rest of a render.
void PaintCell(SkinEngine& engine, const StatusBar& bar, Graphics& g, int position, const RECT& visible) {
  const IntRect cell = bar.cells[static_cast<size_t>(position - 1)];
  const StatusItem& item = bar.items[static_cast<size_t>(position - 1)];
  Gdiplus::GraphicsState saved{};
  const bool restore = g.Save(saved);
  g.SetClipRectI(visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top,
                 Gdiplus::CombineModeIntersect);
  const float x = static_cast<float>(cell.x), y = static_cast<float>(cell.y);
  const float w = static_cast<float>(cell.width), h = static_cast<float>(cell.height);
  LinearGradientBrush gloss;
  if (gloss.CreateFromPoints({x, y}, {x, y + h}, 0x3CFFFFFF, 0x0AFFFFFF)) g.FillRectangle(gloss, x, y, w, h);
  Gdiplus::RectF text(x + 3, y + (h - 12) / 2, w, h);
  if (const Bitmap* picture = bar.Picture(position)) {
    const float pw = static_cast<float>(picture->GetWidth()), ph = static_cast<float>(picture->GetHeight());
    g.DrawImageRect(*picture, x + 2, y + (h - ph) / 2, pw, ph);
    text = Gdiplus::RectF(x + pw + 3, y + (h - 12) / 2, w - pw - 3, h);
  }
  if (text.Width > 0) DrawItemText(engine, bar, g, item, text);
  if (restore) g.Restore(saved);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Kept objects

const Bitmap* StatusBar::Picture(int position) const {
  if (position < 1 || position > Count()) return nullptr;
  const size_t i = static_cast<size_t>(position - 1);
  if (pictures_.size() < items.size()) {
    pictures_.resize(items.size());
    triedPictures_.resize(items.size(), false);
  }
  if (!triedPictures_[i]) {
    triedPictures_[i] = true;
    auto bitmap = std::make_shared<Bitmap>();
    if (!items[i].picture.empty() && bitmap->LoadFromBytes(items[i].picture)) pictures_[i] = std::move(bitmap);
  }
  return pictures_[i].get();
}

void StatusBar::ForgetPicture(int position) {
  const size_t i = static_cast<size_t>(position - 1);
  if (position >= 1 && i < pictures_.size()) {
    pictures_[i].reset();
    triedPictures_[i] = false;
  }
}

const Font* StatusBar::CachedFont() const {
  const std::string wantedFace = face.empty() ? std::string("宋体") : face;
  const int wantedSize = size > 0 ? size : 12;
  if (!font_ || fontFace_ != wantedFace || fontSize_ != wantedSize) {
    font_ = std::make_shared<Font>();
    fontFace_ = wantedFace;
    fontSize_ = wantedSize;
    if (!font_->CreateFromFamilyName(wantedFace, static_cast<float>(wantedSize), 0, Gdiplus::UnitPixel))
      font_->CreateFromFamilyName("Tahoma", static_cast<float>(wantedSize), 0, Gdiplus::UnitPixel);
  }
  return font_->empty() ? nullptr : font_.get();
}

void StatusBar::ForgetGdiplus() {
  pictures_.clear();
  triedPictures_.clear();
  font_.reset();
}

// ---------------------------------------------------------------------------------------
// Layout and drawing

IntRect StatusAreaFor(const SkinEngine& engine, const SkinInstance& skin, int clientWidth, int clientHeight) {
  const int b = engine.borderWidth, height = skin.status.height;
  return {b, clientHeight - b - height - 1, clientWidth - 2 * b, height};
}

void SetStatusItems(SkinEngine& engine, SkinInstance& skin, int height, const std::vector<StatusItem>* items) {
  StatusBar& bar = skin.status;
  int clientHeight = 0;
  const int clientWidth = ClientWidth(skin.window, &clientHeight);
  bar.height = height;
  bar.area = StatusAreaFor(engine, skin, clientWidth, clientHeight);
  bar.ForgetGdiplus();
  if (items) {
    bar.items = *items;
    LayOutCells(engine, bar, clientWidth);
  } else {
    bar.items.assign(1, StatusItem{});
    bar.cells.assign(1, bar.area);
  }
}

void LayOutStatusBar(SkinEngine& engine, SkinInstance& skin) {
  int clientHeight = 0;
  const int clientWidth = ClientWidth(skin.window, &clientHeight);
  skin.status.area = StatusAreaFor(engine, skin, clientWidth, clientHeight);
  LayOutCells(engine, skin.status, clientWidth);
}

void DrawStatusItem(SkinEngine& engine, SkinInstance& skin, int position, Graphics* renderGraphics) {
  const StatusBar& bar = skin.status;
  if (position < 1 || position > bar.Count() || static_cast<size_t>(position) > bar.cells.size() || !skin.back.dc())
    return;
  const RECT r = VisiblePart(bar, bar.cells[static_cast<size_t>(position - 1)]);
  if (IsRectEmpty(&r)) return;
  std::optional<DibGraphics> own;
  Graphics* g = renderGraphics;
  if (!g) {
    RestoreFromStatusStrip(skin, r);
    if (!OpenBackGraphics(skin.back, own)) return;
    g = &own->get();
  }
  PaintCell(engine, bar, *g, position, r);
  if (renderGraphics) return;
  g->Flush(Gdiplus::FlushIntentionSync);
  CopyToWindow(skin, r);
}

void LayOutDockedWindows(SkinInstance& skin) {
  RECT client{};
  GetClientRect(skin.window, &client);
  for (const DockedWindow& d : skin.docked)
    if (d.window)
      MoveWindow(d.window, 2, d.top, client.right - 4, client.bottom - d.top - skin.status.height - 3, TRUE);
}

// ---------------------------------------------------------------------------------------
// The engine's operations

void SkinEngine::SetStatusItems(int instance, int height, const std::vector<StatusItem>* items) {
  if (SkinInstance* skin = Instance(instance)) tunelark::SetStatusItems(*this, *skin, height, items);
}

int SkinEngine::SetStatusItem(HWND window, int position, const std::string& text,
                              const std::optional<ByteArray>& picture, std::optional<COLORREF> colour) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin || position < 1 || position > skin->status.Count()) return 0;
  StatusItem& item = skin->status.items[static_cast<size_t>(position - 1)];
  item.text = text;
  if (picture) {
    item.picture = *picture;
    skin->status.ForgetPicture(position);
  }
  if (colour) item.colour = *colour;
  DrawStatusItem(*this, *skin, position, nullptr);
  return 1;
}

int SkinEngine::SetStatusStyle(HWND window, const StatusStyleArgs& style) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin) return 0;
  StatusBar& bar = skin->status;
  bar.inverseText = style.textMode.value_or(1) != 0;
  bar.halo = style.halo.value_or(0) != 0;
  bar.textColour = style.textColour.value_or(0);
  bar.haloColour = style.haloColour.value_or(0xFFFFFF);
  if (style.face) bar.face = *style.face;
  if (style.size) bar.size = *style.size;
  if (bar.height > 0)
    for (int i = 1; i <= bar.Count(); ++i) DrawStatusItem(*this, *skin, i, nullptr);
  return 1;
}

int SkinEngine::AddDockedWindow(HWND window, HWND docked, int top) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin || !docked) return 0;
  // The zeroed first item is filled before any is appended.
  if (skin->docked.size() == 1 && !skin->docked[0].window)
    skin->docked[0] = {docked, top};
  else
    skin->docked.push_back({docked, top});
  LayOutDockedWindows(*skin);
  return 1;
}

}  // namespace tunelark
