#include "app/main_window_skin.h"

#include <string>
#include <vector>

#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/window/container.h"
#include "skin/window/transparent_control.h"

namespace tunelark {
namespace {

enum class ChildKind { GroupBox, Label, PictureBox, Canvas, TabControl, ShapeBox, Other };

// The program makes its labels as "Static" text, its picture boxes as SS_BITMAP/SS_ICON
// statics and its shape boxes as frame or rectangle statics; group boxes are BS_GROUPBOX
// buttons and tab controls SysTabControl32. (It makes no drawing canvas.)
ChildKind KindOf(HWND child) {
  const std::string cls = ClassNameOf(child);
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  if (lstrcmpiA(cls.c_str(), "Button") == 0) return (style & 0x0F) == BS_GROUPBOX ? ChildKind::GroupBox : ChildKind::Other;
  if (lstrcmpiA(cls.c_str(), "SysTabControl32") == 0) return ChildKind::TabControl;
  if (lstrcmpiA(cls.c_str(), "Static") != 0) return ChildKind::Other;
  switch (style & SS_TYPEMASK) {
    case SS_BITMAP:
    case SS_ICON:
    case SS_ENHMETAFILE: return ChildKind::PictureBox;
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: return ChildKind::ShapeBox;
    default: return ChildKind::Label;
  }
}

// The direct children of window in creation order (the z-order of children made without
// reordering).
std::vector<HWND> ChildrenInCreationOrder(HWND window) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
  return children;
}

void SkinChildrenOfKind(SkinEngine& engine, const std::vector<HWND>& children, ChildKind kind, int alpha) {
  for (HWND child : children) {
    if (KindOf(child) != kind) continue;
    if (kind == ChildKind::GroupBox || kind == ChildKind::TabControl) {
      ContainerArgs args;
      args.tintAlpha = alpha;
      SkinContainer(engine, child, args);
    } else {
      MakeControlTransparent(engine, child, std::nullopt, std::nullopt, alpha);
    }
  }
}

}  // namespace

void ApplySkinToWindow(SkinEngine& engine, HWND window, const ByteArray& picture, int alpha) {
  engine.SetBackground(picture, std::nullopt, std::nullopt, 3);  // stretched over the window
  engine.SetSkinOptions(1, alpha);
  ApplySkinArgs args;
  args.captionShown = 1;
  args.sizable = 0;
  args.helpButton = 0;
  args.menuButton = 0;
  args.showTitle = 1;
  args.captionGloss = 0;
  engine.ApplySkin(window, args);
  const std::vector<HWND> children = ChildrenInCreationOrder(window);
  for (ChildKind kind : {ChildKind::GroupBox, ChildKind::Label, ChildKind::PictureBox, ChildKind::Canvas,
                         ChildKind::TabControl, ChildKind::ShapeBox})
    SkinChildrenOfKind(engine, children, kind, alpha);
}

}  // namespace tunelark
