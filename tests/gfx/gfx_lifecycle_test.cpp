// Ownership and status rules of the graphics layer: delete semantics, the per-thread status,
// moves, clones, and flat GDI object and handle counts when every class's objects are made
// and deleted many times.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <thread>

#include "gfx/bitmap.h"
#include "gfx/brushes.h"
#include "gfx/font.h"
#include "gfx/font_collection.h"
#include "gfx/font_family.h"
#include "gfx/graphics.h"
#include "gfx/graphics_path.h"
#include "gfx/matrix.h"
#include "gfx/memory_stream.h"
#include "gfx/offscreen_dc.h"
#include "gfx/pen.h"
#include "gfx/region.h"
#include "gfx/string_format.h"
#include "gfx/tooltip_window.h"
#include "tests/gfx/gfx_test_support.h"

using namespace tunelark;

namespace {

constexpr Gdiplus::Status kSentinel = Gdiplus::Win32Error;

}  // namespace

TEST(StatusConvention, DeleteTwiceReturnsFalseAndLeavesTheStatus) {
  gfxtest::EnsureGdiplus();
  GraphicsPath path;
  lastGdiplusStatus = kSentinel;
  EXPECT_FALSE(path.Delete());  // never created
  EXPECT_EQ(kSentinel, lastGdiplusStatus);
  ASSERT_TRUE(path.Create());
  EXPECT_TRUE(path.Delete());
  EXPECT_EQ(Gdiplus::Ok, lastGdiplusStatus);
  EXPECT_TRUE(path.empty());
  lastGdiplusStatus = kSentinel;
  EXPECT_FALSE(path.Delete());
  EXPECT_EQ(kSentinel, lastGdiplusStatus);

  Image image;
  EXPECT_FALSE(image.Delete());
  EXPECT_EQ(kSentinel, lastGdiplusStatus);
  FontCollection collection;
  EXPECT_FALSE(collection.Delete());
  EXPECT_EQ(kSentinel, lastGdiplusStatus);
}

TEST(StatusConvention, FailuresReportTheirStatusAndTheStatusIsPerThread) {
  gfxtest::EnsureGdiplus();
  Pen pen;
  EXPECT_FALSE(pen.SetWidth(2.0f));  // no pen: GDI+ refuses the null object
  EXPECT_EQ(Gdiplus::InvalidParameter, lastGdiplusStatus);

  Bitmap bitmap;
  EXPECT_FALSE(bitmap.CreateFromScan0(0, 10));
  EXPECT_EQ(Gdiplus::InvalidParameter, lastGdiplusStatus);
  EXPECT_TRUE(bitmap.empty());
  // A failing creation keeps what the object held.
  ASSERT_TRUE(bitmap.CreateFromScan0(5, 5));
  Gdiplus::GpBitmap* held = bitmap.bitmap();
  EXPECT_FALSE(bitmap.CreateFromScan0(-1, 5));
  EXPECT_EQ(held, bitmap.bitmap());

  lastGdiplusStatus = kSentinel;
  Gdiplus::Status seenThere = Gdiplus::Ok;
  std::thread other([&] {
    Matrix m;
    m.Create();
    seenThere = lastGdiplusStatus;  // Ok on that thread
    GraphicsPath nothing;
    nothing.Reset();  // fails on that thread only
  });
  other.join();
  EXPECT_EQ(Gdiplus::Ok, seenThere);
  EXPECT_EQ(kSentinel, lastGdiplusStatus);
}

TEST(Ownership, MovesHandOnAndClonesAreIndependent) {
  gfxtest::EnsureGdiplus();
  SolidBrush a;
  ASSERT_TRUE(a.Create(0xFF112233));
  SolidBrush b = std::move(a);
  EXPECT_TRUE(a.empty());
  SolidBrush c;
  ASSERT_TRUE(b.Clone(c));
  ASSERT_TRUE(c.SetColour(0xFF445566));
  Gdiplus::ARGB colour = 0;
  ASSERT_TRUE(b.GetColour(colour));
  EXPECT_EQ(0xFF112233u, colour);
  b = std::move(c);  // b's old brush is deleted
  ASSERT_TRUE(b.GetColour(colour));
  EXPECT_EQ(0xFF445566u, colour);

  Bitmap source;
  ASSERT_TRUE(source.CreateFromScan0(3, 3));
  Image copy;
  ASSERT_TRUE(source.Clone(copy));
  EXPECT_EQ(3u, copy.GetWidth());
  EXPECT_NE(copy.handle(), source.handle());
}

namespace {

struct Counts {
  DWORD gdi;
  DWORD windows;
  DWORD handles;
};

// Live GDI objects of the process. Windows counts them (GetGuiResources); Wine answers 0
// there, so the handle table is probed instead: Wine resolves a bare table index to its live
// object, whatever the handle's upper word.
DWORD GdiObjectCount() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return counted;
  DWORD live = 0;
  for (UINT_PTR index = 0x20; index < 0x10000; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
  return live;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

// Top-level windows of this thread (tooltip windows are top-level).
DWORD ThreadWindowCount() {
  DWORD count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// Kernel handles: the platform's count, or a probe of the handle values when it gives none.
DWORD KernelHandleCount() {
  DWORD counted = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &counted) && counted != 0) return counted;
  DWORD live = 0, flags = 0;
  for (UINT_PTR value = 4; value < 0x8000; value += 4)
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++live;
  return live;
}

Counts Now() { return Counts{GdiObjectCount(), ThreadWindowCount(), KernelHandleCount()}; }

// Makes and deletes one object of every class, using each the way a painter does.
void OneRound(const ByteArray& png, HWND owner, int round) {
  WindowDC screen(nullptr);
  MemoryDC memory(screen.get());
  BitmapHandle surface(CreateCompatibleBitmap(screen.get(), 32, 32));
  SelectGuard selected(memory.get(), surface.get());

  Graphics graphics;
  ASSERT_TRUE(graphics.CreateFromDC(memory.get()));
  GraphicsPath path;
  ASSERT_TRUE(path.Create());
  ASSERT_TRUE(path.AddRoundedRectanglePercent(1, 1, 30, 30, 20));
  SolidBrush solid;
  ASSERT_TRUE(solid.Create(0x80FF0000));
  LinearGradientBrush linear;
  ASSERT_TRUE(linear.CreateFromPoints(Gdiplus::PointF(0, 0), Gdiplus::PointF(0, 32), 0xFFFFFFFF, 0x00FFFFFF));
  PathGradientBrush radial;
  ASSERT_TRUE(radial.CreateFromPath(path));
  Pen pen;
  ASSERT_TRUE(pen.CreateFromBrush(linear, 2.0f));
  ASSERT_TRUE(graphics.FillPath(radial, path));
  ASSERT_TRUE(graphics.FillRectangle(solid, 2, 2, 10, 10));
  ASSERT_TRUE(graphics.DrawPath(pen, path));
  FontFamily family;
  ASSERT_TRUE(family.CreateFromName("宋体"));
  Font font;
  ASSERT_TRUE(font.Create(family, 12.0f, 0, Gdiplus::UnitPixel));
  Font guiFont;
  ASSERT_TRUE(guiFont.CreateFromDefaultGuiFont());
  StringFormat format;
  ASSERT_TRUE(format.CreateGenericTypographic());
  ASSERT_TRUE(graphics.DrawString("测试", font, Gdiplus::RectF(0, 0, 32, 32), &format, solid));
  Region region;
  ASSERT_TRUE(region.CreateFromPath(path));
  RegionHandle gdiRegion = region.GetHrgn(graphics);
  ASSERT_TRUE(gdiRegion);
  Matrix matrix;
  ASSERT_TRUE(matrix.Create());
  FontCollection installed;
  ASSERT_TRUE(installed.OpenInstalled());
  FontCollection own;
  ASSERT_TRUE(own.CreatePrivate());

  Image image;
  ASSERT_TRUE(image.LoadFromBytes(png));
  ASSERT_TRUE(graphics.DrawImage(image, 0, 0));
  Bitmap bitmap;
  ASSERT_TRUE(bitmap.LoadFromBytes(png));
  BitmapHandle hbitmap = bitmap.CreateHbitmap();
  ASSERT_TRUE(hbitmap);
  Bitmap fromGdi;
  ASSERT_TRUE(fromGdi.CreateFromHbitmap(hbitmap.get()));
  IconHandle icon = bitmap.CreateHicon();
  ASSERT_TRUE(icon);
  const ByteArray saved = fromGdi.SaveToBytes(kImageFormatPng);
  ASSERT_FALSE(saved.empty());
  MemoryStream stream;
  ASSERT_NE(nullptr, stream.Open(saved));

  TooltipWindow tips;
  ASSERT_NE(nullptr, tips.Create(owner, round % 2 == 1));
  ASSERT_TRUE(tips.AddTool(RECT{0, 0, 10, 10}, "提示", 1));

  // Half the rounds delete explicitly, the others leave it to the destructors.
  if (round % 2 == 0) {
    EXPECT_TRUE(image.Delete());
    EXPECT_TRUE(bitmap.Delete());
    EXPECT_TRUE(font.Delete());
    EXPECT_TRUE(family.Delete());
    EXPECT_TRUE(pen.Delete());
    EXPECT_TRUE(radial.Delete());
    EXPECT_TRUE(linear.Delete());
    EXPECT_TRUE(solid.Delete());
    EXPECT_TRUE(region.Delete());
    EXPECT_TRUE(path.Delete());
    EXPECT_TRUE(own.Delete());
    EXPECT_TRUE(graphics.Delete());
    stream.Close();
    tips.Destroy();
  }
}

}  // namespace

TEST(Resources, EveryClassMadeAndDeletedManyTimesKeepsCountsFlat) {
  gfxtest::EnsureGdiplus();
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "GfxLifecycleOwner";
  RegisterClassA(&wc);
  HWND owner =
      CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, owner);
  gfxtest::Canvas picture(16, 16);
  const ByteArray png = picture.bitmap.SaveToBytes(kImageFormatPng);
  ASSERT_FALSE(png.empty());

  // The census sees one object more while one is alive, and windows likewise.
  const Counts probe = Now();
  {
    BrushHandle held(CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EQ(probe.gdi + 1, Now().gdi);
  }
  EXPECT_EQ(probe.gdi, Now().gdi);
  {
    TooltipWindow tip;
    ASSERT_NE(nullptr, tip.Create(owner, false));
    EXPECT_EQ(probe.windows + 1, Now().windows);
  }
  EXPECT_EQ(probe.windows, Now().windows);

  for (int round = 0; round < 4; ++round) OneRound(png, owner, round);  // warm-up: caches settle
  const Counts before = Now();
  for (int round = 0; round < 300; ++round) {
    OneRound(png, owner, round);
    if (HasFatalFailure()) break;
  }
  const Counts after = Now();
  DestroyWindow(owner);
  RecordProperty("gdi_before", static_cast<int>(before.gdi));
  RecordProperty("gdi_after", static_cast<int>(after.gdi));
  std::printf("GDI objects %lu -> %lu, windows %lu -> %lu, handles %lu -> %lu\n", before.gdi, after.gdi, before.windows,
              after.windows, before.handles, after.handles);
  EXPECT_GT(before.gdi, 0u);
  EXPECT_GT(before.handles, 0u);
  EXPECT_EQ(before.gdi, after.gdi);
  EXPECT_EQ(before.windows, after.windows);
  EXPECT_LE(after.handles, before.handles + 2);  // the thread pool may add a handle or two
}

// A surface whose new size cannot be made keeps its DC, bitmap and size (a background owner's
// property names that DC); nothing leaks either way.
TEST(OffscreenDCTest, ASizeThatCannotBeMadeKeepsWhatWasHeld) {
  const DWORD before = GdiObjectCount();
  {
    OffscreenDC surface(nullptr, 8, 8, OffscreenDC::Kind::LikeDC);
    ASSERT_TRUE(surface);
    HDC dc = surface.dc();
    HBITMAP bitmap = surface.bitmap();
    HDC notADC = reinterpret_cast<HDC>(static_cast<UINT_PTR>(0x7FF0));  // CreateCompatibleBitmap fails on it
    EXPECT_EQ(surface.Ensure(notADC, 16, 16, OffscreenDC::Kind::LikeDC), nullptr);
    EXPECT_EQ(surface.dc(), dc);
    EXPECT_EQ(surface.bitmap(), bitmap);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    EXPECT_EQ(surface.width(), 8);
    EXPECT_EQ(surface.Ensure(nullptr, 16, 16, OffscreenDC::Kind::LikeDC), dc) << "the same DC, a new bitmap";
    EXPECT_EQ(surface.width(), 16);
  }
  EXPECT_EQ(GdiObjectCount(), before);
}
