#include "skin/controls/list_header.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>

#include "gfx/font.h"
#include "gfx/pen.h"
#include "gfx/string_format.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/hover.h"
#include "skin/skin_colour.h"
#include "skin/skin_geometry.h"
#include "skin/subclass.h"

namespace tunelark {

namespace {

constexpr size_t kCaptionCapacity = 260;  // characters of a column caption read

// --- painting ----------------------------------------------------------------------------

struct ColumnBox {
  float l, t, w, h;
};

void FillGradient(Graphics& g, const ColumnBox& b, Gdiplus::ARGB top, Gdiplus::ARGB bottom) {
  LinearGradientBrush brush;
  // Flipped tiling keeps the last row at the bottom colour.
  if (brush.CreateFromPoints({b.l, b.t}, {b.l, b.t + b.h}, top, bottom, Gdiplus::WrapModeTileFlipXY))
    g.FillRectangle(brush, b.l, b.t, b.w, b.h);
}

void DrawSeparator(Graphics& g, const ColumnBox& b) {
  LinearGradientBrush shade;
  Pen pen;
  if (!shade.CreateFromPoints({b.l, b.t}, {b.l, b.t + b.h}, ToArgb(0x000000, 60, true), ToArgb(0xFFFFFF, 50, true),
                              Gdiplus::WrapModeTileFlipXY) ||
      !pen.CreateFromBrush(shade, 1.0f))
    return;
  const float x = b.l + b.w - 1;
  g.DrawLine(pen, x, b.t, x, b.t + b.h);
}

// Width of the caption as GDI+ measures it, rounded down, plus one.
int CaptionWidth(Graphics& g, const std::wstring& text, const Font& font) {
  Gdiplus::RectF bounds;
  if (text.empty() || !g.MeasureStringW(text, font, Gdiplus::RectF(0, 0, 10000, 1000), nullptr, bounds)) return 0;
  return static_cast<int>(std::floor(bounds.Width)) + 1;
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bm{};
  GetObjectA(info.hbmMask, sizeof(bm), &bm);
  SIZE size{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

// Where the icon and caption start inside the column.
int ContentStart(int format, int width, int iconWidth, int margin, int textWidth) {
  const bool tooWide = iconWidth + margin + textWidth >= width;
  if (format & HDF_RIGHT) return tooWide ? margin : width - iconWidth - textWidth;
  if (format & HDF_CENTER) return tooWide ? margin : (width - iconWidth - margin - textWidth) / 2;
  return margin;
}

struct CaptionTools {
  Font font;
  StringFormat format;
  SolidBrush black;
};

void PaintColumnContent(Canvas& canvas, const HeaderColumn& column, const ColumnBox& b, int margin,
                        CaptionTools& tools) {
  Graphics& g = canvas.graphics();
  const SIZE icon = IconSize(column.icon.get());
  const int width = static_cast<int>(b.w);
  const int x = ContentStart(column.format, width, icon.cx, margin, CaptionWidth(g, column.text, tools.font));
  if (column.icon) {
    canvas.Flush();
    DrawIconEx(canvas.dc(), static_cast<int>(b.l) + x, static_cast<int>(b.t) + (static_cast<int>(b.h) - icon.cy) / 2,
               column.icon.get(), 0, 0, 0, nullptr, DI_NORMAL);
  }
  const Gdiplus::RectF layout(b.l + static_cast<float>(x + icon.cx), b.t,
                              static_cast<float>(width - icon.cx - 2 * margin), b.h);
  if (!column.text.empty() && layout.Width > 0)
    g.DrawStringW(column.text, tools.font, layout, &tools.format, tools.black);
}

void PaintColumn(Canvas& canvas, const HeaderRecord& record, const HeaderColumn& column, int k, int margin,
                 const SkinOptions& options, CaptionTools& tools) {
  Graphics& g = canvas.graphics();
  const ColumnBox b{static_cast<float>(column.rect.left), static_cast<float>(column.rect.top),
                    static_cast<float>(column.rect.right - column.rect.left),
                    static_cast<float>(column.rect.bottom - column.rect.top)};
  if (b.w <= 0 || b.h <= 0) return;
  const COLORREF accent = options.accentColour;
  g.FillRectangleWithColour(options.alphaGiven ? ToArgb(0xFFFFFF, options.backdropAlpha, true) : 0xFFFFFFFF,
                            Gdiplus::RectF(b.l, b.t, b.w, b.h));
  if (record.buttons) {
    FillGradient(g, b, ToArgb(0xFFFFFF, 80, true), ToArgb(accent, 120, true));
    if (record.hot && k == record.hotItem) FillGradient(g, b, ToArgb(accent, 60, true), ToArgb(0x000000, 30, true));
    if (k == record.pressedItem) FillGradient(g, b, ToArgb(0x000000, 30, true), ToArgb(0xFFFFFF, 120, true));
  } else {
    FillGradient(g, b, ToArgb(accent, 60, true), ToArgb(accent, 10, true));
  }
  DrawSeparator(g, b);
  PaintColumnContent(canvas, column, b, margin, tools);
}

bool MakeCaptionTools(const HeaderRecord& record, CaptionTools& tools) {
  if (!MakeControlFont(record.font, tools.font) &&
      !tools.font.CreateFromDefaultGuiFont())
    return false;
  return tools.format.Create() && tools.format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter) &&
         tools.black.Create(0xFF000000);
}

using Message = FamilyMessage<HeaderRecord>;

// Paints the header into target: BeginPaint, its window DC, or a DC handed over.
void PaintHeaderOf(Message& c, PaintTarget target, HDC given = nullptr) {
  const std::vector<HeaderColumn> columns = ReadHeaderColumns(c.w);
  const int margin = static_cast<int>(SendMessageA(c.w, HDM_GETBITMAPMARGIN, 0, 0));
  ControlPaint paint(c.w, target, given);
  if (ReadyToPaint(c, paint)) PaintHeader(paint.canvas(), *c.record, columns, margin, c.engine->options);
}

// --- the window procedure ----------------------------------------------------------------

LRESULT OnMove(Message& c) {
  PaintHeaderOf(c, PaintTarget::WindowDC);
  return c.Chain();
}

LRESULT OnPaint(Message& c) {
  HDC given = reinterpret_cast<HDC>(c.wp);
  PaintHeaderOf(c, given ? PaintTarget::Given : PaintTarget::BeginPaint, given);
  return 0;
}

// Records the column under the mouse; true when the header must be drawn again.
bool TrackHotColumn(HeaderRecord& r, int item) {
  r.hot = 1;
  r.hotItem = item;
  if (item != r.lastHotItem && item >= 1 && !r.pressed) {
    r.lastHotItem = item;
    return true;
  }
  if (item == 0) {  // over a divider or past the last column: nothing is hot
    r.lastHotItem = 0;
    r.hot = 0;
    return true;
  }
  return false;
}

LRESULT OnMouseMove(Message& c) {
  const int item = HeaderColumnAt(c.w, GET_X_LPARAM(c.lp));  // sends messages
  if (!c.Refind()) return c.Chain();
  SkinInstance& skin = *c.skin;
  TrackMouseLeave(c.w);
  skin.hotIndex = skin.lastHotIndex = c.position;
  skin.hotKind = HotKind::Header;
  if (TrackHotColumn(*c.record, item)) PaintHeaderOf(c, PaintTarget::WindowDC);
  return c.Chain();
}

LRESULT OnButtonDown(Message& c) {
  HeaderRecord& r = *c.record;
  r.pressed = 1;
  if (r.hotItem >= 1) r.pressedItem = r.hotItem;
  return c.Chain();
}

LRESULT OnButtonUp(Message& c) {
  c.record->pressed = c.record->pressedItem = 0;
  return c.Chain();
}

LRESULT OnMouseLeave(Message& c) {
  HoverLeave(*c.skin);
  HeaderRecord& r = *c.record;
  r.lastHotItem = r.hotItem = r.hot = 0;
  PaintHeaderOf(c, PaintTarget::WindowDC);
  return c.Chain();
}

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_MOVE: return OnMove(c);
    case WM_PAINT: return OnPaint(c);
    case WM_ERASEBKGND: return EraseNothing(c.wp);
    case WM_MOUSEMOVE: return OnMouseMove(c);
    case WM_LBUTTONDOWN: return OnButtonDown(c);
    case WM_LBUTTONUP: return OnButtonUp(c);
    case WM_MOUSELEAVE: return OnMouseLeave(c);
    default: return c.Chain();
  }
}

constexpr WNDPROC HeaderProc = FamilyProc<HeaderRecord, Dispatch>;

// --- taking ------------------------------------------------------------------------------

void TakeHeader(SkinEngine& engine, int instance, HWND header) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || skin->List<HeaderRecord>().Find(header)) return;
  if (TakenBySkin(header, HeaderProc)) return;  // by another instance, or made transparent
  HeaderRecord record;
  record.buttons = (GetWindowLongA(header, GWL_STYLE) & HDS_BUTTONS) ? 1 : 0;
  record.font = ReadControlFont(header, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  TakeControl(*skin, instance, header, HeaderProc, std::move(record));
}

}  // namespace

void TakeHeaders(SkinEngine& engine, int instance, HWND parent) {
  ForEachChildOfClass(parent, WC_HEADERA, [&](HWND header) { TakeHeader(engine, instance, header); });
  ForEachChildOfClass(parent, WC_LISTVIEWA, [&](HWND list) {
    if (HWND header = FindWindowExA(list, nullptr, WC_HEADERA, nullptr)) TakeHeader(engine, instance, header);
  });
}

std::vector<HeaderColumn> ReadHeaderColumns(HWND header) {
  std::vector<HeaderColumn> columns;
  const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  // The image list as it is now: it belongs to the list view or the application.
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(header, HDM_GETIMAGELIST, 0, 0));
  for (int k = 0; k < count; ++k) {
    HeaderColumn column;
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&column.rect));
    wchar_t text[kCaptionCapacity] = {};
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(kCaptionCapacity);
    if (SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&item))) {
      text[kCaptionCapacity - 1] = L'\0';
      column.text = item.pszText ? item.pszText : L"";
      column.format = item.fmt;
      if ((item.fmt & HDF_IMAGE) && images) column.icon.reset(ImageList_GetIcon(images, item.iImage, ILD_TRANSPARENT));
    }
    columns.push_back(std::move(column));
  }
  RECT client{};
  GetClientRect(header, &client);
  if (!columns.empty() && ClassNameOf(GetParent(header)) == WC_LISTVIEWA && columns.back().rect.right < client.right)
    columns.back().rect.right = client.right;
  return columns;
}

int HeaderColumnAt(HWND header, int x) {
  const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  for (int k = 0; k < count; ++k) {
    RECT r{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&r));
    if (r.left + 5 <= x && x <= r.right - 5) return k + 1;
  }
  return 0;
}

void PaintHeader(Canvas& canvas, const HeaderRecord& record, const std::vector<HeaderColumn>& columns, int margin,
                 const SkinOptions& options) {
  CaptionTools tools;
  if (!MakeCaptionTools(record, tools)) return;
  for (size_t i = 0; i < columns.size(); ++i)
    PaintColumn(canvas, record, columns[i], static_cast<int>(i) + 1, margin, options, tools);
}

}  // namespace tunelark
