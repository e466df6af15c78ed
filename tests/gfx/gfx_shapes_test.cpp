// Rounded rectangles by percentage, transforms about a point, rotated bounds, rotation into
// a new bitmap and code page 936 text, all rendered by the platform's GDI+.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "gfx/brushes.h"
#include "gfx/font.h"
#include "gfx/font_family.h"
#include "gfx/graphics_path.h"
#include "gfx/matrix.h"
#include "gfx/pen.h"
#include "gfx/region.h"
#include "gfx/string_format.h"
#include "tests/gfx/gfx_test_support.h"
#include "tests/support/test_paths.h"

using namespace tunelark;
using Gdiplus::PointF;
using gfxtest::Canvas;

namespace {

std::vector<PointF> RoundedPoints(float x, float y, float w, float h, int roundness) {
  GraphicsPath path;
  EXPECT_TRUE(path.Create());
  EXPECT_TRUE(path.AddRoundedRectanglePercent(x, y, w, h, roundness));
  std::vector<PointF> points;
  EXPECT_TRUE(path.GetPathPoints(points));
  return points;
}

void ExpectSamePoints(const std::vector<PointF>& a, const std::vector<PointF>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_NEAR(a[i].X, b[i].X, 1e-3) << "point " << i;
    EXPECT_NEAR(a[i].Y, b[i].Y, 1e-3) << "point " << i;
  }
}

// Fills the rounded rectangle in black on a white canvas, no anti-aliasing.
void FillRounded(Canvas& canvas, float x, float y, float w, float h, int roundness) {
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRoundedRectanglePercent(x, y, w, h, roundness));
  SolidBrush black;
  ASSERT_TRUE(black.Create(0xFF000000));
  ASSERT_TRUE(canvas.graphics.FillPath(black, path));
}

}  // namespace

TEST(RoundedRectanglePercent, RoundnessIsClampedToOneThroughHundred) {
  gfxtest::EnsureGdiplus();
  const auto one = RoundedPoints(10, 10, 100, 100, 1);
  ExpectSamePoints(RoundedPoints(10, 10, 100, 100, 0), one);
  ExpectSamePoints(RoundedPoints(10, 10, 100, 100, -5), one);
  ExpectSamePoints(RoundedPoints(10, 10, 100, 100, 250), RoundedPoints(10, 10, 100, 100, 100));
  // A closed figure: the last point type carries the close flag.
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRoundedRectanglePercent(0, 0, 50, 50, 20));
  std::vector<BYTE> types;
  ASSERT_TRUE(path.GetPathTypes(types));
  ASSERT_FALSE(types.empty());
  EXPECT_TRUE(types.back() & Gdiplus::PathPointTypeCloseSubpath);
}

TEST(RoundedRectanglePercent, ArcSizesTruncateToWholePixels) {
  gfxtest::EnsureGdiplus();
  // width 10, roundness 15: 1.5 -> arc width 1; height 40 -> 6.
  GraphicsPath reference;
  ASSERT_TRUE(reference.Create());
  ASSERT_TRUE(reference.AddArc(5 + 10 - 1, 5, 1, 6, 270, 90));
  ASSERT_TRUE(reference.AddArc(5 + 10 - 1, 5 + 40 - 6, 1, 6, 0, 90));
  ASSERT_TRUE(reference.AddArc(5, 5 + 40 - 6, 1, 6, 90, 90));
  ASSERT_TRUE(reference.AddArc(5, 5, 1, 6, 180, 90));
  ASSERT_TRUE(reference.CloseFigure());
  std::vector<PointF> expected;
  ASSERT_TRUE(reference.GetPathPoints(expected));
  ExpectSamePoints(RoundedPoints(5, 5, 10, 40, 15), expected);

  Canvas canvas(20, 50);
  FillRounded(canvas, 5, 5, 10, 40, 15);
  canvas.Save("gfx_rounded_15");
  // A nearly square shape: the middle row spans the full width, the middle column the height.
  EXPECT_TRUE(canvas.IsInk(6, 25));
  EXPECT_TRUE(canvas.IsInk(13, 25));
  EXPECT_TRUE(canvas.IsInk(10, 6));
  EXPECT_TRUE(canvas.IsInk(10, 43));
  EXPECT_FALSE(canvas.IsInk(3, 25));
  EXPECT_FALSE(canvas.IsInk(17, 25));
}

TEST(RoundedRectanglePercent, RendersSquareCornersAtZeroAndAnEllipseAtHundredAndAbove) {
  for (int roundness : {0, 100, 250}) {
    Canvas canvas(120, 120);
    FillRounded(canvas, 10, 10, 100, 100, roundness);
    canvas.Save("gfx_rounded_" + std::to_string(roundness));
    SCOPED_TRACE(roundness);
    EXPECT_TRUE(canvas.IsInk(60, 60));
    EXPECT_TRUE(canvas.IsInk(60, 12));   // middle of the top edge
    EXPECT_TRUE(canvas.IsInk(12, 60));   // middle of the left edge
    EXPECT_TRUE(canvas.IsInk(107, 60));  // middle of the right edge
    EXPECT_FALSE(canvas.IsInk(5, 5));
    EXPECT_FALSE(canvas.IsInk(115, 115));
    if (roundness == 0) {
      // Behaves as 1: 1 x 1 corner arcs leave the corners filled.
      EXPECT_TRUE(canvas.IsInk(11, 11));
      EXPECT_TRUE(canvas.IsInk(108, 11));
      EXPECT_TRUE(canvas.IsInk(11, 108));
      EXPECT_TRUE(canvas.IsInk(108, 108));
    } else {
      // The corners take the whole width and height: a circle of diameter 100.
      EXPECT_FALSE(canvas.IsInk(20, 20));
      EXPECT_FALSE(canvas.IsInk(100, 20));
      EXPECT_FALSE(canvas.IsInk(20, 100));
      EXPECT_FALSE(canvas.IsInk(100, 100));
      EXPECT_TRUE(canvas.IsInk(30, 30));  // inside the circle (distance 42 from the centre)
    }
  }
}

namespace {

PointF Map(const Graphics& graphics, PointF p) {
  EXPECT_TRUE(graphics.TransformPoints(Gdiplus::CoordinateSpaceDevice, Gdiplus::CoordinateSpaceWorld, &p, 1));
  return p;
}

std::array<float, 6> Elements(const Matrix& m) {
  std::array<float, 6> e{};
  EXPECT_TRUE(m.GetElements(e));
  return e;
}

void ExpectNear(PointF actual, float x, float y) {
  EXPECT_NEAR(actual.X, x, 1e-3);
  EXPECT_NEAR(actual.Y, y, 1e-3);
}

}  // namespace

TEST(TransformAboutPoint, GraphicsScaleAndRotateMapPointsTheSameInBothOrders) {
  Canvas canvas(40, 40);
  Graphics& g = canvas.graphics;
  for (auto order : {Gdiplus::MatrixOrderPrepend, Gdiplus::MatrixOrderAppend}) {
    SCOPED_TRACE(order);
    ASSERT_TRUE(g.ResetTransform());
    ASSERT_TRUE(g.ScaleAt(2.0f, 3.0f, PointF(10, 20), order));
    ExpectNear(Map(g, PointF(10, 20)), 10, 20);  // the centre stays
    ExpectNear(Map(g, PointF(11, 21)), 12, 23);
    ExpectNear(Map(g, PointF(0, 0)), -10, -40);

    ASSERT_TRUE(g.ResetTransform());
    ASSERT_TRUE(g.RotateAt(90.0f, PointF(10, 20), order));
    ExpectNear(Map(g, PointF(10, 20)), 10, 20);
    ExpectNear(Map(g, PointF(11, 20)), 10, 21);  // clockwise on screen
    ExpectNear(Map(g, PointF(10, 25)), 5, 20);
  }
}

TEST(TransformAboutPoint, BrushAndPenTransformsAgreeAcrossOrders) {
  gfxtest::EnsureGdiplus();
  LinearGradientBrush linear;
  ASSERT_TRUE(linear.CreateFromPoints(PointF(0, 0), PointF(10, 0), 0xFF000000, 0xFFFFFFFF));
  PathGradientBrush radial;
  ASSERT_TRUE(radial.CreateFromPoints({PointF(0, 0), PointF(10, 0), PointF(10, 10), PointF(0, 10)}));
  Pen pen;
  ASSERT_TRUE(pen.Create(0xFF000000, 2.0f));
  Matrix m;
  ASSERT_TRUE(m.Create());

  auto check = [&](auto& object) {
    if (!object.RotateTransform(1.0f) && lastGdiplusStatus == Gdiplus::NotImplemented) {
      std::printf("transform of this object kind not implemented by this GDI+; skipped\n");
      return;
    }
    std::array<float, 6> byOrder[2];
    int i = 0;
    for (auto order : {Gdiplus::MatrixOrderPrepend, Gdiplus::MatrixOrderAppend}) {
      ASSERT_TRUE(object.ResetTransform()) << "status " << lastGdiplusStatus;
      ASSERT_TRUE(object.RotateAt(30.0f, PointF(4, 6), order)) << "status " << lastGdiplusStatus;
      ASSERT_TRUE(object.ScaleAt(2.0f, 0.5f, PointF(4, 6), order));
      ASSERT_TRUE(object.GetTransform(m));
      byOrder[i++] = Elements(m);
    }
    // Both orders keep (4, 6) fixed after rotation then scaling about it.
    for (const auto& e : byOrder) {
      PointF p(4, 6);
      Matrix probe;
      ASSERT_TRUE(probe.Create(e[0], e[1], e[2], e[3], e[4], e[5]));
      ASSERT_TRUE(probe.TransformPoints(&p, 1));
      ExpectNear(p, 4, 6);
    }
  };
  {
    SCOPED_TRACE("linear");
    check(linear);
  }
  {
    SCOPED_TRACE("path gradient");
    check(radial);
  }
  {
    SCOPED_TRACE("pen");
    check(pen);
  }

  // A single call on an identity transform gives the same matrix in both orders.
  std::array<float, 6> single[2];
  int i = 0;
  for (auto order : {Gdiplus::MatrixOrderPrepend, Gdiplus::MatrixOrderAppend}) {
    ASSERT_TRUE(pen.ResetTransform());
    ASSERT_TRUE(pen.ScaleAt(3.0f, 2.0f, PointF(5, 7), order));
    ASSERT_TRUE(pen.GetTransform(m));
    single[i++] = Elements(m);
  }
  for (int k = 0; k < 6; ++k) EXPECT_NEAR(single[0][k], single[1][k], 1e-4);
}

TEST(RotatedBounds, KnownSizesAndAngles) {
  struct Case {
    int w, h;
    double angle;
    int ew, eh;
  };
  const Case cases[] = {
      {100, 50, 0, 100, 50},    {100, 50, 90, 50, 100},  {100, 50, 180, 100, 50}, {100, 50, 270, 50, 100},
      {100, 100, 45, 141, 141}, {100, 50, 45, 105, 105}, {100, 50, 30, 111, 92},  {1, 1, 45, 1, 1},
  };
  for (const Case& c : cases) {
    int w = 0, h = 0;
    Bitmap::RotatedBounds(c.w, c.h, c.angle, w, h);
    EXPECT_EQ(w, c.ew) << c.w << "x" << c.h << " at " << c.angle;
    EXPECT_EQ(h, c.eh) << c.w << "x" << c.h << " at " << c.angle;
  }
}

TEST(RotateIntoBitmap, NinetyDegreesMovesTheTopLeftCornerToTheTopRight) {
  Canvas source(40, 20);
  SolidBrush red;
  ASSERT_TRUE(red.Create(0xFFFF0000));
  ASSERT_TRUE(source.graphics.FillRectangle(red, 0, 0, 4, 4));
  source.Save("gfx_rotate_source");

  Bitmap target;
  Bitmap::RotateOptions options;
  options.background = 0xFF0000FF;
  options.fillBackground = true;
  options.interpolation = Gdiplus::InterpolationModeNearestNeighbor;
  options.setInterpolation = true;
  ASSERT_TRUE(source.bitmap.RotateInto(90.0f, target, options));
  EXPECT_EQ(Gdiplus::Ok, lastGdiplusStatus);
  ASSERT_EQ(20u, target.GetWidth());
  ASSERT_EQ(40u, target.GetHeight());
  target.SaveToFile(tltest::ScreenshotDirectory() + "\\gfx_rotate_90.png", kImageFormatPng);

  auto at = [&](int x, int y) {
    Gdiplus::ARGB c = 0;
    EXPECT_TRUE(target.GetPixel(x, y, c));
    return c & 0xFFFFFF;
  };
  EXPECT_EQ(0xFF0000u, at(18, 1));  // the red corner, now top right
  EXPECT_EQ(0xFF0000u, at(16, 3));
  EXPECT_EQ(0xFFFFFFu, at(1, 1));
  EXPECT_EQ(0xFFFFFFu, at(18, 38));
  EXPECT_EQ(0xFFFFFFu, at(10, 20));

  // A half turn puts the corner at the bottom right, pixel for pixel.
  ASSERT_TRUE(source.bitmap.RotateInto(180.0f, target, options));
  ASSERT_EQ(40u, target.GetWidth());
  EXPECT_EQ(0xFF0000u, at(39, 19));
  EXPECT_EQ(0xFF0000u, at(36, 16));
  EXPECT_EQ(0xFFFFFFu, at(35, 19));
  EXPECT_EQ(0xFFFFFFu, at(0, 0));

  // 45 degrees: a 40 x 20 picture needs 42 x 42; the corners show the background.
  ASSERT_TRUE(source.bitmap.RotateInto(45.0f, target, options));
  ASSERT_EQ(42u, target.GetWidth());
  ASSERT_EQ(42u, target.GetHeight());
  target.SaveToFile(tltest::ScreenshotDirectory() + "\\gfx_rotate_45.png", kImageFormatPng);
  EXPECT_EQ(0x0000FFu, at(1, 1));
  EXPECT_EQ(0xFFFFFFu, at(21, 21));

  // A given size is honoured; the background shows around the picture.
  options.width = 60;
  options.height = 60;
  options.sizeGiven = true;
  ASSERT_TRUE(source.bitmap.RotateInto(0.0f, target, options));
  ASSERT_EQ(60u, target.GetWidth());
  EXPECT_EQ(0xFF0000FFu, [&] {
    Gdiplus::ARGB c = 0;
    target.GetPixel(2, 2, c);
    return c;
  }());
  Gdiplus::ARGB centre = 0;
  ASSERT_TRUE(target.GetPixel(30, 30, centre));
  EXPECT_EQ(0xFFFFFFFFu, centre);

  // An empty source fails and leaves the target as it was.
  Bitmap empty;
  EXPECT_FALSE(empty.RotateInto(45.0f, target));
  EXPECT_EQ(60u, target.GetWidth());
}

TEST(DrawString, ChineseTextInksInsideItsLayoutRectangle) {
  Canvas canvas(220, 70);
  Font font;
  ASSERT_TRUE(font.CreateFromFamilyName("宋体", 24.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel))
      << "status " << lastGdiplusStatus;
  SolidBrush black;
  ASSERT_TRUE(black.Create(0xFF000000));
  StringFormat format;
  ASSERT_TRUE(format.Create(0, 0));
  const Gdiplus::RectF layout(30, 15, 160, 40);
  ASSERT_TRUE(canvas.graphics.DrawString("中文歌曲查询", font, layout, &format, black));
  canvas.Save("gfx_draw_string");
  const int inside = canvas.InkIn(30, 15, 190, 55);
  EXPECT_GT(inside, 150);
  EXPECT_EQ(canvas.InkIn(0, 0, 220, 70), inside) << "ink outside the layout rectangle";

  // Measuring the same text gives a box inside the layout, wider than tall.
  Gdiplus::RectF bounds;
  int fitted = 0, lines = 0;
  ASSERT_TRUE(canvas.graphics.MeasureString("中文歌曲查询", font, layout, &format, bounds, &fitted, &lines));
  EXPECT_EQ(6, fitted);
  EXPECT_EQ(1, lines);
  EXPECT_GT(bounds.Width, bounds.Height);
  EXPECT_LE(bounds.Width, layout.Width + 0.5f);

  // The family reads back its name in code page 936.
  FontFamily family;
  ASSERT_TRUE(font.GetFamily(family));
  EXPECT_FALSE(family.GetFamilyName().empty());
}

TEST(Fonts, FromDefaultGuiFontHandleAndLogfont) {
  gfxtest::EnsureGdiplus();
  Font gui;
  ASSERT_TRUE(gui.CreateFromDefaultGuiFont()) << "status " << lastGdiplusStatus;
  float size = 0;
  ASSERT_TRUE(gui.GetSize(size));
  EXPECT_GT(size, 0.0f);

  LOGFONTA lf{};
  lf.lfHeight = -16;
  lf.lfCharSet = GB2312_CHARSET;
  lstrcpyA(lf.lfFaceName, "宋体");
  FontHandle gdiFont(CreateFontIndirectA(&lf));
  ASSERT_TRUE(gdiFont);
  Font fromHandle;
  ASSERT_TRUE(fromHandle.CreateFromHfont(gdiFont.get()));
  Font fromLogfont;
  ASSERT_TRUE(fromLogfont.CreateFromLogfontA(lf));
  float a = 0, b = 0;
  ASSERT_TRUE(fromHandle.GetSize(a));
  ASSERT_TRUE(fromLogfont.GetSize(b));
  EXPECT_FLOAT_EQ(a, b);

  // A font that no family has: false, the status says why, the object stays empty.
  Font missing;
  EXPECT_FALSE(missing.CreateFromFamilyName("No Such Family 12345", 12.0f));
  EXPECT_EQ(Gdiplus::FontFamilyNotFound, lastGdiplusStatus);
  EXPECT_TRUE(missing.empty());
  // A null font handle is refused without a GDI+ call.
  EXPECT_FALSE(missing.CreateFromHfont(nullptr));
  EXPECT_TRUE(missing.empty());
}

namespace {

int Grey(Gdiplus::ARGB c) { return static_cast<int>(c & 0xFF); }

}  // namespace

TEST(ClipAndGradients, XorClipLeavesAFrameRingAndGradientsRunAsAsked) {
  Canvas ring(40, 30);
  Graphics& g = ring.graphics;
  ASSERT_TRUE(g.SetClipRect(0, 0, 40, 30, Gdiplus::CombineModeReplace));
  ASSERT_TRUE(g.SetClipRect(3, 3, 34, 24, Gdiplus::CombineModeXor));
  ASSERT_TRUE(g.FillRectangleWithColour(0xFF000000, Gdiplus::RectF(0, 0, 40, 30)));
  ASSERT_TRUE(g.ResetClip());
  ring.Save("gfx_clip_ring");
  EXPECT_TRUE(ring.IsInk(1, 1));
  EXPECT_TRUE(ring.IsInk(38, 15));
  EXPECT_TRUE(ring.IsInk(20, 28));
  EXPECT_FALSE(ring.IsInk(4, 4));
  EXPECT_FALSE(ring.IsInk(20, 15));
  EXPECT_FALSE(ring.IsInk(35, 25));

  // Black to white along x; with a linear blend of focus 0.5 white peaks in the middle.
  Canvas ramp(100, 20);
  LinearGradientBrush brush;
  ASSERT_TRUE(brush.CreateFromPoints(PointF(0, 0), PointF(100, 0), 0xFF000000, 0xFFFFFFFF));
  ASSERT_TRUE(ramp.graphics.FillRectangle(brush, 0, 0, 100, 10));
  EXPECT_LT(Grey(ramp.At(5, 5)), 40);
  EXPECT_GT(Grey(ramp.At(95, 5)), 215);
  EXPECT_LT(Grey(ramp.At(30, 5)), Grey(ramp.At(70, 5)));
  if (brush.SetLinearBlend(0.5f, 1.0f)) {
    ASSERT_TRUE(ramp.graphics.FillRectangle(brush, 0, 10, 100, 10));
    EXPECT_GT(Grey(ramp.At(50, 15)), 215);
    EXPECT_LT(Grey(ramp.At(95, 15)), 40);
  } else {
    EXPECT_EQ(Gdiplus::NotImplemented, lastGdiplusStatus);
  }
  ramp.Save("gfx_linear_gradient");

  // A path gradient: white centre, black rim.
  Canvas dot(40, 40);
  GraphicsPath circle;
  ASSERT_TRUE(circle.Create());
  ASSERT_TRUE(circle.AddEllipse(0, 0, 40, 40));
  PathGradientBrush radial;
  ASSERT_TRUE(radial.CreateFromPath(circle));
  ASSERT_TRUE(radial.SetCentreColour(0xFFFFFFFF));
  ASSERT_TRUE(radial.SetSurroundColours({0xFF000000}));
  Gdiplus::ARGB centre = 0;
  ASSERT_TRUE(radial.GetCentreColour(centre));
  EXPECT_EQ(0xFFFFFFFFu, centre);
  ASSERT_TRUE(dot.graphics.FillPath(radial, circle));
  dot.Save("gfx_path_gradient");
  EXPECT_GT(Grey(dot.At(20, 20)), 200);
  EXPECT_LT(Grey(dot.At(20, 2)), 80);

  // Regions become GDI regions of the same shape.
  Region region;
  ASSERT_TRUE(region.CreateFromRect(Gdiplus::RectF(0, 0, 20, 20)));
  ASSERT_TRUE(region.CombineRect(Gdiplus::RectF(5, 5, 10, 10), Gdiplus::CombineModeXor));
  RegionHandle gdiRegion = region.GetHrgn(dot.graphics);
  ASSERT_TRUE(gdiRegion);
  EXPECT_TRUE(PtInRegion(gdiRegion.get(), 2, 2));
  EXPECT_FALSE(PtInRegion(gdiRegion.get(), 10, 10));
  EXPECT_FALSE(PtInRegion(gdiRegion.get(), 25, 25));
  bool visible = true;
  ASSERT_TRUE(region.IsVisiblePoint(10, 10, nullptr, visible));
  EXPECT_FALSE(visible);
}
