// The skin's pictures and shared drawing routines under Wine: colour conversion, rounded
// outlines, the background snapshot behind controls (back buffer, background owners,
// tinted containers) and its release, the washed backdrop, the colour sampler, the fade
// transform, client rectangles and the owner-drawn list box test.
#include <gtest/gtest.h>
#include <windows.h>

#include "gfx/bitmap.h"
#include "gfx/graphics.h"
#include "gfx/graphics_path.h"
#include "skin/background_snapshot.h"
#include "skin/picture_tools.h"
#include "skin/skin_colour.h"
#include "skin/skin_geometry.h"
#include "skin/skin_images.h"
#include "skin/skin_paths.h"
#include "tests/skin/skin_test_fixture.h"
#include "tests/skin/skin_test_windows.h"
#include "tests/support/test_paths.h"

using namespace tunelark;
using namespace skintest;

namespace {

class SkinDrawingTest : public EngineTest {};

uint32_t ArgbToRgb(Gdiplus::ARGB c) { return c & 0xFFFFFF; }

// ---------------------------------------------------------------------------------------
// Colours

TEST(SkinColourTest, ConvertsBetweenColorrefAndArgb) {
  EXPECT_EQ(ToArgb(0xDDCA22, 160, true), 0xA022CADDu);
  EXPECT_EQ(ToArgb(0x000000, 40, true), 0x28000000u);
  EXPECT_EQ(ToArgb(0xFFFFFF, 0, false), 0xFFFFFFFFu);
  EXPECT_EQ(ToArgb(0x0000FF, 0, true), 0x00FF0000u) << "red moves to the ARGB red byte";
  ColorrefAndAlpha back = ToColorref(0xA022CADD);
  EXPECT_EQ(back.colour, 0xDDCA22u);
  EXPECT_EQ(back.alpha, 160);
  EXPECT_EQ(ToColorref(ToArgb(0x123456, 7, true)).colour, 0x123456u);
}

// ---------------------------------------------------------------------------------------
// Outlines

std::vector<Gdiplus::PointF> RoundedPoints(float r) {
  GraphicsPath path;
  path.Create();
  AddRoundedRectangle(path, 10, 20, 300, 200, r);
  std::vector<Gdiplus::PointF> points;
  path.GetPathPoints(points);
  return points;
}

bool SamePoints(const std::vector<Gdiplus::PointF>& a, const std::vector<Gdiplus::PointF>& b) {
  if (a.size() != b.size() || a.empty()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::abs(a[i].X - b[i].X) > 0.01f || std::abs(a[i].Y - b[i].Y) > 0.01f) return false;
  return true;
}

TEST_F(SkinDrawingTest, RoundedRectangleClampsItsRadiusAndTopRoundedOneStaysOpen) {
  EXPECT_TRUE(SamePoints(RoundedPoints(0), RoundedPoints(1)));
  EXPECT_TRUE(SamePoints(RoundedPoints(-4), RoundedPoints(1)));
  EXPECT_TRUE(SamePoints(RoundedPoints(250), RoundedPoints(100)));
  EXPECT_FALSE(SamePoints(RoundedPoints(5), RoundedPoints(6)));

  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(AddRoundedRectangle(path, 0, 5, 120, 60, 5));
  Gdiplus::RectF bounds;
  ASSERT_TRUE(path.GetBounds(bounds));
  EXPECT_NEAR(bounds.X, 0, 0.01);
  EXPECT_NEAR(bounds.Y, 5, 0.01);
  EXPECT_NEAR(bounds.Width, 120, 0.01);
  EXPECT_NEAR(bounds.Height, 60, 0.01);
  std::vector<BYTE> types;
  path.GetPathTypes(types);
  ASSERT_FALSE(types.empty());
  EXPECT_TRUE(types.back() & Gdiplus::PathPointTypeCloseSubpath);

  GraphicsPath top;
  top.Create();
  AddTopRoundedRectangle(top, 0, 0, 100, 40, 8);
  std::vector<Gdiplus::PointF> points;
  top.GetPathPoints(points);
  top.GetPathTypes(types);
  ASSERT_FALSE(points.empty());
  EXPECT_FALSE(types.back() & Gdiplus::PathPointTypeCloseSubpath) << "the figure is left open";
  EXPECT_NEAR(points.front().X, 0, 0.01);
  EXPECT_NEAR(points.front().Y, 40, 0.01);
  EXPECT_NEAR(points.back().X, 100, 0.01);
  EXPECT_NEAR(points.back().Y, 40, 0.01);
}

TEST_F(SkinDrawingTest, SoftOutlineIsDarkestOnTheLineAndFadesOutward) {
  PatternDC canvas(80, 60, [](int, int) -> uint32_t { return 0xFFFFFF; });
  {
    Graphics graphics;
    ASSERT_TRUE(graphics.CreateFromDC(canvas.get()));
    GraphicsPath path;
    path.Create();
    path.AddLine(0, 30, 80, 30);
    ASSERT_TRUE(DrawSoftOutline(graphics, path, 6, 0x000000, 40));
  }
  auto px = ReadPixels(canvas.get(), 80, 60);
  SavePixels(px, 80, 60, "skin_soft_outline");
  auto grey = [&](int y) { return static_cast<int>(px[y * 80 + 40] & 0xFF); };
  EXPECT_LT(grey(30), grey(31));
  EXPECT_LT(grey(31), grey(33));
  EXPECT_EQ(grey(40), 255) << "nothing beyond the widest pen";
  EXPECT_LT(grey(30), 255 - 40 * 3) << "six translucent passes over the line";
}

// ---------------------------------------------------------------------------------------
// Background snapshot

TEST_F(SkinDrawingTest, ControlOnASkinnedWindowSnapshotsExactlyTheBackBufferUnderIt) {
  HWND top = Track(MakeTopLevel(50, 50, 320, 240));
  HWND label = MakeChild(top, "Static", 40, 30, 90, 50);
  SkinTopLevel(engine_, top, 320, 240);

  SnapshotDC snapshot = BackgroundSnapshot(engine_, label, {0, 0, 90, 50});
  ASSERT_TRUE(snapshot);
  EXPECT_TRUE(engine_.snapshots().Contains(snapshot.get()));
  auto px = ReadPixels(snapshot.get(), 90, 50);
  SavePixels(px, 90, 50, "skin_snapshot_plain");
  int wrong = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 90; ++x) wrong += px[y * 90 + x] != PatternAt(40 + x, 30 + y);
  EXPECT_EQ(wrong, 0);

  // A part of the control: r is added to the control's offset.
  SnapshotDC part = BackgroundSnapshot(engine_, label, {10, 5, 30, 25});
  auto pp = ReadPixels(part.get(), 20, 20);
  EXPECT_EQ(pp[0], PatternAt(50, 35));
  EXPECT_EQ(pp[19 * 20 + 19], PatternAt(69, 54));

  // The skinned window itself snapshots its own back buffer from (0, 0).
  SnapshotDC whole = BackgroundSnapshot(engine_, top, {0, 0, 320, 240});
  auto wp = ReadPixels(whole.get(), 320, 240);
  EXPECT_EQ(wp[100 * 320 + 200], PatternAt(200, 100));

  HDC dc = snapshot.get();
  snapshot.reset();
  EXPECT_FALSE(engine_.snapshots().Contains(dc));
  EXPECT_EQ(GetObjectType(dc), 0u);
}

TEST_F(SkinDrawingTest, ControlInsideATintedContainerShowsTheTint) {
  HWND top = Track(MakeTopLevel(60, 60, 320, 240));
  HWND panel = MakeChild(top, "Static", 20, 20, 200, 150);
  HWND label = MakeChild(panel, "Static", 10, 12, 60, 30);
  int k = SkinTopLevel(engine_, top, 320, 240);
  const COLORREF tint = RGB(255, 0, 0);
  TakeTestContainer(engine_, k, panel, tint, 128);

  SnapshotDC snapshot = BackgroundSnapshot(engine_, label, {0, 0, 60, 30});
  ASSERT_TRUE(snapshot);
  auto px = ReadPixels(snapshot.get(), 60, 30);
  SavePixels(px, 60, 30, "skin_snapshot_tinted");
  int offTint = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) offTint += !Near(px[y * 60 + x], Blend(0xFF0000, PatternAt(30 + x, 32 + y), 128), 2);
  EXPECT_EQ(offTint, 0);

  // A container with no tint gives the plain background.
  HWND plainPanel = MakeChild(top, "Static", 230, 20, 80, 150);
  HWND plainLabel = MakeChild(plainPanel, "Static", 5, 5, 30, 20);
  TakeTestContainer(engine_, k, plainPanel, 0, 128);
  SnapshotDC plain = BackgroundSnapshot(engine_, plainLabel, {0, 0, 30, 20});
  EXPECT_EQ(ReadPixels(plain.get(), 30, 20)[0], PatternAt(235, 25));
}

TEST_F(SkinDrawingTest, TintedGroupBoxTintsOnlyInsideItsRoundedFrame) {
  HWND top = Track(MakeTopLevel(70, 70, 320, 240));
  HWND group = MakeChild(top, "Button", 30, 40, 160, 100, BS_GROUPBOX);
  int k = SkinTopLevel(engine_, top, 320, 240);
  TakeTestContainer(engine_, k, group, RGB(0, 0, 255), 200, 1, true);

  SnapshotDC snapshot = BackgroundSnapshot(engine_, group, {0, 0, 160, 100});
  ASSERT_TRUE(snapshot);
  auto px = ReadPixels(snapshot.get(), 160, 100);
  SavePixels(px, 160, 100, "skin_snapshot_group_box");
  auto at = [&](int x, int y) { return px[y * 160 + x]; };
  EXPECT_EQ(at(80, 2), PatternAt(110, 42)) << "above the frame the background is untouched";
  EXPECT_EQ(at(0, 5), PatternAt(30, 45)) << "the rounded corner is not tinted";
  EXPECT_TRUE(Near(at(80, 50), Blend(0x0000FF, PatternAt(110, 90), 200), 2));
  EXPECT_TRUE(Near(at(3, 50), Blend(0x0000FF, PatternAt(33, 90), 200), 2));
}

TEST_F(SkinDrawingTest, BackgroundOwnersHandOutTheirOwnPixels) {
  HWND top = Track(MakeTopLevel(80, 80, 320, 240));
  HWND owner = MakeChild(top, "Static", 20, 30, 200, 160);
  HWND inner = MakeChild(owner, "Static", 10, 10, 150, 120);
  HWND label = MakeChild(inner, "Static", 15, 20, 40, 20);
  int k = SkinTopLevel(engine_, top, 320, 240);
  PatternDC ownerDC(200, 160, OwnerPatternAt);
  SetIntProp(owner, prop::kBackgroundOwner, 1);
  SetHandleProp(owner, prop::kOwnerDC, ownerDC.get());

  // Through the owner: its DC, at the control's place inside it.
  SnapshotDC snapshot = BackgroundSnapshot(engine_, label, {0, 0, 40, 20});
  ASSERT_TRUE(snapshot);
  auto px = ReadPixels(snapshot.get(), 40, 20);
  EXPECT_EQ(px[0], OwnerPatternAt(25, 30));
  EXPECT_EQ(px[19 * 40 + 39], OwnerPatternAt(64, 49));

  // A painting container with a tint between the owner and the control tints it (the
  // container names the owner above it in "Mb_zpf").
  TakeTestContainer(engine_, k, inner, RGB(0, 255, 0), 100);
  SetHandleProp(inner, prop::kNearestOwner, owner);
  SnapshotDC tinted = BackgroundSnapshot(engine_, label, {0, 0, 40, 20});
  EXPECT_TRUE(Near(ReadPixels(tinted.get(), 40, 20)[0], Blend(0x00FF00, OwnerPatternAt(25, 30), 100), 2));

  // The owner itself takes its pixels from the skinned window behind it.
  SnapshotDC itself = BackgroundSnapshot(engine_, owner, {0, 0, 200, 160});
  EXPECT_EQ(ReadPixels(itself.get(), 200, 160)[5 * 200 + 7], PatternAt(27, 35));
}

TEST_F(SkinDrawingTest, NoSkinnedAncestorGivesNoSnapshotAndEmptyRectanglesCopyNothing) {
  HWND plain = Track(MakeTopLevel(90, 90, 200, 150));
  HWND label = MakeChild(plain, "Static", 10, 10, 50, 20);
  const int registered = engine_.snapshots().Count();
  EXPECT_FALSE(BackgroundSnapshot(engine_, label, {0, 0, 50, 20}));
  EXPECT_EQ(engine_.snapshots().Count(), registered) << "nothing is left in the registry";
  EXPECT_FALSE(StaticBackdropBitmap(engine_, label));

  HWND top = Track(MakeTopLevel(100, 100, 200, 150));
  HWND skinnedLabel = MakeChild(top, "Static", 10, 10, 50, 20);
  SkinTopLevel(engine_, top, 200, 150);
  SnapshotDC empty = BackgroundSnapshot(engine_, skinnedLabel, {5, 5, 5, 20});
  EXPECT_TRUE(empty) << "a zero-sized snapshot is still a DC";
}

TEST_F(SkinDrawingTest, StaticBackdropIsTheBackgroundWashedWithWhite) {
  HWND top = Track(MakeTopLevel(110, 110, 320, 240));
  HWND edit = MakeChild(top, "Edit", 50, 60, 120, 40, 0, WS_EX_CLIENTEDGE);
  SkinTopLevel(engine_, top, 320, 240);
  engine_.SetSkinOptions(1, 100);
  RECT cr;
  GetClientRect(edit, &cr);
  const RECT inWindow = ClientRectInWindow(edit);
  EXPECT_EQ(inWindow.left, 2);
  EXPECT_EQ(inWindow.top, 2);
  const int registered = engine_.snapshots().Count();

  BitmapHandle backdrop = StaticBackdropBitmap(engine_, edit);
  ASSERT_TRUE(backdrop);
  EXPECT_EQ(engine_.snapshots().Count(), registered) << "the snapshot is given back";
  BITMAP info{};
  GetObjectA(backdrop.get(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, cr.right);
  EXPECT_EQ(info.bmHeight, cr.bottom);
  auto px = ReadBitmapPixels(backdrop.get(), cr.right, cr.bottom);
  SavePixels(px, cr.right, cr.bottom, "skin_static_backdrop");
  EXPECT_TRUE(Near(px[0], Blend(0xFFFFFF, PatternAt(52, 62), 100), 2));
  EXPECT_TRUE(Near(px[10 * cr.right + 30], Blend(0xFFFFFF, PatternAt(82, 72), 100), 2));
}

TEST_F(SkinDrawingTest, CopyDcToBitmapKeepsThePixelsAndReleasesTheSnapshot) {
  HWND top = Track(MakeTopLevel(120, 120, 200, 150));
  HWND label = MakeChild(top, "Static", 30, 20, 64, 48);
  SkinTopLevel(engine_, top, 200, 150);
  SnapshotDC snapshot = BackgroundSnapshot(engine_, label, {0, 0, 64, 48});
  HDC dc = snapshot.get();
  BitmapHandle copy = CopyDcToBitmap(std::move(snapshot), 64, 48);
  ASSERT_TRUE(copy);
  EXPECT_FALSE(engine_.snapshots().Contains(dc));
  auto px = ReadBitmapPixels(copy.get(), 64, 48);
  EXPECT_EQ(px[0], PatternAt(30, 20));
  EXPECT_EQ(px[47 * 64 + 63], PatternAt(93, 67));
}

TEST_F(SkinDrawingTest, TenThousandSnapshotsLeaveTheGdiObjectCountWhereItStarted) {
  HWND top = Track(MakeTopLevel(130, 130, 320, 240));
  HWND panel = MakeChild(top, "Static", 20, 20, 200, 150);
  HWND label = MakeChild(panel, "Static", 10, 10, 60, 30);
  HWND edit = MakeChild(top, "Edit", 230, 20, 80, 30, 0, WS_EX_CLIENTEDGE);
  int k = SkinTopLevel(engine_, top, 320, 240);
  TakeTestContainer(engine_, k, panel, RGB(10, 20, 30), 90);
  // First use (GDI+ caches and the like) before counting.
  BackgroundSnapshot(engine_, label, {0, 0, 60, 30});
  StaticBackdropBitmap(engine_, edit);
  const int start = GdiObjectCount();
  const int registered = engine_.snapshots().Count();
  ASSERT_GT(start, 0);
  for (int i = 0; i < 10000; ++i) {
    SnapshotDC snapshot = BackgroundSnapshot(engine_, (i & 1) ? label : top, {0, 0, 60, 30});
    ASSERT_TRUE(snapshot) << i;
    HDC raw = snapshot.release();  // released through the engine, as the painters do
    engine_.ReleaseSnapshotDC(raw);
    if (i % 10 == 0) StaticBackdropBitmap(engine_, edit);
  }
  EXPECT_EQ(engine_.snapshots().Count(), registered);
  EXPECT_EQ(GdiObjectCount(), start);
}

// ---------------------------------------------------------------------------------------
// Pictures

TEST_F(SkinDrawingTest, EveryEmbeddedPictureLoadsAtItsSize) {
  struct Expected {
    SkinImage image;
    UINT w, h;
    const char* format;
  } expected[] = {
      {SkinImage::HelpGlyph, 26, 18, kImageFormatPng},     {SkinImage::MenuGlyph, 26, 18, kImageFormatPng},
      {SkinImage::MinimizeGlyph, 26, 18, kImageFormatPng}, {SkinImage::MaximizeGlyph, 26, 18, kImageFormatPng},
      {SkinImage::RestoreGlyph, 26, 18, kImageFormatPng},  {SkinImage::CloseGlyph, 38, 18, kImageFormatPng},
      {SkinImage::CheckBoxOff, 13, 13, kImageFormatPng},   {SkinImage::CheckBoxOn, 13, 13, kImageFormatPng},
      {SkinImage::ArrowDown, 7, 4, kImageFormatPng},       {SkinImage::ArrowUp, 7, 4, kImageFormatPng},
      {SkinImage::ArrowLeft, 4, 7, kImageFormatPng},       {SkinImage::ArrowRight, 4, 7, kImageFormatPng},
      {SkinImage::Background, 1024, 768, kImageFormatJpeg},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(static_cast<int>(e.image));
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromBytes(CopySkinImage(e.image)));
    EXPECT_EQ(bitmap.GetWidth(), e.w);
    EXPECT_EQ(bitmap.GetHeight(), e.h);
    EXPECT_EQ(bitmap.GetRawFormat(), e.format);
  }
  // Caption glyphs: white, partly transparent ink on a transparent ground.
  for (SkinImage glyph : {SkinImage::HelpGlyph, SkinImage::MenuGlyph, SkinImage::MinimizeGlyph,
                          SkinImage::MaximizeGlyph, SkinImage::RestoreGlyph, SkinImage::CloseGlyph}) {
    SCOPED_TRACE(static_cast<int>(glyph));
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromBytes(CopySkinImage(glyph)));
    int translucentInk = 0, clear = 0, coloured = 0;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < static_cast<int>(bitmap.GetWidth()); ++x) {
        Gdiplus::ARGB c = 0;
        bitmap.GetPixel(x, y, c);
        const UINT alpha = c >> 24;
        if (alpha == 0) {
          ++clear;
          continue;
        }
        if (((c >> 16) & 0xFF) < 240 || ((c >> 8) & 0xFF) < 240 || (c & 0xFF) < 240) ++coloured;
        if (alpha < 255) ++translucentInk;
      }
    EXPECT_GT(translucentInk, 10);
    EXPECT_GT(clear, translucentInk);
    EXPECT_EQ(coloured, 0) << "the ink is white";
  }
  ImageBytes background = SkinImageBytes(SkinImage::Background);
  EXPECT_GT(background.size, 10000u);
  EXPECT_EQ(background.data[0], 0xFF);
  EXPECT_EQ(background.data[1], 0xD8);
}

// A w x h PNG of one colour.
ByteArray SolidPng(int w, int h, Gdiplus::ARGB colour) {
  Bitmap bitmap;
  bitmap.CreateFromScan0(w, h);
  {
    Graphics g;
    g.CreateOnImage(bitmap);
    g.Clear(colour);
  }
  return bitmap.SaveToBytes(kImageFormatPng);
}

TEST_F(SkinDrawingTest, ColourSamplerAveragesTheSameWayAllDay) {
  // RGB(10, 20, 200): the result keeps the COLORREF layout with an opaque top byte.
  ByteArray solid = SolidPng(64, 48, 0xFF0A14C8);
  EXPECT_EQ(ImageColourSampler(PictureInput::FromBytes(solid), 2000, 0, 0), 0xFFC8140Au);
  EXPECT_EQ(ToArgb(ImageColourSampler(PictureInput::FromBytes(solid), 2000, 0, 0), 255, true), 0xFF0A14C8u);

  PictureInput background = PictureInput::FromBytes(CopySkinImage(SkinImage::Background));
  Argb first = ImageColourSampler(background, 2000, 0, 0);
  EXPECT_EQ(ImageColourSampler(background, 2000, 0, 0), first) << "the same picks all day";
  EXPECT_EQ(first >> 24, 0xFFu);
  // The picture is a blue-green gradient: its average has more blue than red.
  ColorrefAndAlpha c = ToColorref(ToArgb(first, 255, true));
  EXPECT_GT(GetBValue(c.colour), GetRValue(c.colour));
  // The last 10 x 10 pixels only: the bottom right of the picture, darker than the average.
  Argb corner = ImageColourSampler(background, 200, 10, 10);
  EXPECT_NE(corner, first);

  EXPECT_EQ(ImageColourSampler(PictureInput::FromBytes({}), 2000, 0, 0), 0u) << "no picture";
  EXPECT_EQ(ImageColourSampler(PictureInput::FromBytes(solid), 0, 0, 0), 0u) << "no samples";
  // A one-pixel picture: the picks past its edge read its only pixel.
  EXPECT_EQ(ImageColourSampler(PictureInput::FromBytes(SolidPng(1, 1, 0xFF336699)), 50, 0, 0), 0xFF996633u);
}

// A w x h PNG whose column x has the colour columnColour(x).
template <typename ColumnColour>
ByteArray ColumnsPng(int w, int h, ColumnColour columnColour) {
  Bitmap bitmap;
  bitmap.CreateFromScan0(w, h);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) bitmap.SetPixel(x, y, columnColour(x));
  return bitmap.SaveToBytes(kImageFormatPng);
}

TEST_F(SkinDrawingTest, ColourSamplerReadsExactlyItsColumns) {
  // Red where the sampler may read, green in the column just outside its range, blue
  // elsewhere: any pick one column too far left shows as green in the average.
  constexpr Gdiplus::ARGB kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
  // Insets of 3: the picks run over columns w-3 .. w, the last one standing in for w.
  ByteArray lastThree = ColumnsPng(20, 12, [&](int x) { return x >= 17 ? kRed : x == 16 ? kGreen : kBlue; });
  EXPECT_EQ(ImageColourSampler(PictureInput::FromBytes(lastThree), 500, 3, 3), 0xFF0000FFu) << "pure red";
  // No insets: the picks run over columns 1 .. w, so column 0 is never read.
  ByteArray allButFirst = ColumnsPng(20, 12, [&](int x) { return x == 0 ? kGreen : kRed; });
  EXPECT_EQ(ImageColourSampler(PictureInput::FromBytes(allButFirst), 500, 0, 0), 0xFF0000FFu) << "pure red";
}

TEST_F(SkinDrawingTest, FadeTransformBandsFollowTheirGeometry) {
  ByteArray black = SolidPng(1024, 768, 0xFF000000);
  const COLORREF red = RGB(255, 0, 0);

  Bitmap right;
  ASSERT_TRUE(right.LoadFromBytes(FadeTransform(PictureInput::FromBytes(black), red, std::nullopt, false)));
  ASSERT_EQ(right.GetWidth(), 1024u);
  EXPECT_EQ(right.GetRawFormat(), kImageFormatPng);
  auto px = [](Bitmap& b, int x, int y) {
    Gdiplus::ARGB c = 0;
    b.GetPixel(x, y, c);
    return c;
  };
  // q = 307: columns 718.. and rows 462.. fade into the colour.
  EXPECT_EQ(ArgbToRgb(px(right, 717, 300)), 0x000000u);
  EXPECT_LT((px(right, 718, 300) >> 16) & 0xFF, 4u);
  EXPECT_GT((px(right, 1023, 300) >> 16) & 0xFF, 250u);
  EXPECT_GT((px(right, 870, 300) >> 16) & 0xFF, 100u);
  EXPECT_LT((px(right, 870, 300) >> 16) & 0xFF, 155u);
  EXPECT_EQ(ArgbToRgb(px(right, 300, 461)), 0x000000u);
  EXPECT_GT((px(right, 300, 767) >> 16) & 0xFF, 250u);
  EXPECT_EQ(ArgbToRgb(px(right, 100, 100)), 0x000000u);
  EXPECT_EQ(px(right, 100, 100) >> 24, 0xFFu);

  Bitmap left;
  ASSERT_TRUE(left.LoadFromBytes(FadeTransform(PictureInput::FromBytes(black), red, std::nullopt, true)));
  EXPECT_EQ(ArgbToRgb(px(left, 0, 300)), 0xFF0000u) << "the left edge is the colour";
  EXPECT_LT((px(left, 305, 300) >> 16) & 0xFF, 8u);
  EXPECT_EQ(ArgbToRgb(px(left, 320, 300)), 0x000000u);
  EXPECT_EQ(ArgbToRgb(px(left, 1023, 300)), 0x000000u) << "nothing on the right";
  EXPECT_GT((px(left, 600, 767) >> 16) & 0xFF, 250u);

  // A given fade width.
  Bitmap narrow;
  ASSERT_TRUE(narrow.LoadFromBytes(FadeTransform(PictureInput::FromBytes(black), red, 100, false)));
  EXPECT_EQ(ArgbToRgb(px(narrow, 924, 300)), 0x000000u);
  EXPECT_GT((px(narrow, 1023, 300) >> 16) & 0xFF, 240u);
  EXPECT_EQ(ArgbToRgb(px(narrow, 300, 668)), 0x000000u);

  EXPECT_TRUE(FadeTransform(PictureInput::FromBytes({}), red, std::nullopt, false).empty());

  // The default background faded into its own sampled colour, as a window picture is.
  PictureInput background = PictureInput::FromBytes(CopySkinImage(SkinImage::Background));
  ByteArray faded = FadeTransform(background, ImageColourSampler(background, 2000, 0, 0), std::nullopt, true);
  ASSERT_FALSE(faded.empty());
  tltest::WriteFileBytes(tltest::ScreenshotDirectory() + "\\skin_faded_background.png", ToText(faded));
}

// ---------------------------------------------------------------------------------------
// Rectangles and classes

// A window whose non-client area is exactly a 2-pixel border on each side plus room for
// the scroll bars its style names (17 pixels each), whatever the system metrics are.
LRESULT CALLBACK ExactFrameProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_NCCALCSIZE) {
    RECT* r = wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
    LONG style = GetWindowLongA(w, GWL_STYLE);
    InflateRect(r, -2, -2);
    if (style & WS_VSCROLL) r->right -= 17;
    if (style & WS_HSCROLL) r->bottom -= 17;
    return 0;
  }
  return DefWindowProcA(w, m, wp, lp);
}

HWND MakeExactFrame(HWND parent, DWORD scrollStyle) {
  static bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ExactFrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TlExactFrame";
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  return CreateWindowExA(0, "TlExactFrame", "", WS_CHILD | WS_VISIBLE | scrollStyle, 10, 10, 141, 101, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST_F(SkinDrawingTest, ClientRectangleInWindowIsWhereTheSystemPutsIt) {
  HWND top = Track(MakeTopLevel(140, 140, 300, 200));
  struct Case {
    DWORD style;
    RECT expected;  // the window is 141 x 101
  } cases[] = {
      {WS_HSCROLL | WS_VSCROLL, {2, 2, 2 + 141 - 21, 2 + 101 - 21}},
      {0, {2, 2, 2 + 137, 2 + 97}},
      {WS_VSCROLL, {2, 2, 2 + 120, 2 + 97}},
      {WS_HSCROLL, {2, 2, 2 + 137, 2 + 80}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    HWND w = MakeExactFrame(top, c.style);
    RECT r = ClientRectInWindow(w);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
    DestroyWindow(w);
  }
  // The system's own scroll bar (16 pixels under Wine): the client ends where the bar begins.
  HWND list = MakeChild(top, "ListBox", 10, 10, 120, 80, WS_VSCROLL | LBS_DISABLENOSCROLL, WS_EX_CLIENTEDGE);
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof bar;
  ASSERT_TRUE(GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
  RECT listWindow{};
  GetWindowRect(list, &listWindow);
  EXPECT_EQ(ClientRectInWindow(list).right, bar.rcScrollBar.left - listWindow.left);
  // A one-pixel border.
  HWND tiny = MakeChild(top, "Static", 0, 0, 3, 3, WS_BORDER);
  RECT r = ClientRectInWindow(tiny);
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.right - r.left, 1);

  HWND inner = MakeChild(top, "Static", 40, 30, 50, 20);
  RECT rel = RectRelativeToRoot(inner);
  EXPECT_EQ(rel.left, 40);
  EXPECT_EQ(rel.top, 30);
  EXPECT_EQ(rel.right, 90);
  EXPECT_EQ(rel.bottom, 50);
  HWND panel = MakeChild(top, "Static", 100, 50, 150, 100);
  HWND deep = MakeChild(panel, "Static", 7, 9, 20, 10);
  rel = RectRelativeToWindow(panel, deep);
  EXPECT_EQ(rel.left, 7);
  EXPECT_EQ(rel.top, 9);
  rel = RectRelativeToRoot(deep);
  EXPECT_EQ(rel.left, 107);
  EXPECT_EQ(rel.top, 59);
}

TEST_F(SkinDrawingTest, OnlyListBoxesWithAnOwnerDrawStyleAreOwnerDrawn) {
  HWND top = Track(MakeTopLevel(150, 150, 300, 200));
  EXPECT_TRUE(IsOwnerDrawnListBox(MakeChild(top, "ListBox", 0, 0, 80, 80, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS)));
  EXPECT_TRUE(IsOwnerDrawnListBox(MakeChild(top, "ListBox", 0, 0, 80, 80, LBS_OWNERDRAWVARIABLE)));
  EXPECT_FALSE(IsOwnerDrawnListBox(MakeChild(top, "ListBox", 0, 0, 80, 80, LBS_NOTIFY)));
  EXPECT_FALSE(IsOwnerDrawnListBox(MakeChild(top, "Button", 0, 0, 80, 80, 0x10)));
  EXPECT_EQ(ClassNameOf(MakeChild(top, "ListBox", 0, 0, 80, 80)), "ListBox");
}

}  // namespace
