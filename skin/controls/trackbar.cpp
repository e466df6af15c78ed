#include "skin/controls/trackbar.h"

#include <commctrl.h>

#include "gfx/graphics_path.h"
#include "gfx/pen.h"
#include "skin/controls/family_proc.h"
#include "skin/controls/hover.h"
#include "skin/controls/paint_kit.h"
#include "skin/skin_colour.h"
#include "skin/skin_engine.h"
#include "skin/skin_geometry.h"
#include "skin/skin_paths.h"
#include "skin/subclass.h"

namespace tunelark {

namespace {

constexpr int kSelectionChannelThickness = 4;
constexpr int kThumbSize = 11;
constexpr float kDotSize = 4.0f;

// A band along the trackbar's axis: `along` runs with the channel (x for a horizontal
// trackbar, y for a vertical one), `across` at right angles to it.
struct Band {
  float along = 0, across = 0, length = 0, thickness = 0;
};

Gdiplus::RectF ToRect(bool vertical, const Band& b) {
  return vertical ? Gdiplus::RectF{b.across, b.along, b.thickness, b.length}
                  : Gdiplus::RectF{b.along, b.across, b.length, b.thickness};
}

void OutlineRectangle(Graphics& g, const Gdiplus::RectF& r, Argb colour) {
  Pen pen;
  if (pen.Create(colour)) g.DrawRectangle(pen, r.X, r.Y, r.Width, r.Height);
}

// The rounded frame and the wash inside it, darkening across the trackbar's thickness.
void PaintFrame(Graphics& g, int w, int h, bool vertical) {
  const float W = static_cast<float>(w), H = static_cast<float>(h);
  OutlineRounded(g, {0, 0, W - 1, H - 1}, 5, ToArgb(kBlack, 30, true));
  const Gdiplus::PointF to = vertical ? Gdiplus::PointF{W - 1, 0} : Gdiplus::PointF{0, H - 1};
  FillRoundedGradient(g, {1, 1, W - 2, H - 2}, 3, {0, 0}, to, ToArgb(kWhite, 160, true), ToArgb(kBlack, 30, true));
}

// The channel as drawn: 4 pixels thick and centred in the system's channel when the
// trackbar shows a selection, else the system's channel itself.
Band ChannelBand(const TrackbarRecord& r, const RECT& c) {
  Band b;
  b.along = static_cast<float>(r.vertical ? c.top : c.left);
  b.length = static_cast<float>(r.vertical ? c.bottom - c.top : c.right - c.left);
  b.across = static_cast<float>(r.vertical ? c.left : c.top);
  b.thickness = static_cast<float>(r.vertical ? c.right - c.left : c.bottom - c.top);
  if (r.selectionRange) {
    b.across += static_cast<float>((static_cast<int>(b.thickness) - kSelectionChannelThickness) / 2);
    b.thickness = kSelectionChannelThickness;
  }
  return b;
}

void PaintChannel(Graphics& g, bool vertical, const Band& b) {
  if (b.length <= 0 || b.thickness <= 0) return;
  const Gdiplus::RectF r = ToRect(vertical, b);
  const Gdiplus::PointF from{r.X, r.Y};
  const Gdiplus::PointF to = vertical ? Gdiplus::PointF{r.X + r.Width, r.Y} : Gdiplus::PointF{r.X, r.Y + r.Height};
  FillRoundedGradient(g, r, 1, from, to, ToArgb(kBlack, 50, true), ToArgb(kBlack, 30, true));
}

// The thumb: an 11-pixel circle while hot, else a 4-pixel dot (at the end of the range
// moved along to where the bar ends).
void PaintThumb(Graphics& g, const TrackbarRecord& r, const TrackbarState& s, const Band& channel) {
  const float thumbStart = static_cast<float>(r.vertical ? s.thumb.top : s.thumb.left);
  Band e;
  if (r.hot) {
    e.across = channel.across - 4 + (r.tickMode == 0 ? 2.0f : (r.tickMode == 2 ? 1.0f : 0.0f));
    e.along = thumbStart;
    e.length = e.thickness = kThumbSize;
  } else {
    e.across = channel.across - 0.5f;
    e.along = thumbStart + (s.position == s.high ? 8.0f : 0.0f);
    e.length = e.thickness = kDotSize;
  }
  const Gdiplus::RectF box = ToRect(r.vertical, e);
  // Opaque white shaded with black from alpha 0 to 90 across the channel (as the frame and
  // the channel darken), filled in one go: white fading into 255 - 90 grey.
  constexpr COLORREF kShadedWhite = 0xA5A5A5;
  LinearGradientBrush shade;
  Pen outline;
  const Gdiplus::PointF to =
      r.vertical ? Gdiplus::PointF{box.X + box.Width, box.Y} : Gdiplus::PointF{box.X, box.Y + box.Height};
  if (shade.CreateFromPoints({box.X, box.Y}, to, ToArgb(kWhite, 255, true), ToArgb(kShadedWhite, 255, true),
                             Gdiplus::WrapModeTileFlipXY))
    g.FillEllipse(shade, box.X, box.Y, box.Width, box.Height);
  if (outline.Create(ToArgb(kBlack, 50, true))) g.DrawEllipse(outline, box.X, box.Y, box.Width, box.Height);
}

// The selection's outline. Its ends are the selection's values placed within the range
// (the range's minimum counted, 64-bit arithmetic), so it always lies inside the channel;
// an empty range or an empty or inverted selection draws nothing.
void PaintSelection(Graphics& g, bool vertical, const TrackbarState& s, const Band& channel) {
  const int length = static_cast<int>(channel.length);
  const int start = ScaleToLength(s.selectionStart, s.low, s.high, length);
  const int end = ScaleToLength(s.selectionEnd, s.low, s.high, length);
  if (end <= start) return;
  Band b = channel;
  b.along = channel.along + static_cast<float>(start) - 1;
  b.length = static_cast<float>(end - start);
  b.thickness = channel.thickness - 1;
  OutlineRectangle(g, ToRect(vertical, b), ToArgb(kWhite, 160, true));
}

// The accent bar from the channel's start to the thumb (10 pixels on at the range's end),
// kept inside the picture.
void PaintFill(Graphics& g, const TrackbarRecord& r, const TrackbarState& s, const Band& channel, int limit,
               COLORREF accent) {
  const float thumbStart = static_cast<float>(r.vertical ? s.thumb.top : s.thumb.left);
  float end = thumbStart + (s.position == s.high ? 10.0f : 0.0f);
  if (end > static_cast<float>(limit - 1)) end = static_cast<float>(limit - 1);
  Band b = channel;
  b.length = end - channel.along;
  b.thickness = channel.thickness - 1;
  if (b.length <= 0 || b.thickness <= 0) return;
  OutlineRectangle(g, ToRect(r.vertical, b), ToArgb(accent, 200, true));
}

// --- the window procedure ---------------------------------------------------------------

using Message = FamilyMessage<TrackbarRecord>;

// One paint of the whole trackbar to the screen (its window DC).
void PaintWindow(Message& c) { PaintWholeControl(c, ReadTrackbarState, PaintTrackbar); }

LRESULT Dispatch(Message& c) {
  switch (c.m) {
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE: return OnHoverChange(c, HotKind::Trackbar, PaintWindow);
    default: return DispatchWholePaint(c, PaintWindow);
  }
}

constexpr WNDPROC TrackbarProc = FamilyProc<TrackbarRecord, Dispatch>;

}  // namespace

TrackbarRecord TrackbarRecordFor(HWND trackbar) {
  const LONG style = GetWindowLongA(trackbar, GWL_STYLE);
  TrackbarRecord r;
  r.window = trackbar;
  r.vertical = (style & TBS_VERT) ? 1 : 0;
  if (style & TBS_NOTICKS)
    r.tickMode = 3;
  else if (style & TBS_TOP)
    r.tickMode = 0;
  else if (style & TBS_BOTH)
    r.tickMode = 2;
  else
    r.tickMode = 1;
  r.selectionRange = (style & TBS_ENABLESELRANGE) ? 1 : 0;
  return r;
}

TrackbarState ReadTrackbarState(HWND w) {
  TrackbarState s;
  s.position = static_cast<LONG>(SendMessageA(w, TBM_GETPOS, 0, 0));
  s.low = static_cast<LONG>(SendMessageA(w, TBM_GETRANGEMIN, 0, 0));
  s.high = static_cast<LONG>(SendMessageA(w, TBM_GETRANGEMAX, 0, 0));
  s.selectionStart = static_cast<LONG>(SendMessageA(w, TBM_GETSELSTART, 0, 0));
  s.selectionEnd = static_cast<LONG>(SendMessageA(w, TBM_GETSELEND, 0, 0));
  SendMessageA(w, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&s.channel));
  SendMessageA(w, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&s.thumb));
  // Windows answers the channel of a vertical trackbar as if it lay horizontally (the axes
  // exchanged); Wine answers it as it lies. A vertical channel is taller than wide.
  RECT& c = s.channel;
  if ((GetWindowLongA(w, GWL_STYLE) & TBS_VERT) && c.right - c.left > c.bottom - c.top)
    c = {c.top, c.left, c.bottom, c.right};
  // Client coordinates to the window rectangle's.
  const RECT client = ClientRectInWindow(w);
  OffsetRect(&s.channel, client.left, client.top);
  OffsetRect(&s.thumb, client.left, client.top);
  return s;
}

void PaintTrackbar(Canvas& canvas, const TrackbarRecord& record, const TrackbarState& state,
                   const SkinOptions& options) {
  Graphics& g = canvas.graphics();
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const bool vertical = record.vertical != 0;
  if (options.controlFrames) PaintFrame(g, canvas.width(), canvas.height(), vertical);
  const Band channel = ChannelBand(record, state.channel);
  PaintChannel(g, vertical, channel);
  PaintThumb(g, record, state, channel);
  if (record.selectionRange) PaintSelection(g, vertical, state, channel);
  PaintFill(g, record, state, channel, vertical ? canvas.height() : canvas.width(), options.accentColour);
}

void TakeTrackbars(SkinEngine& engine, int instance, HWND parent) {
  SkinInstance* skin = engine.Instance(instance);
  if (!skin || !engine.options.drawChildControls || !parent) return;
  ForEachChildOfClass(parent, TRACKBAR_CLASSA, [&](HWND child) {
    if (TakenBySkin(child, TrackbarProc)) return;
    TakeControl(*skin, instance, child, TrackbarProc, TrackbarRecordFor(child));
  });
}

}  // namespace tunelark
