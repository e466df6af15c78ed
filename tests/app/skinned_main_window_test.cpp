// The real tunelark.exe as its users see it: the skinned main window (rounded region, the
// picture behind everything, the caption's icon and title, its minimise and close buttons
// with their hover look, dragging by the caption) and the working-set trimmer run when the
// program loses activation.
#include <gtest/gtest.h>
#include <windows.h>

#include <objidl.h>
#include <ole2.h>

#include <gdiplus.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

#include "app/app_globals.h"
#include "app/main_window.h"
#include "app/working_set_trimmer.h"
#include "skin/controls/button.h"
#include "skin/skin_images.h"
#include "tests/support/gdi_count.h"
#include "tests/support/pixels.h"
#include "tests/support/process.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tltest;

namespace {

constexpr int kWidth = 481, kHeight = 375;
// Caption strip of a window with minimise and close: 26 + 38 + 1 + 3 wide, ending 3 + 2
// pixels before the right edge.
constexpr POINT kMinimise{408 + 13, 9};
constexpr POINT kClose{408 + 27 + 19, 9};

// The embedded background stretched to the window, as 0x00RRGGBB.
Capture StretchedPicture() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  Capture out;
  {
    tunelark::ByteArray bytes = tunelark::CopySkinImage(tunelark::SkinImage::Background);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(memory, TRUE, &stream);
    Gdiplus::Bitmap picture(stream);
    Gdiplus::Bitmap scaled(kWidth, kHeight, PixelFormat32bppRGB);
    Gdiplus::Graphics g(&scaled);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.DrawImage(&picture, 0, 0, kWidth, kHeight);
    out.width = kWidth;
    out.height = kHeight;
    out.pixels.resize(static_cast<size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        Gdiplus::Color c;
        scaled.GetPixel(x, y, &c);
        out.pixels[static_cast<size_t>(y) * kWidth + x] = c.GetValue() & 0xFFFFFF;
      }
    stream->Release();
  }
  Gdiplus::GdiplusShutdown(token);
  return out;
}

uint32_t Washed(uint32_t picture, int alpha) { return tltest::Over(0xFFFFFF, alpha, picture); }

int Reddish(const Capture& shot, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint32_t c = shot.At(x, y);
      n += ((c >> 16) & 0xFF) > 150 && ((c >> 8) & 0xFF) < 110 ? 1 : 0;
    }
  return n;
}

// Watches, on a thread of its own, for a process of the given executable name: the tool
// runs for a moment only.
class ProcessWatch {
 public:
  explicit ProcessWatch(const char* name) : name_(name), thread_([this] { Run(); }) {}
  ~ProcessWatch() {
    stop_ = true;
    thread_.join();
  }
  bool seen() const { return seen_; }

 private:
  void Run() {
    for (; !stop_ && !seen_; Sleep(1)) {  // the tool lives for tens of milliseconds at least
      HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
      if (snapshot == INVALID_HANDLE_VALUE) continue;
      PROCESSENTRY32 entry{};
      entry.dwSize = sizeof entry;
      for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name_) == 0) seen_ = true;
      CloseHandle(snapshot);
    }
  }
  const char* name_;
  std::atomic<bool> stop_{false}, seen_{false};
  std::thread thread_;
};

class SkinnedMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_ = folder_.path() + "\\tunelark.exe";
    ASSERT_TRUE(CopyProgram(ProgramPath(), exe_)) << ProgramPath();
    savedWindir_ = Env("windir");
    SetEnvironmentVariableA("windir", windir_.path().c_str());  // the program inherits it
  }
  void TearDown() override { SetEnvironmentVariableA("windir", savedWindir_.c_str()); }

  HWND Start() {
    EXPECT_TRUE(process_.Start(exe_));
    HWND w = process_.WaitForWindow(tunelark::kMainWindowClass);
    if (w) {
      BringToFront(w);
      PumpFor(500);
    }
    return w;
  }

  ScratchFolder folder_{"skinned"};
  ScratchFolder windir_{"windir"};
  std::string exe_, savedWindir_;
  ChildProcess process_;
};

TEST_F(SkinnedMainWindowTest, PictureCaptionAndControlsAreSkinned) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window, region), ERROR) << "rounded window region";
  EXPECT_FALSE(PtInRegion(region, 0, 0));
  EXPECT_FALSE(PtInRegion(region, kWidth - 1, kHeight - 1));
  EXPECT_TRUE(PtInRegion(region, 8, 8));
  DeleteObject(region);

  Capture shot = CaptureWindow(window);
  ASSERT_EQ(shot.width, kWidth);
  shot.SavePng(ScreenshotDirectory() + "\\main_window_skinned.png");
  const Capture picture = StretchedPicture();
  // Where no control sits, the picture shows (between the keyword box and "查询").
  int same = 0;
  for (int y = 40; y < 62; y += 3)
    for (int x = 160; x < 186; x += 3) same += ColourNear(shot.At(x, y), picture.At(x, y), 24) ? 1 : 0;
  EXPECT_GT(same, 50) << "picture behind the window";
  // The list's empty rows show the picture through the white wash.
  int washed = 0;
  for (int y = 250; y < 340; y += 10)
    for (int x = 60; x < 420; x += 40) washed += ColourNear(shot.At(x, y), Washed(picture.At(x, y), 100), 28) ? 1 : 0;
  EXPECT_GT(washed, 60) << "washed list background";
  // The title: white letters in the caption after the 17 x 17 icon.
  int white = 0;
  for (int y = 4; y < 22; ++y)
    for (int x = 24; x < 90; ++x) white += ColourNear(shot.At(x, y), 0xFFFFFF, 30) ? 1 : 0;
  EXPECT_GT(white, 15) << "caption title";
  int iconInk = 0;
  for (int y = 4; y < 21; ++y)
    for (int x = 4; x < 21; ++x) iconInk += ColourNear(shot.At(x, y), picture.At(x, y), 30) ? 0 : 1;
  EXPECT_GT(iconInk, 60) << "caption icon";

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(process_.WaitForExit(15000));
  EXPECT_EQ(process_.ExitCode(), 0u);
}

TEST_F(SkinnedMainWindowTest, CaptionButtonsAndDraggingWorkWithTheMouse) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  MoveMouseTo(window, POINT{240, 200});
  PumpFor(300);
  const int restRed = Reddish(CaptureWindow(window), kClose.x - 15, 2, kClose.x + 15, 17);
  MoveMouseTo(window, kClose);
  PumpFor(600);
  Capture hot = CaptureWindow(window);
  hot.SavePng(ScreenshotDirectory() + "\\main_window_close_hot.png");
  EXPECT_GT(Reddish(hot, kClose.x - 15, 2, kClose.x + 15, 17), restRed + 40) << "close button turns red on hover";

  RECT before{};
  GetWindowRect(window, &before);
  DragLeft(window, POINT{200, 12}, POINT{240, 42});
  PumpFor(400);
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_EQ(after.left - before.left, 40) << "dragged by the caption";
  EXPECT_EQ(after.top - before.top, 30);

  ClickAt(window, kMinimise);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 5000)) << "minimised";
  ShowWindow(window, SW_RESTORE);
  BringToFront(window);
  PumpFor(600);
  EXPECT_FALSE(IsIconic(window));
  Capture back = CaptureWindow(window);
  EXPECT_EQ(back.width, kWidth);
  int white = 0;
  for (int y = 4; y < 22; ++y)
    for (int x = 24; x < 90; ++x) white += ColourNear(back.At(x, y), 0xFFFFFF, 30) ? 1 : 0;
  EXPECT_GT(white, 15) << "the caption is drawn again after the restore";

  ClickAt(window, kClose);
  ASSERT_TRUE(process_.WaitForExit(15000));
  EXPECT_EQ(process_.ExitCode(), 0u);
}

// A caption button acts only when the press and the release both land on it, as a Windows
// button does; its pressed look follows the mouse while the button is held.
TEST_F(SkinnedMainWindowTest, CaptionButtonsActOnlyWhenPressedAndReleasedOnThem) {
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  auto pressMoveRelease = [&](POINT from, POINT to) {
    MoveMouseTo(window, from);
    PumpFor(150);
    PressLeftButton();
    PumpFor(150);
    MoveMouseTo(window, to);
    PumpFor(300);
    ReleaseLeftButton();
    PumpFor(500);
  };
  const POINT picture{240, 366}, elsewhere{240, 200};
  pressMoveRelease(picture, kClose);
  EXPECT_TRUE(process_.Running()) << "pressed on the picture, released on the close button";
  pressMoveRelease(picture, kMinimise);
  EXPECT_FALSE(IsIconic(window)) << "pressed on the picture, released on minimise";

  MoveMouseTo(window, kClose);
  PumpFor(300);
  PressLeftButton();
  PumpFor(300);
  const int pressedRed = Reddish(CaptureWindow(window), kClose.x - 15, 2, kClose.x + 15, 17);
  MoveMouseTo(window, elsewhere);
  PumpFor(400);
  const int awayRed = Reddish(CaptureWindow(window), kClose.x - 15, 2, kClose.x + 15, 17);
  ReleaseLeftButton();
  PumpFor(500);
  EXPECT_TRUE(process_.Running()) << "pressed on the close button, released elsewhere";
  EXPECT_GT(pressedRed, awayRed + 40) << "the pressed look goes while the mouse is off the button";
  pressMoveRelease(kMinimise, elsewhere);
  EXPECT_FALSE(IsIconic(window)) << "pressed on minimise, released elsewhere";

  ClickAt(window, kMinimise);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, 5000)) << "a whole click minimises";
  ShowWindow(window, SW_RESTORE);
  BringToFront(window);
  PumpFor(600);
  ClickAt(window, kClose);
  ASSERT_TRUE(process_.WaitForExit(15000)) << "a whole click on the close button closes";
  EXPECT_EQ(process_.ExitCode(), 0u);
}

TEST_F(SkinnedMainWindowTest, LosingActivationWritesTheTrimmerAndNeverRunsAPlantedFile) {
  // A planted program at the tool's path; it leaves "<path>.ran" if it ever runs.
  const std::string tool = windir_.path() + "\\empty.exe";
  ASSERT_TRUE(CopyProgram(BinDirectory() + "\\trim_marker.exe", tool));
  HWND window = Start();
  ASSERT_NE(window, nullptr);
  ProcessWatch watch("empty.exe");
  HWND other = CreateWindowExA(0, "Static", "other", WS_POPUP | WS_VISIBLE, 600, 500, 100, 60, nullptr, nullptr,
                               nullptr, nullptr);
  BringToFront(other);
  const std::string ours(reinterpret_cast<const char*>(tunelark::TrimmerToolBytes().data()),
                         tunelark::TrimmerToolBytes().size());
  EXPECT_TRUE(WaitUntil([&] { return watch.seen() && ReadFileBytes(tool) == ours; }, 10000))
      << "the tool replaces the planted file and runs";
  EXPECT_TRUE(watch.seen()) << "the tool's process";
  PumpFor(1000);
  EXPECT_FALSE(FileExists(tool + ".ran")) << "the planted program never ran";
  BringToFront(window);
  PumpFor(300);
  BringToFront(other);
  PumpFor(1000);
  EXPECT_EQ(ReadFileBytes(tool), ours);
  DestroyWindow(other);
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(process_.WaitForExit(15000));
}

}  // namespace

namespace tunelark {
namespace {

// The skinned main window in this process, so its GDI objects and working set can be
// counted: 100 searches of 100 hits (the song service's "百首") and 1,000 full repaints
// leave both where they were after the first round.
TEST(SkinnedMainWindowInProcess, SearchesAndRepaintsLeaveGdiObjectsAndMemoryFlat) {
  SetCursorPos(1000, 740);  // off the window: no caption tip shows up midway
  g_skin = std::make_unique<SkinEngine>();
  g_skin->Start();
  {
    MainWindow main;
    ASSERT_TRUE(main.Create(GetModuleHandleA(nullptr), SW_SHOWNOACTIVATE));
    g_json = std::make_unique<JsonDocument>();
    const HWND window = main.window(), box = GetDlgItem(window, kIdKeywordBox);
    const HWND button = GetDlgItem(window, kIdSearchButton);
    auto search = [&] {
      SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("百首"));
      SendMessageA(button, BM_CLICK, 0, 0);
    };
    auto repaint = [&] {
      RedrawWindow(window, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    };
    for (int i = 0; i < 10; ++i) search(), repaint();
    ASSERT_EQ(main.results().RowCount(), 100) << "song service reachable";
    PumpFor(100);
    const int gdi = GdiObjectCount();
    const size_t memory = WorkingSetBytes();
    for (int i = 0; i < 100; ++i) search();
    for (int i = 0; i < 1000; ++i) repaint();
    PumpFor(100);
    EXPECT_LE(GdiObjectCount() - gdi, 3) << "GDI objects before " << gdi;
    EXPECT_LT(WorkingSetBytes(), memory + 2 * 1024 * 1024) << "working set before " << memory;
    DestroyWindow(window);
  }
  g_json.reset();
  g_skin.reset();
}

// The folder button's label at the button's own font (a 12-pixel em): its ink stays on one
// line and inside the button.
TEST(SkinnedMainWindowInProcess, FolderLabelStaysOnOneLineInsideTheButton) {
  g_skin = std::make_unique<SkinEngine>();
  g_skin->Start();
  {
    MainWindow main;
    ASSERT_TRUE(main.Create(GetModuleHandleA(nullptr), SW_SHOWNOACTIVATE));
    const HWND folder = GetDlgItem(main.window(), kIdFolderButton);

    RedrawWindow(main.window(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_INVALIDATE | RDW_ERASE);
    PumpFor(200);
    const Capture shot = CaptureWindow(folder);
    shot.SavePng(ScreenshotDirectory() + "\\main_window_folder_button.png");
    int top = shot.height, bottom = -1, left = shot.width, right = -1;
    for (int y = 2; y < shot.height - 2; ++y)
      for (int x = 2; x < shot.width - 2; ++x) {
        const uint32_t c = shot.At(x, y);
        if (((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) > 3 * 90) continue;  // not ink
        top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x), right = std::max(right, x);
      }
    ASSERT_GE(bottom, 0) << "the label shows";
    EXPECT_LE(bottom - top + 1, 14) << "one line of a 12-pixel em";
    EXPECT_GT(left, 4) << "inside the button";
    EXPECT_LT(right, shot.width - 5);
    EXPECT_LE(right - left + 1, 7 * 13) << "seven glyphs of about 12 pixels";
    DestroyWindow(main.window());
  }
  g_skin.reset();
}

// Another process can send notifications and draw-item messages whose pointers mean nothing
// here (or are null): the window ignores them.
TEST(SkinnedMainWindowInProcess, NotificationsWithUnreadablePointersAreIgnored) {
  g_skin = std::make_unique<SkinEngine>();
  g_skin->Start();
  {
    MainWindow main;
    ASSERT_TRUE(main.Create(GetModuleHandleA(nullptr), SW_SHOWNOACTIVATE));
    for (LPARAM junk : {LPARAM(0), LPARAM(0x10), LPARAM(-16)}) {
      SendMessageA(main.window(), WM_NOTIFY, kIdResultList, junk);
      SendMessageA(main.window(), WM_DRAWITEM, kIdSearchButton, junk);
    }
    EXPECT_TRUE(IsWindow(main.window()));
    DestroyWindow(main.window());
  }
  g_skin.reset();
}

}  // namespace
}  // namespace tunelark
