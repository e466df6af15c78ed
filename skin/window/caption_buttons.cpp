#include "skin/window/caption_buttons.h"

#include <cmath>
#include <optional>

#include "gfx/bitmap.h"
#include "gfx/brushes.h"
#include "gfx/graphics.h"
#include "gfx/graphics_path.h"
#include "gfx/pen.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/skin_images.h"
#include "skin/skin_paths.h"
#include "skin/window/window_background.h"

namespace tunelark {

namespace {

constexpr int kButtonHeight = 18;
constexpr int kStripHeight = 22;
constexpr int kCloseHitWidth = 40;  // the close button draws 38 wide and answers the mouse over 40
constexpr int kAddedButtonStep = 27;
constexpr double kEdgeTolerance = 1e-7;

struct ButtonBox {
  float x, y, w, h;
};

// Where button `position` is drawn: one pixel left of its hit rectangle, one below the strip top.
ButtonBox BoxOf(const SkinInstance& skin, const CaptionButton& b) {
  return {b.x - 1, static_cast<float>(skin.caption.top + 1), static_cast<float>(b.width),
          static_cast<float>(b.height)};
}

RECT ToRect(const ButtonBox& box) {
  const int x = static_cast<int>(box.x), y = static_cast<int>(box.y);
  return {x, y, x + static_cast<int>(box.w), y + static_cast<int>(box.h)};
}

// Up the left side, along the top, round the top-right corner (radius 5), down the right.
void AddCloseOutline(GraphicsPath& path, float x, float y, float w, float h) {
  const float r = 5;
  path.AddLine(x, y + h, x, y);
  path.AddLine(x, y, x + w - r, y);
  path.AddArc(x + w - r, y, r, r, 270, 90);
  path.AddLine(x + w, y + r, x + w, y + h);
}

void AddButtonOutline(GraphicsPath& path, const CaptionButton& b, float x, float y, float w, float h) {
  if (b.kind == CaptionButtonKind::Close)
    AddCloseOutline(path, x, y, w, h);
  else
    AddTopRoundedRectangle(path, x, y, w, h, 1);
}

bool FillDownwards(Graphics& g, const GraphicsPath& path, float y, float h, Gdiplus::ARGB from, Gdiplus::ARGB to) {
  LinearGradientBrush brush;
  return brush.CreateFromPoints({0, y}, {0, y + h}, from, to) && g.FillPath(brush, path);
}

void DrawHighlight(SkinEngine& engine, Graphics& g, SkinInstance& skin, const CaptionButton& b, int intensity) {
  const ButtonBox box = BoxOf(skin, b);
  const int ix = static_cast<int>(box.x), iy = static_cast<int>(box.y);
  g.Flush(Gdiplus::FlushIntentionSync);
  RestoreFromCaptionStrip(skin, {ix - 1, iy, ix + static_cast<int>(box.w) + 2, iy + static_cast<int>(box.h) + 1});
  GdiFlush();
  if (intensity <= 0) return;  // every colour below would be fully transparent
  GraphicsPath shade, colour, outline;
  if (!shade.Create() || !colour.Create() || !outline.Create()) return;
  AddTopRoundedRectangle(shade, box.x, box.y, box.w, box.h, 1);
  FillDownwards(g, shade, box.y, box.h, ToArgb(0, intensity / 5, true), ToArgb(0xFFFFFF, 0, true));
  AddButtonOutline(colour, b, box.x, box.y, box.w, box.h);
  const COLORREF tone = b.kind == CaptionButtonKind::Close ? 0x0000FF : engine.options.accentColour;
  FillDownwards(g, colour, box.y, box.h, ToArgb(tone, intensity, true), ToArgb(0xFFFFFF, 0, true));
  AddButtonOutline(outline, b, box.x, box.y, std::trunc(box.w - 1), std::trunc(box.h * 0.8f));
  LinearGradientBrush edge;
  Pen pen;
  if (edge.CreateFromPoints({0, box.y}, {0, box.y + box.h}, ToArgb(0xFFFFFF, static_cast<int>(intensity * 0.8), true),
                            ToArgb(0xFFFFFF, 0, true)) &&
      pen.CreateFromBrush(edge, 1.0f))
    g.DrawPath(pen, outline);
}

void DrawSeparatorAt(Graphics& g, const SkinInstance& skin, float x, int alpha) {
  const float top = static_cast<float>(skin.caption.top), height = static_cast<float>(skin.caption.height);
  LinearGradientBrush fade;
  Pen pen;
  if (fade.CreateFromPoints({x, top}, {x, top + height - 3}, ToArgb(0, alpha, true), ToArgb(0, 0, true)) &&
      pen.CreateFromBrush(fade, 1.0f))
    g.DrawLine(pen, x, top + 1, x, top + height - 4);
}

void DrawSeparators(Graphics& g, SkinInstance& skin, int position) {
  const CaptionButton* b = skin.caption.Button(position);
  DrawSeparatorAt(g, skin, b->x - 2, position == 1 ? 100 : 60);
  if (const CaptionButton* next = skin.caption.Button(position + 1)) DrawSeparatorAt(g, skin, next->x - 2, 60);
}

const Bitmap* PictureOf(const SkinInstance& skin, const CaptionButton& b) {
  const bool restore = b.kind == CaptionButtonKind::MaximizeRestore && skin.frame.maximised;
  return b.Glyph(restore);
}

void DrawHoverLook(SkinInstance& skin, Graphics& g, const CaptionButton& b) {
  const ButtonBox box = BoxOf(skin, b);
  g.Flush(Gdiplus::FlushIntentionSync);
  RestoreFromCaptionStrip(skin, ToRect(box));
  GdiFlush();
  GraphicsPath shape;
  if (!shape.Create()) return;
  if (b.kind == CaptionButtonKind::Close) {
    AddCloseOutline(shape, box.x, box.y, box.w, box.h);
    FillDownwards(g, shape, box.y, box.h, 0xFFFF0000, 0x1EFFFFFF);
  } else {
    shape.AddRectangle(box.x, box.y, box.w, box.h);
    FillDownwards(g, shape, box.y, box.h, 0x50000000, 0x05FFFFFF);
  }
  if (const Bitmap* picture = PictureOf(skin, b)) g.DrawImageRect(*picture, box.x, box.y, box.w - 1, box.h);
}

void DrawNormalLook(SkinEngine& engine, SkinInstance& skin, Graphics& g, int position, int intensity) {
  const CaptionButton& b = *skin.caption.Button(position);
  const ButtonBox box = BoxOf(skin, b);
  DrawHighlight(engine, g, skin, b, intensity);
  LinearGradientBrush gloss;
  if (gloss.CreateFromPoints({0, box.y}, {0, box.y + box.h}, 0x32FFFFFF, 0x00000000))
    g.FillRectangle(gloss, box.x - 1, box.y, box.w + 1, box.h - 1);
  if (const Bitmap* picture = PictureOf(skin, b)) g.DrawImageRect(*picture, box.x, box.y, box.w, box.h);
  DrawSeparators(g, skin, position);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Buttons and layout

const Bitmap* CaptionButton::Glyph(bool second) const {
  const int i = second ? 1 : 0;
  const ByteArray& bytes = second ? secondImage : image;
  if (!tried_[i]) {
    tried_[i] = true;
    glyphs_[i].reset();
    auto bitmap = std::make_shared<Bitmap>();
    if (!bytes.empty() && bitmap->LoadFromBytes(bytes)) glyphs_[i] = std::move(bitmap);
  }
  return glyphs_[i].get();
}

void CaptionButton::ForgetGlyphs() {
  glyphs_[0].reset();
  glyphs_[1].reset();
  tried_[0] = tried_[1] = false;
}

int AddSystemCaptionButtons(CaptionBar& bar, bool help, bool menu, bool minimise, bool maximise) {
  struct Made {
    bool present;
    CaptionButtonKind kind;
    int width;
    SkinImage image;
    const char* tip;
  };
  const Made made[] = {{help, CaptionButtonKind::Help, 26, SkinImage::HelpGlyph, "帮助"},
                       {menu, CaptionButtonKind::MainMenu, 26, SkinImage::MenuGlyph, "主菜单"},
                       {minimise, CaptionButtonKind::Minimize, 26, SkinImage::MinimizeGlyph, "最小化"},
                       {maximise, CaptionButtonKind::MaximizeRestore, 26, SkinImage::MaximizeGlyph, "最大化"},
                       {true, CaptionButtonKind::Close, 38, SkinImage::CloseGlyph, "关闭"}};
  bar.buttons.clear();
  int sum = 0;
  for (const Made& m : made) {
    if (!m.present) continue;
    CaptionButton b;
    b.width = m.width;
    b.height = kButtonHeight;
    b.kind = m.kind;
    b.image = CopySkinImage(m.image);
    if (m.kind == CaptionButtonKind::MaximizeRestore) b.secondImage = CopySkinImage(SkinImage::RestoreGlyph);
    b.tip = m.tip;
    bar.buttons.push_back(std::move(b));
    sum += m.width;
  }
  return sum;
}

void LayOutCaptionButtons(SkinInstance& skin) {
  CaptionBar& bar = skin.caption;
  if (skin.window) {
    RECT client{};
    GetClientRect(skin.window, &client);
    bar.left = client.right - bar.width + 1;
    bar.height = kStripHeight;
  }
  const int x0 = bar.left + 2, y0 = bar.top + 1;
  for (int i = 1; i <= bar.Count(); ++i) {
    CaptionButton& b = *bar.Button(i);
    b.x = static_cast<float>(x0 + (i - 1) * 26 + (i - 1));
    b.y = static_cast<float>(y0);
    b.w = static_cast<float>(b.kind == CaptionButtonKind::Close ? kCloseHitWidth : 26);
    b.h = static_cast<float>(kButtonHeight);
    const int x = static_cast<int>(b.x), y = static_cast<int>(b.y);
    bar.tooltip.MoveTool(static_cast<UINT_PTR>(i), {x, y, x + static_cast<int>(b.w), y + static_cast<int>(b.h)});
    bar.tooltip.ChangeToolText(static_cast<UINT_PTR>(i), b.tip);
  }
}

int ButtonAtPoint(const SkinInstance& skin, int x, int y) {
  const CaptionBar& bar = skin.caption;
  const double px = x, py = y;
  if (px < bar.left - kEdgeTolerance || py < bar.top - kEdgeTolerance ||
      py > bar.top + bar.height + kEdgeTolerance)
    return 0;
  for (int i = 1; i <= bar.Count(); ++i) {
    const CaptionButton& b = bar.buttons[static_cast<size_t>(i - 1)];
    if (px > b.x + kEdgeTolerance && px < b.x + b.w - kEdgeTolerance && py > b.y + kEdgeTolerance &&
        py < b.y + b.h - kEdgeTolerance)
      return i;
  }
  return 0;
}

int MaximiseButtonPosition(const SkinInstance& skin) {
  for (int i = 1; i <= skin.caption.Count(); ++i)
    if (skin.caption.buttons[static_cast<size_t>(i - 1)].kind == CaptionButtonKind::MaximizeRestore) return i;
  return 0;
}

RECT CaptionButtonRect(const SkinInstance& skin) {
  const CaptionBar& bar = skin.caption;
  return {bar.left, bar.top, bar.left + bar.width, bar.top + bar.height};
}

bool PointInButtonStrip(const SkinInstance& skin, int x, int y) {
  const CaptionBar& bar = skin.caption;
  return x >= bar.left - 2 && x <= bar.left + bar.width && y >= 0 && y <= bar.height;
}

// ---------------------------------------------------------------------------------------
// Drawing

void DrawCaptionButton(SkinEngine& engine, SkinInstance& skin, int position, Graphics* renderGraphics, bool hover,
                       int intensity) {
  const CaptionButton* b = skin.caption.Button(position);
  if (!b || !skin.back.dc() || !skin.back.captionStrip.dc()) return;  // nothing rendered yet
  std::optional<DibGraphics> own;
  Graphics* g = renderGraphics;
  if (!g) {
    if (!OpenBackGraphics(skin.back, own)) return;
    if (!hover) own->get().SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g = &own->get();
  }
  if (hover)
    DrawHoverLook(skin, *g, *b);
  else
    DrawNormalLook(engine, skin, *g, position, intensity);
  if (renderGraphics) return;
  g->Flush(Gdiplus::FlushIntentionSync);
  CopyToWindow(skin, ToRect(BoxOf(skin, *b)));
}

void DrawAllCaptionButtons(SkinEngine& engine, SkinInstance& skin, Graphics* renderGraphics) {
  for (int i = 1; i <= skin.caption.Count(); ++i) DrawCaptionButton(engine, skin, i, renderGraphics, false, 0);
}

// ---------------------------------------------------------------------------------------
// Pressing

bool PressCaptionButton(SkinEngine& engine, SkinInstance& skin, int x, int y) {
  CaptionBar& bar = skin.caption;
  bar.pressedButton = ButtonAtPoint(skin, x, y);
  bar.pressedShown = bar.pressedButton >= 1;
  if (!bar.pressedShown) return false;
  SetCapture(skin.window);
  DrawCaptionButton(engine, skin, bar.pressedButton, nullptr, true, 0);
  return true;
}

void DragCaptionPress(SkinEngine& engine, SkinInstance& skin, int x, int y) {
  CaptionBar& bar = skin.caption;
  const bool over = ButtonAtPoint(skin, x, y) == bar.pressedButton;
  if (bar.pressedButton < 1 || over == bar.pressedShown) return;
  bar.pressedShown = over;
  DrawCaptionButton(engine, skin, bar.pressedButton, nullptr, over, 0);
}

namespace {
// Ends the press; the button is drawn normal unless it is to act (its action redraws).
int EndCaptionPress(SkinEngine& engine, SkinInstance& skin, bool acts) {
  CaptionBar& bar = skin.caption;
  const int pressed = bar.pressedButton;
  bar.pressedButton = 0;  // first: releasing the capture sends WM_CAPTURECHANGED
  bar.pressedShown = false;
  if (pressed >= 1 && GetCapture() == skin.window) ReleaseCapture();
  if (pressed >= 1 && !acts) DrawCaptionButton(engine, skin, pressed, nullptr, false, 0);
  return acts ? pressed : 0;
}
}  // namespace

int ReleaseCaptionPress(SkinEngine& engine, SkinInstance& skin, int x, int y) {
  const int pressed = skin.caption.pressedButton;
  return EndCaptionPress(engine, skin, pressed >= 1 && ButtonAtPoint(skin, x, y) == pressed);
}

void CancelCaptionPress(SkinEngine& engine, SkinInstance& skin) {
  if (skin.caption.pressedButton >= 1) EndCaptionPress(engine, skin, false);
}

// ---------------------------------------------------------------------------------------
// The hover fade

void TrackCaptionHover(SkinEngine& engine, SkinInstance& skin, int x, int y) {
  CaptionBar& bar = skin.caption;
  const HWND window = skin.window;
  if (PointInButtonStrip(skin, x, y)) {
    if (!bar.hoverTimer) {
      SetTimer(window, reinterpret_cast<UINT_PTR>(window), 20, nullptr);
      bar.hoverTimer = true;
    }
  } else {
    bar.hoverTimer = false;  // the timer runs on until the fade ends
  }
  const int hot = ButtonAtPoint(skin, x, y);
  if (bar.hotButton >= 1 && bar.hotButton != hot) {
    // The mouse left a hot button: an unfinished fade-out ends at once.
    if (bar.fadeOut.step < 8) DrawCaptionButton(engine, skin, bar.fadeOut.button, nullptr, false, 0);
    bar.fadeOut = {bar.hotButton, 0};
  }
  if (hot >= 1 && hot != bar.hotButton) bar.fadeIn = {hot, 0};
  bar.hotButton = hot;
}

void StepCaptionFade(SkinEngine& engine, SkinInstance& skin) {
  CaptionBar& bar = skin.caption;
  if (bar.fadeIn.button >= 1 && bar.fadeIn.step <= 7) {
    ++bar.fadeIn.step;
    DrawCaptionButton(engine, skin, bar.fadeIn.button, nullptr, false, bar.fadeIn.step * 30);
  }
  if (bar.fadeOut.button >= 1 && bar.fadeOut.step <= 7) {
    ++bar.fadeOut.step;
    DrawCaptionButton(engine, skin, bar.fadeOut.button, nullptr, false, 240 - bar.fadeOut.step * 30);
  }
  if ((!bar.mouseTracking || !bar.hoverTimer) && (bar.fadeOut.step > 7 || bar.fadeOut.button == 0)) {
    bar.hoverTimer = false;
    KillTimer(skin.window, reinterpret_cast<UINT_PTR>(skin.window));
    bar.hotButton = 0;
    bar.fadeIn = {};
    bar.fadeOut = {};
  }
}

void LeaveCaption(SkinEngine& engine, SkinInstance& skin) {
  CaptionBar& bar = skin.caption;
  bar.mouseTracking = false;
  if (bar.hotButton < 1 || !skin.frame.captionShown) return;
  if (bar.fadeOut.step <= 7 && bar.fadeIn.step <= 7) {
    DrawCaptionButton(engine, skin, bar.fadeOut.button, nullptr, false, 0);  // positions outside draw nothing
    bar.fadeIn = {};
  }
  bar.fadeOut = {bar.hotButton, 0};
  bar.hotButton = 0;
}

// ---------------------------------------------------------------------------------------
// The engine's operations

int SkinEngine::AddCaptionButton(HWND window, const ByteArray& picture, const std::string& tip, SkinHandler handler) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin) return 0;
  CaptionBar& bar = skin->caption;
  bar.width += kAddedButtonStep;
  CaptionButton b;
  b.width = 26;
  b.height = kButtonHeight;
  b.kind = CaptionButtonKind::Own;
  b.image = picture;
  b.tip = tip;
  b.handler = std::move(handler);
  bar.buttons.insert(bar.buttons.begin(), std::move(b));
  bar.tooltip.AddTool({0, 0, 0, 0}, tip, static_cast<UINT_PTR>(bar.Count()));
  LayOutCaptionButtons(*skin);
  skin->back.renderPending = true;
  InvalidateRect(window, nullptr, FALSE);
  return 1;
}

int SkinEngine::SetSystemButtonPictures(HWND window, const SystemButtonPictures& pictures) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin || skin->caption.Count() == 0) return 0;
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  const bool minimise = style & WS_MINIMIZEBOX, maximise = style & WS_MAXIMIZEBOX;
  const int n = skin->caption.Count();
  auto set = [](CaptionButton* b, const std::optional<ByteArray>& picture, const std::optional<ByteArray>& second) {
    if (!b) return;
    if (picture) b->image = *picture;
    if (second) b->secondImage = *second;
    b->ForgetGlyphs();
  };
  if (minimise && maximise) {
    set(skin->caption.Button(n - 1), pictures.maximise, pictures.restore);
    set(skin->caption.Button(n - 2), pictures.minimise, std::nullopt);
  } else if (minimise) {
    set(skin->caption.Button(n - 1), pictures.minimise, std::nullopt);
  } else if (maximise) {
    set(skin->caption.Button(n - 1), pictures.maximise, pictures.restore);
  }
  set(skin->caption.Button(n), pictures.close, std::nullopt);
  for (int i = 1; i <= n; ++i) DrawCaptionButton(*this, *skin, i, nullptr, false, 0);
  return 1;
}

int SkinEngine::SetHelpHandler(HWND window, SkinHandler handler) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin) return 0;
  skin->caption.helpHandler = std::move(handler);
  return 1;
}

int SkinEngine::SetMenuHandler(HWND window, SkinHandler handler) {
  SkinInstance* skin = InstanceOfWindow(window);
  if (!skin) return 0;
  skin->caption.menuHandler = std::move(handler);
  return 1;
}

void SkinEngine::CaptionButtonAction(int instance, int button) {
  SkinInstance* skin = Instance(instance);
  const CaptionButton* b = skin ? skin->caption.Button(button) : nullptr;
  if (!b) return;
  const HWND window = skin->window;
  SkinHandler run;  // copied: a handler may change the buttons or destroy the window
  switch (b->kind) {
    case CaptionButtonKind::Close: SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); return;
    case CaptionButtonKind::MaximizeRestore: {
      skin->back.renderPending = true;
      const bool restore = skin->frame.maximised;
      skin->frame.minimised = false;
      skin->frame.maximised = !restore;
      SendMessageA(window, WM_SYSCOMMAND, restore ? SC_RESTORE : SC_MAXIMIZE, 0);
      return;
    }
    case CaptionButtonKind::Minimize:
      skin->frame.minimised = true;
      SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return;
    case CaptionButtonKind::MainMenu: run = skin->caption.menuHandler; break;
    case CaptionButtonKind::Help: run = skin->caption.helpHandler; break;
    case CaptionButtonKind::Own: run = b->handler; break;
  }
  if (run) run();
}

}  // namespace tunelark
