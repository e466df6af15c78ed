// What the skin's painters share: the two colours every look blends, the running engine's
// options as painters read them, the strokes of the rounded looks, the scroll bars a
// control's frame leaves to the system, and a window's text.
#pragma once
#include <windows.h>

#include <string>

#include "gfx/gdi_handles.h"
#include "gfx/gdiplus_api.h"
#include "gfx/graphics_path.h"

namespace tunelark {

class Graphics;
struct SkinOptions;

// The painters' GDI+ geometry.
using Gdiplus::PointF;
using Gdiplus::RectF;

inline constexpr COLORREF kWhite = 0xFFFFFF;
inline constexpr COLORREF kBlack = 0x000000;

// The running engine's options; the defaults when no engine runs.
const SkinOptions& CurrentOptions();
// CurrentOptions().accentColour.
COLORREF Accent();
// colour (a COLORREF) at alpha 0..255, as GDI+ takes it.
Gdiplus::ARGB Colour(COLORREF colour, int alpha);

// A rectangle with corners of radius r.
GraphicsPath RoundedPath(float x, float y, float w, float h, float r = 5);
void Outline(Graphics& g, const GraphicsPath& path, Gdiplus::ARGB colour, float width = 1.0f);
void FillSolid(Graphics& g, const GraphicsPath& path, Gdiplus::ARGB colour);
void FillGradient(Graphics& g, const GraphicsPath& path, Gdiplus::PointF from, Gdiplus::PointF to,
                  Gdiplus::ARGB first, Gdiplus::ARGB second);

// Whether the control shows the scroll bar of styleBit (WS_HSCROLL, WS_VSCROLL; object
// OBJID_HSCROLL, OBJID_VSCROLL), and where (screen coordinates).
bool ShownScrollBar(HWND control, LONG styleBit, LONG object, RECT& bar);
// The rectangle the control's frame surrounds (window coordinates): its client area and
// its shown scroll bars.
RECT FrameInnerRect(HWND control);
// The control's shown scroll bars (and the box between two of them) as a region in screen
// coordinates, for the system to paint them; empty when it shows none.
RegionHandle ScrollBarRegion(HWND control);

// The window's text (the system code page).
std::string WindowTextOf(HWND window);

}  // namespace tunelark
