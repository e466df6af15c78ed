#include "skin/background_snapshot.h"

#include "gfx/brushes.h"
#include "gfx/dib_graphics.h"
#include "gfx/graphics.h"
#include "gfx/graphics_path.h"
#include "skin/skin_colour.h"
#include "skin/skin_geometry.h"
#include "skin/skin_paths.h"

namespace tunelark {

namespace {

POINT TopLeft(const RECT& r) { return {r.left, r.top}; }

BackgroundTint TintOf(const ContainerRecord& c, bool groupBoxShape) {
  return {c.tintColour, c.tintAlpha, groupBoxShape && c.isGroupBox != 0};
}

// p's own container record in the instance, when p is a container with a tint.
bool OwnContainerTint(SkinEngine& engine, int instance, HWND p, BackgroundTint& tint) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin) return false;
  const ContainerRecord* c = skin->List<ContainerRecord>().At(engine.FindContainer(instance, p));
  if (!c || !c->tintColour) return false;
  tint = TintOf(*c, true);
  return true;
}

// The source is the instance's back buffer, found directly (p is the instance's window or
// the walk reached it). The back buffer lies at the window's client origin, which a window
// that keeps its system frame has below its caption and inside its border.
void FromInstanceWindow(SkinEngine& engine, int k, HWND p, BackgroundSource& s) {
  SkinInstance* skin = engine.Instance(k);
  s.dc = skin->backgroundDC();
  s.offset = TopLeft(RectRelativeToClient(skin->window, p));
  OwnContainerTint(engine, k, p, s.tint);
}

// The source is a background owner other than p.
void FromOwner(SkinEngine& engine, HWND owner, HWND p, BackgroundSource& s) {
  s.dc = GetHandleProp<HDC>(owner, prop::kOwnerDC);
  s.offset = TopLeft(RectRelativeToWindow(owner, p));
  int k = engine.FindOwningInstance(p);
  if (OwnContainerTint(engine, k, p, s.tint)) return;
  if (int j = engine.FindPaintingContainerAbove(k, p, owner)) {
    const ContainerRecord* c = engine.Instance(k)->List<ContainerRecord>().At(j);
    if (c->tintColour) s.tint = TintOf(*c, false);
  }
}

// The source is the back buffer of instance k reached through container j (0 = none).
bool FromRoot(SkinEngine& engine, int k, int j, HWND p, BackgroundSource& s) {
  SkinInstance* skin = engine.Instance(k);
  if (!skin) return false;
  s.dc = skin->backgroundDC();
  s.offset = TopLeft(RectRelativeToRoot(p));
  if (const ContainerRecord* c = skin->List<ContainerRecord>().At(j); c && c->tintColour) s.tint = TintOf(*c, false);
  return true;
}

// Instance k and position j of the container list that holds window a; false when none.
bool FindInAnyContainerList(SkinEngine& engine, HWND a, int& k, int& j) {
  for (k = 1; k <= engine.InstanceCount(); ++k)
    if ((j = engine.FindContainer(k, a)) != 0) return true;
  return false;
}

// A memory DC holding a new, zeroed 32-bit w x h bitmap, registered in the engine.
SnapshotDC MakeSnapshotDC(SkinEngine& engine, int w, int h) {
  OffscreenDC surface;
  if (w <= 0 || h <= 0) {
    // Nothing to copy, but callers still get a DC to draw on and release.
    surface = OffscreenDC::Adopt(CreateCompatibleDC(nullptr), nullptr, nullptr);
  } else if (!surface.Make(nullptr, w, h, OffscreenDC::Kind::Dib32)) {
    return {};
  }
  return SnapshotDC(engine, engine.RegisterSnapshotDC(std::move(surface)));
}

}  // namespace

bool IsBackgroundOwner(HWND w) { return GetIntProp(w, prop::kBackgroundOwner) == 1; }

void FillTint(Graphics& g, const BackgroundTint& tint, float x, float y, float w, float h) {
  SolidBrush brush;
  GraphicsPath path;
  if (!brush.Create(ToArgb(tint.colour, tint.alpha, true)) || !path.Create()) return;
  if (tint.groupBoxShape)
    AddRoundedRectangle(path, x, y + 5, w, h - 6, 5);
  else
    path.AddRectangle(x, y, w, h);
  g.FillPath(brush, path);
}

bool FindBackgroundSource(SkinEngine& engine, HWND p, BackgroundSource& s) {
  s = {};
  if (IsBackgroundOwner(p)) {
    // p owns a background of its own; the pixels behind it come from the owner outside it
    // or from the skinned window.
    if (HWND outer = GetHandleProp<HWND>(p, prop::kNearestOwner)) {
      s.dc = GetHandleProp<HDC>(outer, prop::kOwnerDC);
      s.offset = TopLeft(RectRelativeToWindow(outer, p));
      return true;
    }
    return FromRoot(engine, engine.FindOwningInstance(p), 0, p, s);
  }
  if (int k = engine.FindSkinInstance(p)) {
    FromInstanceWindow(engine, k, p, s);
    return true;
  }
  for (HWND a = GetParent(p); a; a = GetParent(a)) {
    if (IsBackgroundOwner(a)) {
      FromOwner(engine, a, p, s);
      return true;
    }
    if (int k = engine.FindSkinInstance(a)) {
      FromInstanceWindow(engine, k, p, s);
      return true;
    }
    int k = 0, j = 0;
    if (FindInAnyContainerList(engine, a, k, j)) {
      if (HWND owner = GetHandleProp<HWND>(a, prop::kNearestOwner)) {
        FromOwner(engine, owner, p, s);
        return true;
      }
      return FromRoot(engine, k, j, p, s);
    }
  }
  return FromRoot(engine, engine.FindOwningInstance(p), 0, p, s);
}

SnapshotDC BackgroundSnapshot(SkinEngine& engine, HWND p, const RECT& r) {
  BackgroundSource source;
  if (!FindBackgroundSource(engine, p, source)) return {};
  const int w = r.right - r.left, h = r.bottom - r.top;
  SnapshotDC snapshot = MakeSnapshotDC(engine, w, h);
  if (!snapshot || w <= 0 || h <= 0) return snapshot;
  BitBlt(snapshot.get(), 0, 0, w, h, source.dc, source.offset.x + r.left, source.offset.y + r.top, SRCCOPY);
  if (source.tint.colour) {
    Graphics graphics;
    if (graphics.CreateFromDC(snapshot.get()))
      FillTint(graphics, source.tint, 0, 0, static_cast<float>(w), static_cast<float>(h));
  }
  return snapshot;
}

void WashWithWhite(HDC snapshot, int w, int h, int alpha) {
  const Gdiplus::RectF all(0, 0, static_cast<float>(w), static_cast<float>(h));
  DibGraphics pixels(snapshot, w, h);
  if (pixels.ok()) {
    pixels.get().FillRectangleWithColour(ToArgb(0xFFFFFF, alpha, true), all);
    pixels.get().Flush(Gdiplus::FlushIntentionSync);
    return;
  }
  Graphics graphics;
  if (graphics.CreateFromDC(snapshot)) graphics.FillRectangleWithColour(ToArgb(0xFFFFFF, alpha, true), all);
}

BitmapHandle StaticBackdropBitmap(SkinEngine& engine, HWND p) {
  const RECT rr = ClientRectInWindow(p);
  const int w = rr.right - rr.left, h = rr.bottom - rr.top;
  SnapshotDC snapshot = BackgroundSnapshot(engine, p, rr);
  if (!snapshot) return {};
  WashWithWhite(snapshot.get(), w, h, engine.options.backdropAlpha);
  return CopyDcToBitmap(std::move(snapshot), w, h);
}

BitmapHandle CopyDcToBitmap(SnapshotDC snapshot, int w, int h) {
  MemoryDC memory(nullptr);
  BitmapHandle bitmap(CreateCompatibleBitmap(snapshot.get(), w, h));
  if (memory && bitmap) {
    SelectGuard select(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, snapshot.get(), 0, 0, SRCCOPY);
  }
  return bitmap;  // the snapshot is released as it goes out of scope
}

}  // namespace tunelark
