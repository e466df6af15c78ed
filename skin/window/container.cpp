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

LRESULT DispatchWithEngine(HWND w, UINT m, WPARAM wp, LPARAM lp);
constexpr WNDPROC ContainerProc = FamilyProc<ContainerRecord, DispatchWithEngine>;

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

// Paints the container into given, or into its child-excluding window DC when none is given.
void PaintContainer(SkinEngine& engine, HWND window, HDC given) {
  ContainerRecord* found = FindRecord<ContainerRecord>(window);
  if (!found || found->window != window) return;
  const ContainerRecord record = *found;  // painting sends messages; work on a copy
  const Size size = ClientSizeOf(window);
  SnapshotDC picture = BackgroundSnapshot(engine, window, ClientRectInWindow(window));
  if (!picture || size.w <= 0 || size.h <= 0) return;
  {
    Canvas canvas(picture.get(), size.w, size.h);
    // An owner's snapshot comes from outside it, without its own tint.
    if (record.tintColour && IsBackgroundOwner(window))
      FillTint(canvas.graphics(), TintOf(record, record.isGroupBox != 0), 0, 0, static_cast<float>(size.w),
               static_cast<float>(size.h));
    PaintContainerLook(engine, canvas, record);
    canvas.Flush();
  }
  if (record.ownerSurface) UpdateOwnerSurface(window, *record.ownerSurface, picture.get(), size.w, size.h);
  ChildExcludingDC target(window, given);
  if (target.get()) BitBlt(target.get(), 0, 0, size.w, size.h, picture.get(), 0, 0, SRCCOPY);
  if (ContainerRecord* again = FindRecord<ContainerRecord>(window); again && again->window == window)
    again->backgroundStale = 0;
}

// --- the container's window procedure ----------------------------------------------------

LRESULT Chain(HWND w, UINT m, WPARAM wp, LPARAM lp) { return CallPreviousProc(w, m, wp, lp); }

bool OwnPaint(HWND window) {
  const ContainerRecord* r = FindRecord<ContainerRecord>(window);
  return r && r->window == window && r->ownPaint;
}

LRESULT OnMove(HWND w, WPARAM wp, LPARAM lp) {
  const ContainerRecord* r = FindRecord<ContainerRecord>(w);
  if (r && r->ownPaint && r->tintAlpha != 255) InvalidateRect(w, nullptr, FALSE);
  return Chain(w, WM_MOVE, wp, lp);
}

LRESULT OnSize(HWND w, WPARAM wp, LPARAM lp) {
  if (ContainerRecord* r = FindRecord<ContainerRecord>(w); r && r->window == w) {
    r->backgroundStale = 1;
    const std::vector<StretchedWindow> stretched = r->stretchList;  // moving sends messages
    const Size size = ClientSizeOf(w);
    for (const StretchedWindow& s : stretched)
      if (s.window) MoveWindow(s.window, 2, s.top, size.w - 4, size.h - s.top, TRUE);
  }
  return Chain(w, WM_SIZE, wp, lp);
}

LRESULT OnPaint(SkinEngine& engine, HWND w, WPARAM wp, LPARAM lp) {
  const ContainerRecord* r = FindRecord<ContainerRecord>(w);
  if (!r || r->window != w || !r->ownPaint) return Chain(w, WM_PAINT, wp, lp);
  const bool stale = r->backgroundStale != 0;
  {
    PaintDC paint(w);
    PaintContainer(engine, w, stale ? paint.get() : nullptr);
    // Children that let their parent show through paint again over the new picture.
    for (HWND child = FindWindowExA(w, nullptr, nullptr, nullptr); child;
         child = FindWindowExA(w, child, nullptr, nullptr))
      if (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) InvalidateRect(child, nullptr, FALSE);
  }
  return DefWindowProcA(w, WM_PAINT, wp, lp);
}

LRESULT OnEraseBackground(HWND w, WPARAM wp, LPARAM lp) {
  if (!OwnPaint(w)) return Chain(w, WM_ERASEBKGND, wp, lp);
  return EraseNothing(wp);
}

LRESULT OnShowWindow(SkinEngine& engine, HWND w, WPARAM wp, LPARAM lp) {
  if (wp != TRUE) return Chain(w, WM_SHOWWINDOW, wp, lp);
  Chain(w, WM_SHOWWINDOW, wp, lp);
  if (OwnPaint(w)) PaintContainer(engine, w, nullptr);
  return DefWindowProcA(w, WM_SHOWWINDOW, wp, lp);
}

LRESULT OnDrawItem(SkinEngine& engine, HWND w, WPARAM wp, LPARAM lp) {
  DRAWITEMSTRUCT item{};
  if (CopyMessageStruct(lp, item)) DispatchDrawItem(engine, GetIntProp(w, prop::kInstance), item);
  return Chain(w, WM_DRAWITEM, wp, lp);
}

LRESULT OnNotify(HWND w, WPARAM wp, LPARAM lp) {
  InvalidateOnTreeExpand(lp);
  return Chain(w, WM_NOTIFY, wp, lp);
}

LRESULT OnColourRequest(SkinEngine& engine, HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (HBRUSH brush = ColourReply(engine, m, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)))
    return reinterpret_cast<LRESULT>(brush);
  return Chain(w, m, wp, lp);
}

// Messages on which the system's own procedure of a group box or static panel draws straight
// onto the window: the skin's picture goes over it again.
LRESULT OnSystemRedraw(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  const LRESULT result = Chain(w, m, wp, lp);
  if (OwnPaint(w)) InvalidateRect(w, nullptr, FALSE);
  return result;
}

LRESULT OnDestroy(HWND w, WPARAM wp, LPARAM lp) {
  // The children still exist: their colour-reply objects go now.
  ReleaseChildColourReplies(w);
  return Chain(w, WM_DESTROY, wp, lp);
}

LRESULT Dispatch(SkinEngine& engine, HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_MOVE: return OnMove(w, wp, lp);
    case WM_SIZE: return OnSize(w, wp, lp);
    case WM_PAINT: return OnPaint(engine, w, wp, lp);
    case WM_ERASEBKGND: return OnEraseBackground(w, wp, lp);
    case WM_SHOWWINDOW: return OnShowWindow(engine, w, wp, lp);
    case WM_DRAWITEM: return OnDrawItem(engine, w, wp, lp);
    case WM_NOTIFY: return OnNotify(w, wp, lp);
    case WM_COMMAND:
      InvalidateOnContentChange(engine, wp, lp);
      return Chain(w, m, wp, lp);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: return OnColourRequest(engine, w, m, wp, lp);
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE: return OnSystemRedraw(w, m, wp, lp);
    case WM_DESTROY: return OnDestroy(w, wp, lp);
  }
  return Chain(w, m, wp, lp);
}

LRESULT DispatchWithEngine(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  SkinEngine* engine = SkinEngine::Current();
  return engine ? Dispatch(*engine, w, m, wp, lp) : Chain(w, m, wp, lp);
}

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
