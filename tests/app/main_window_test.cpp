// Starts the real tunelark.exe and checks what a user sees: the window, every control,
// the list's columns, the icon, the download folder, and a clean exit.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "app/main_window.h"
#include "tests/support/process.h"
#include "tests/support/remote_window.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tltest;

namespace {

struct Expected {
  int id;
  const char* cls;
  RECT rect;  // left, top, width, height
  const char* text;
};

void ExpectRect(HWND w, const RECT& want, const char* what) {
  RECT got = RectInParent(w);
  EXPECT_EQ(got.left, want.left) << what;
  EXPECT_EQ(got.top, want.top) << what;
  EXPECT_EQ(got.right, want.right) << what << " width";
  EXPECT_EQ(got.bottom, want.bottom) << what << " height";
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_ = folder_.path() + "\\tunelark.exe";
    ASSERT_TRUE(CopyProgram(ProgramPath(), exe_)) << ProgramPath();
  }

  HWND StartProgram() {
    EXPECT_TRUE(process_.Start(exe_));
    return process_.WaitForWindow(tunelark::kMainWindowClass);
  }

  void CloseAndExpectCleanExit(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(process_.WaitForExit(15000));
    EXPECT_EQ(process_.ExitCode(), 0u);
  }

  std::string DownloadFolder() const { return folder_.path() + "\\酷狗下载库"; }

  ScratchFolder folder_{"mainwin"};
  std::string exe_;
  ChildProcess process_;
};

TEST_F(MainWindowTest, ShowsTheLayoutCreatesTheFolderAndExitsCleanly) {
  ASSERT_FALSE(DirectoryExists(DownloadFolder()));
  HWND window = StartProgram();
  ASSERT_NE(window, nullptr) << "main window did not appear";

  EXPECT_EQ(TextOf(window), "Tunelark");
  RECT wr;
  GetWindowRect(window, &wr);
  EXPECT_EQ(wr.left, 50);
  EXPECT_EQ(wr.top, 50);
  EXPECT_EQ(wr.right - wr.left, 481);
  EXPECT_EQ(wr.bottom - wr.top, 375);

  const Expected controls[] = {
      {tunelark::kIdKeywordBox, "Edit", {9, 34, 136, 32}, ""},
      {tunelark::kIdSearchButton, "Button", {192, 34, 112, 32}, "查询"},
      {tunelark::kIdFolderButton, "Button", {352, 34, 112, 32}, "打开下载文件夹"},
      {tunelark::kIdResultList, "SysListView32", {8, 74, 465, 288}, ""},
      {tunelark::kIdLabel, "Static", {416, 360, 24, 16}, ""},
  };
  int found = 0;
  for (HWND child : ChildrenOf(window)) {
    for (const Expected& e : controls) {
      if (GetDlgCtrlID(child) != e.id) continue;
      ++found;
      EXPECT_EQ(ClassOf(child), e.cls);
      ExpectRect(child, e.rect, e.cls);
      EXPECT_EQ(TextOf(child), e.text) << e.cls;
      EXPECT_TRUE(IsWindowVisible(child)) << e.cls;
    }
  }
  EXPECT_EQ(found, 5);

  HWND list = GetDlgItem(window, tunelark::kIdResultList);
  LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  RemoteListView remote(list);
  auto columns = remote.Columns();
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].title, "作者和歌名");
  EXPECT_EQ(columns[0].width, 200);
  EXPECT_EQ(columns[1].title, "地址");
  EXPECT_EQ(columns[1].width, 200);
  EXPECT_EQ(columns[2].title, "状态");
  EXPECT_EQ(columns[2].width, 50);
  EXPECT_EQ(remote.RowCount(), 0);

  // The window carries an icon. Wine cannot pass WM_GETICON between processes (the send
  // fails); there window_icon_test.sh reads the icon the X server shows instead.
  DWORD_PTR big = 0;
  if (SendMessageTimeoutA(window, WM_GETICON, ICON_BIG, 0, SMTO_NORMAL, 2000, &big)) {
    EXPECT_NE(big, 0u);
  }
  // The program's icon resource 129 holds a 48 x 48 picture.
  HMODULE image = LoadLibraryExA(exe_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(image, nullptr);
  HICON icon = static_cast<HICON>(LoadImageA(image, MAKEINTRESOURCEA(129), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  HRSRC group = FindResourceA(image, MAKEINTRESOURCEA(129), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */);
  EXPECT_NE(group, nullptr);
  HICON icon48 = static_cast<HICON>(LoadImageA(image, MAKEINTRESOURCEA(129), IMAGE_ICON, 48, 48, 0));
  ASSERT_NE(icon48, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon48, &info));
  BITMAP bm{};
  GetObjectA(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 48);
  EXPECT_EQ(bm.bmHeight, 48);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon48);
  if (icon) DestroyIcon(icon);
  FreeLibrary(image);

  EXPECT_TRUE(DirectoryExists(DownloadFolder()));

  PumpFor(300);
  Capture shot = CaptureWindow(window);
  ASSERT_EQ(shot.width, 481);
  EXPECT_TRUE(shot.SavePng(ScreenshotDirectory() + "\\main_window.png"));

  CloseAndExpectCleanExit(window);
}

TEST_F(MainWindowTest, FolderButtonOpensTheDownloadFolderInTheShell) {
  HWND window = StartProgram();
  ASSERT_NE(window, nullptr);
  BringToFront(window);
  ClickCentre(GetDlgItem(window, tunelark::kIdFolderButton));
  // The shell shows the folder in a window of its own, captioned with the folder's name.
  HWND folderWindow = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (folderWindow = FindWindowA(nullptr, "酷狗下载库")) != nullptr; }, 20000));
  if (folderWindow) PostMessageA(folderWindow, WM_CLOSE, 0, 0);
  CloseAndExpectCleanExit(window);
}

TEST_F(MainWindowTest, DownloadStatusMessagesFromElsewhereDoNoHarm) {
  HWND window = StartProgram();
  ASSERT_NE(window, nullptr);
  // Any process can post the message the download threads post; whatever its parameters
  // hold, the program must neither read nor free it.
  for (LPARAM junk : {LPARAM(0x12345678), LPARAM(0), LPARAM(-1)}) PostMessageA(window, WM_APP + 1, 7, junk);
  PumpFor(500);
  ASSERT_TRUE(process_.Running());
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer));
  CloseAndExpectCleanExit(window);
}

TEST_F(MainWindowTest, SecondStartWithTheFolderPresentGoesOnNormally) {
  ASSERT_TRUE(CreateDirectoryA(DownloadFolder().c_str(), nullptr));
  const std::string keep = DownloadFolder() + "\\earlier.mp3";
  ASSERT_TRUE(WriteFileBytes(keep, "ID3 earlier song"));

  HWND window = StartProgram();
  ASSERT_NE(window, nullptr);
  EXPECT_NE(GetDlgItem(window, tunelark::kIdResultList), nullptr);
  EXPECT_EQ(ReadFileBytes(keep), "ID3 earlier song");
  CloseAndExpectCleanExit(window);
}

}  // namespace
