#include "skin/window/container.h"

#include <commctrl.h>

#include <cmath>
#include <string>
#include <utility>

#include "base/message_copy.h"
#include "gfx/brushes.h"
#include "gfx/font.h"
#include "gfx/gdi_handles.h"
#include "gfx/graphics.h"
#include "gfx/graphics_path.h"
#include "gfx/offscreen_dc.h"
#include "gfx/pen.h"
#include "gfx/string_format.h"
#include "skin/background_snapshot.h"
#include "skin/controls/families.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/skin_paths.h"
#include "skin/subclass.h"
#include "skin/window/child_excluding_dc.h"
#include "skin/window/colour_replies.h"

namespace tunelark {

namespace {

constexpr Gdiplus::ARGB kOuterLine = 0x28000000;       // black at 40
constexpr Gdiplus::ARGB kInnerLine = 0x64FFFFFF;       // white at 100
constexpr Gdiplus::ARGB kGroupInnerLine = 0x5AFFFFFF;  // white at 90

// --- taking ------------------------------------------------------------------------------

// The owner's painted look goes to a surface of its window rectangle's size, at the client
// area's place.
void MakeOwner(ContainerRecord& record) {
  RECT wr{};
  GetWindowRect(record.window, &wr);
  auto surface = std::make_shared<OffscreenDC>();
  WindowDC screen(record.window);
  if (!surface->Make(screen.get(), wr.right - wr.left, wr.bottom - wr.top, OffscreenDC::Kind::LikeDC)) return;
  record.ownerSurface = surface;
  SetIntProp(record.window, prop::kBackgroundOwner, 1);
  SetHandleProp(record.window, prop::kOwnerDC, surface->dc());
  // The owner paints before its children (a parent's WM_PAINT comes first), so they find
  // its picture in the surface.
  RedrawWindow(record.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

HWND NearestOwnerAbove(HWND window) {
  for (HWND a = GetParent(window); a; a = GetParent(a))
    if (IsBackgroundOwner(a)) return a;
  return nullptr;
}

// A container that paints itself and holds another container becomes a background owner;
// then every container learns its nearest owner ("Mb_zpf").
void RefreshBackgroundOwners(SkinEngine& engine, int instance) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin) return;
  FamilyList<ContainerRecord>& list = skin->List<ContainerRecord>();
  for (int i = 1; i <= list.Count(); ++i) {
    ContainerRecord* c = list.At(i);
    if (!c->window || !c->ownPaint || c->ownerSurface) continue;
    for (const ContainerRecord& inner : list) {
      if (inner.window && IsChild(c->window, inner.window)) {
        MakeOwner(*c);
        break;
      }
    }
  }
  for (const ContainerRecord& c : list)
    if (c.window) SetHandleProp(c.window, prop::kNearestOwner, NearestOwnerAbove(c.window));
}

// --- painting ----------------------------------------------------------------------------

BackgroundTint TintOf(const ContainerRecord& c, bool groupBoxShape) {
  return {c.tintColour, static_cast<BYTE>(c.tintAlpha), groupBoxShape};
}

void PaintGroupBoxCaption(SkinEngine& engine, Canvas& canvas, const ContainerRecord& record) {
  const std::string caption = WindowTextOf(record.window);
  if (caption.empty()) return;
  Font font;
  StringFormat format;
  SolidBrush brush;
  const COLORREF colour = static_cast<COLORREF>(GetIntProp(record.window, prop::kTextColour));
  if (!MakeControlFont(record.font, font)) return;
  if (!format.Create(0, 0) || !brush.Create(ToArgb(colour, 255, true))) return;
  const int w = canvas.width();
  const int tw = TextWidth(caption, record.font);
  const LONG style = GetWindowLongA(record.window, GWL_STYLE);
  int x = w - tw - 10;
  if ((style & BS_CENTER) == BS_CENTER)
    x = (w - tw) / 2;
  else if (style & BS_LEFT)
    x = 10;
  // The frame lines do not run behind the caption.
  canvas.Flush();
  PaintBackgroundBehind(engine, record.window, canvas.dc(), RECT{x, 1, x + tw, 1 + static_cast<int>(record.font.emPixels) + 3});
  canvas.graphics().DrawString(caption, font,
                               Gdiplus::RectF(static_cast<float>(x), 1, static_cast<float>(tw),
                                              record.font.emPixels + 3),
                               &format, brush);
}

// Copies the composed picture into the owner surface (at the client area's place).
void UpdateOwnerSurface(HWND window, OffscreenDC& surface, HDC picture, int w, int h) {
  RECT wr{};
  GetWindowRect(window, &wr);
  WindowDC screen(window);
  // A new size gets a new bitmap in the same DC: the one the owner's property names.
  if (!surface.Ensure(screen.get(), wr.right - wr.left, wr.bottom - wr.top, OffscreenDC::Kind::LikeDC)) return;
  const RECT client = ClientRectInWindow(window);
  BitBlt(surface.dc(), client.left, client.top, w, h, picture, 0, 0, SRCCOPY);
}

using Message = FamilyMessage<ContainerRecord>;

// Paints the container into given, or into its child-excluding window DC when none is given.
void PaintContainer(Message& c, HDC given) {
  ChildExcludingDC target(c.w, given);
  ControlPaint paint(c.w, PaintTarget::Given, target.get(), nullptr, Backdrop::SkinOnly);
  if (!paint.ok()) return;
  Canvas& canvas = paint.canvas();
  const ContainerRecord record = *c.record;  // the caption's WM_GETTEXT runs the window's code
  // An owner's snapshot comes from outside it, without its own tint.
  if (record.tintColour && IsBackgroundOwner(c.w))
    FillTint(canvas.graphics(), TintOf(record, record.isGroupBox != 0), 0, 0, static_cast<float>(canvas.width()),
             static_cast<float>(canvas.height()));
  PaintContainerLook(*c.engine, canvas, record);
  canvas.Flush();
  if (record.ownerSurface) UpdateOwnerSurface(c.w, *record.ownerSurface, canvas.dc(), canvas.width(), canvas.height());
  paint.Present();
  if (c.Refind()) c.record->backgroundStale = 0;
}

// --- the container's window procedure ----------------------------------------------------

LRESULT OnMove(Message& c) {
  if (c.record->ownPaint && c.record->tintAlpha != 255) InvalidateRect(c.w, nullptr, FALSE);
  return c.Chain();
}

LRESULT OnSize(Message& c) {
  c.record->backgroundStale = 1;
  const std::vector<StretchedWindow> stretched = c.record->stretchList;  // moving runs their code
  const Size size = ClientSizeOf(c.w);
  for (const StretchedWindow& s : stretched)
    if (s.window) MoveWindow(s.window, 2, s.top, size.w - 4, size.h - s.top, TRUE);
  return c.Chain();
}

LRESULT OnPaint(Message& c) {
  if (!c.record->ownPaint) return c.Chain();
  const bool stale = c.record->backgroundStale != 0;
  {
    PaintDC paint(c.w);
    if (c.Refind()) PaintContainer(c, stale ? paint.get() : nullptr);
    // Children that let their parent show through paint again over the new picture.
    for (HWND child = FindWindowExA(c.w, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(c.w, child, nullptr, nullptr))
      if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) InvalidateRect(child, nullptr, FALSE);
  }
  return DefWindowProcA(c.w, WM_PAINT, c.wp, c.lp);
}

LRESULT OnEraseBackground(Message& c) { return c.record->ownPaint ? EraseNothing(c.wp) : c.Chain(); }

LRESULT OnShowWindow(Message& c) {
  if (c.wp != TRUE) return c.Chain();
  c.Chain();
  if (c.Refind() && c.record->ownPaint) PaintContainer(c, nullptr);
  return DefWindowProcA(c.w, WM_SHOWWINDOW, c.wp, c.lp);
}

LRESULT OnDrawItem(Message& c) {
  DRAWITEMSTRUCT item{};
  if (CopyMessageStruct(c.lp, item)) DispatchDrawItem(*c.engine, item);
  return c.Chain();
}

LRESULT OnColourRequest(Message& c) {
  if (HBRUSH brush = ColourReply(*c.engine, c.m, reinterpret_cast<HDC>(c.wp), reinterpret_cast<HWND>(c.lp)))
    return reinterpret_cast<LRESULT>(brush);
  return c.Chain();
}

// Messages on which the system's own procedure of a group box or static panel draws straight
// onto the window: the skin's picture goes over it again.
LRESULT OnSystemRedraw(Message& c) {
  const LRESULT result = c.Chain();
  if (c.Refind() && c.record->ownPaint) InvalidateRect(c.w, nullptr, FALSE);
  return result;
}

LRESULT OnDestroy(Message& c) {
  // The children still exist: their colour-reply objects go now.
  ReleaseChildColourReplies(c.w);
  return c.Chain();
}

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_MOVE: return OnMove(c);
    case WM_SIZE: return OnSize(c);
    case WM_PAINT: return OnPaint(c);
    case WM_ERASEBKGND: return OnEraseBackground(c);
    case WM_SHOWWINDOW: return OnShowWindow(c);
    case WM_DRAWITEM: return OnDrawItem(c);
    case WM_NOTIFY:
      InvalidateOnTreeExpand(c.lp);
      return c.Chain();
    case WM_COMMAND:
      InvalidateOnContentChange(*c.engine, c.wp, c.lp);
      return c.Chain();
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return OnColourRequest(c);
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE: return OnSystemRedraw(c);
    case WM_DESTROY: return OnDestroy(c);
    default: return c.Chain();
  }
}

constexpr WNDPROC ContainerProc = FamilyProc<ContainerRecord, Dispatch>;

}  // namespace

// --- the operations ----------------------------------------------------------------------

// As the container's window goes: its owner surface, and the properties that made it a
// background owner.
void ContainerRecord::Forget() {
  ownerSurface.reset();
  RemovePropA(window, prop::kBackgroundOwner);
  RemovePropA(window, prop::kOwnerDC);
}

bool IsGroupBox(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, 255);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  // Knowingly broad: any button type with the BS_RADIOBUTTON bit (BS_GROUPBOX among them).
  return std::string(name) == "Button" && (style & BS_RADIOBUTTON) != 0;
}

int SkinContainer(SkinEngine& engine, HWND window, const ContainerArgs& args) {
  if (!window || !IsWindow(window)) return 0;
  const int instance = engine.FindOwningInstance(window);
  SkinInstance* skin = engine.Instance(instance);
  if (!skin) return 0;
  if (int position = skin->List<ContainerRecord>().Find(window)) return position;
  // Taken by a family already (or by another instance): a second procedure in front would
  // chain to itself.
  if (AlreadySubclassed(window, ContainerProc)) return 0;
  ContainerRecord record;
  record.tintColour = args.tintColour.value_or(0);
  record.tintAlpha = static_cast<BYTE>(args.tintAlpha.value_or(255) & 0xFF);
  record.frameFlag = args.frameFlag.value_or(0);
  record.ownPaint = args.ownPaint.value_or(1);
  record.stretchList.push_back({});
  if (IsGroupBox(window)) {
    record.isGroupBox = 1;
    record.font = ReadControlFont(window);
  }
  TakeEveryFamily(engine, instance, window);
  record.backgroundStale = 1;
  const int position = TakeControl(*skin, instance, window, ContainerProc, std::move(record));
  RefreshBackgroundOwners(engine, instance);
  InvalidateRect(window, nullptr, FALSE);
  return position;
}

bool SetContainerTintAlpha(SkinEngine& engine, HWND window, int alpha) {
  const ControlLink link = ReadControlLink(window);
  SkinInstance* skin = engine.Instance(link.instance);
  ContainerRecord* r = skin ? skin->List<ContainerRecord>().At(link.position) : nullptr;
  if (!r || r->window != window || !r->tintColour) return false;
  r->tintAlpha = static_cast<BYTE>(alpha & 0xFF);
  // The controls inside show the tint too.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  return true;
}

void PaintBackgroundBehind(SkinEngine& engine, HWND control, HDC dc, const RECT& r) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  BackgroundSource source;
  if (w <= 0 || h <= 0 || !FindBackgroundSource(engine, control, source) || !source.dc) return;
  const RECT client = ClientRectInWindow(control);
  BitBlt(dc, r.left, r.top, w, h, source.dc, source.offset.x + client.left + r.left,
         source.offset.y + client.top + r.top, SRCCOPY);
  // The tint of the container the control is, or of the painting container it lies in below
  // its nearest background owner (whose own picture has the tints above it already).
  const int instance = engine.FindOwningInstance(control);
  SkinInstance* skin = engine.Instance(instance);
  if (!skin) return;
  FamilyList<ContainerRecord>& list = skin->List<ContainerRecord>();
  int j = list.Find(control);
  if (!j) {
    HWND stop = NearestOwnerAbove(control);
    j = engine.FindPaintingContainerAbove(instance, control, stop ? stop : skin->window);
  }
  const ContainerRecord* c = list.At(j);
  if (!c || !c->tintColour) return;
  Graphics g;
  if (!g.CreateFromDC(dc)) return;
  const bool groupBox = c->isGroupBox && c->window == control;
  const float top = static_cast<float>(groupBox ? r.top + 4 : r.top);
  const float height = static_cast<float>(groupBox ? h - 4 : h);
  if (groupBox) g.SetClipRect(static_cast<float>(r.left), top, static_cast<float>(w), height);
  FillTint(g, TintOf(*c, false), static_cast<float>(r.left), top, static_cast<float>(w), height);
}

int TextWidth(const std::string& text, const ControlFont& controlFont) {
  MemoryDC dc(nullptr);
  Graphics g;
  Font font;
  if (!dc || !g.CreateFromDC(dc.get()) || !MakeControlFont(controlFont, font)) return 1;
  Gdiplus::RectF bounds;
  if (!g.MeasureString(text, font, Gdiplus::RectF(0, 0, 0, 0), nullptr, bounds)) return 1;
  return static_cast<int>(std::floor(bounds.Width)) + 1;
}

void PaintContainerLook(SkinEngine& engine, Canvas& canvas, const ContainerRecord& record) {
  const float w = static_cast<float>(canvas.width()), h = static_cast<float>(canvas.height());
  Graphics& g = canvas.graphics();
  if (record.isGroupBox) {
    Outline(g, RoundedPath(0, 5, w - 1, h - 6, 5), kOuterLine);
    Outline(g, RoundedPath(1, 6, w - 3, h - 8, 3), kGroupInnerLine);
    PaintGroupBoxCaption(engine, canvas, record);
  } else if (record.frameFlag) {
    Outline(g, RoundedPath(0, 0, w - 1, h - 1, 5), kOuterLine);
    Outline(g, RoundedPath(1, 1, w - 3, h - 3, 3), kInnerLine);
  }
}

}  // namespace tunelark
