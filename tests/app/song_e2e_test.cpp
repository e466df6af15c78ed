// The program's main job end to end: the real tunelark.exe under Xvfb against the embedded
// song service (nginx with TLS, redirects and real MP3s, plus a misbehaving file server).
// Input is real: the keyword is put in the box, buttons and rows are clicked with the mouse.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <wininet.h>

#include <algorithm>
#include <string>

#include "app/main_window.h"
#include "tests/support/process.h"
#include "tests/support/remote_window.h"
#include "tests/support/screenshot.h"
#include "tests/support/test_paths.h"
#include "tests/support/user_input.h"

using namespace tltest;

namespace {

std::string ServiceDir() { return WinePathOf(Env("TL_TEST_ENV") + "/songs"); }
std::string ServedSong(const std::string& id) { return ReadFileBytes(ServiceDir() + "\\files\\" + id + ".mp3"); }

// Compares a downloaded file with the served one without printing megabytes of MP3.
::testing::AssertionResult SameBytes(const std::string& got, const std::string& want) {
  if (got == want) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "file has " << got.size() << " bytes, the served song " << want.size();
}

class SongJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Env("TL_TEST_ENV").empty()) << "run through scripts/test.sh";
    ASSERT_FALSE(ServedSong("qingtian").empty()) << "song service not prepared";
    exe_ = folder_.path() + "\\tunelark.exe";
    ASSERT_TRUE(CopyProgram(ProgramPath(), exe_));
    ASSERT_TRUE(process_.Start(exe_));
    window_ = process_.WaitForWindow(tunelark::kMainWindowClass);
    ASSERT_NE(window_, nullptr);
    list_ = GetDlgItem(window_, tunelark::kIdResultList);
    remote_ = std::make_unique<RemoteListView>(list_);
    BringToFront(window_);
  }

  void TearDown() override {
    if (process_.Running()) {
      PostMessageA(window_, WM_CLOSE, 0, 0);
      process_.WaitForExit(15000);
    }
  }

  void TypeKeyword(const std::string& keyword) {
    SendMessageA(GetDlgItem(window_, tunelark::kIdKeywordBox), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(keyword.c_str()));
  }

  // Clicks "查询" and waits until the search has run (the click returns when rows are written).
  // The skinned button swallows double clicks, so a click on it follows the previous one by
  // more than the double-click time, as a user's separate clicks do.
  void Search(const std::string& keyword) {
    TypeKeyword(keyword);
    const DWORD since = GetTickCount() - lastSearchClick_;
    if (since <= GetDoubleClickTime()) Sleep(GetDoubleClickTime() - since + 50);
    ClickCentre(GetDlgItem(window_, tunelark::kIdSearchButton));
    lastSearchClick_ = GetTickCount();
    // The search runs on the window's thread: a message answered means it has finished.
    DWORD_PTR ignored;
    SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
  }

  void DoubleClickRow(int row) {
    RECT r = remote_->RowRect(row);
    ClickAt(list_, POINT{r.left + 20, (r.top + r.bottom) / 2}, true);
  }

  // Waits until the row's status is final ("OK" or "失败") and returns it.
  std::string WaitForFinalStatus(int row, DWORD timeoutMs = 30000) {
    std::string status;
    WaitUntil(
        [&] {
          status = remote_->Cell(row, 2);
          return status == "OK" || status == "失败";
        },
        timeoutMs);
    return status;
  }

  std::string Downloads() const { return folder_.path() + "\\酷狗下载库"; }
  std::string Downloaded(const std::string& name) const { return ReadFileBytes(Downloads() + "\\" + name); }

  std::vector<std::string> DownloadFolderEntries() const {
    auto names = ListFolder(Downloads());
    std::sort(names.begin(), names.end());
    return names;
  }

  ScratchFolder folder_{"songjob"};
  std::string exe_;
  ChildProcess process_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  std::unique_ptr<RemoteListView> remote_;
  DWORD lastSearchClick_ = GetTickCount() - 10000;
};

TEST_F(SongJobTest, ChineseKeywordListsHitsAndDoubleClickDownloadsTheRealMp3) {
  Search("周杰伦");
  auto rows = remote_->Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][0], "周杰伦-晴天");
  EXPECT_EQ(rows[0][1], "https://songs.test/song/qingtian");
  EXPECT_EQ(rows[0][2], "");
  EXPECT_EQ(rows[2][0], "周杰伦-夜曲");

  DoubleClickRow(0);
  EXPECT_EQ(WaitForFinalStatus(0), "OK");
  EXPECT_TRUE(SameBytes(Downloaded("周杰伦-晴天.mp3"), ServedSong("qingtian")));
  EXPECT_EQ(remote_->Cell(1, 2), "") << "only the double-clicked row changes";
  DWORD cacheInfoSize = 0;  // the program runs in this test's Wine prefix: same web cache
  EXPECT_FALSE(GetUrlCacheEntryInfoA("http://cdn.test/files/qingtian.mp3", nullptr, &cacheInfoSize) ||
               GetLastError() == ERROR_INSUFFICIENT_BUFFER)
      << "the song must not leave a second copy in the web cache";

  Capture shot = CaptureWindow(window_);
  shot.SavePng(ScreenshotDirectory() + "\\search_and_download.png");
}

TEST_F(SongJobTest, KeywordIsSentAsUtf8PercentBytesAndTitlesKeepOnlyNonAscii) {
  Search("abc");
  auto rows = remote_->Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0][0], "A-你好");
  EXPECT_EQ(rows[1][0], "ABC-晴朗");
  EXPECT_EQ(rows[2][0], "B-");
  std::string log = ReadFileBytes(ServiceDir() + "\\access.log");
  EXPECT_NE(log.find("GET /music/kugou/search?key=318604752&s=%61%62%63&limit=100&offset=0&type=song "),
            std::string::npos);

  Search("");  // an empty keyword sends s empty (the service has no hits for it)
  log = ReadFileBytes(ServiceDir() + "\\access.log");
  EXPECT_NE(log.find("GET /music/kugou/search?key=318604752&s=&limit=100&offset=0&type=song "), std::string::npos);
  EXPECT_EQ(remote_->RowCount(), 0);
}

TEST_F(SongJobTest, EnterInTheKeywordBoxSearchesAndANewSearchReplacesTheRows) {
  Search("周杰伦");
  ASSERT_EQ(remote_->RowCount(), 3);
  HWND box = GetDlgItem(window_, tunelark::kIdKeywordBox);
  TypeKeyword("百首");
  ClickCentre(box);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return remote_->RowCount() == 100; }, 20000));
  EXPECT_EQ(remote_->Cell(0, 0), "歌手0-第首歌");
  EXPECT_EQ(remote_->Cell(99, 0), "歌手99-第首歌");

  Search("empty");
  EXPECT_EQ(remote_->RowCount(), 0) << "the list holds exactly the current hits";
}

TEST_F(SongJobTest, RepliesThatAreNotJsonAddNoRowsAndRunNothing) {
  Search("周杰伦");
  ASSERT_EQ(remote_->RowCount(), 3);
  Search("notjson");
  EXPECT_EQ(remote_->RowCount(), 0);
  Search("script");
  EXPECT_EQ(remote_->RowCount(), 0);
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_FALSE(FileExists(std::string(windows).substr(0, 3) + "tunelark-pwned.txt"));
  EXPECT_TRUE(process_.Running());
}

TEST_F(SongJobTest, DirectRelativeChainedAndSingerlessHitsDownloadAtOnce) {
  Search("告白");
  ASSERT_EQ(remote_->RowCount(), 4);
  EXPECT_EQ(remote_->Cell(0, 0), "-告白气球");
  for (int row = 0; row < 4; ++row) DoubleClickRow(row);  // four downloads side by side
  for (int row = 0; row < 4; ++row) EXPECT_EQ(WaitForFinalStatus(row), "OK") << row;
  EXPECT_TRUE(SameBytes(Downloaded("-告白气球.mp3"), ServedSong("nosinger")));
  EXPECT_TRUE(SameBytes(Downloaded("周杰伦-告白气球.mp3"), ServedSong("direct")));
  EXPECT_TRUE(SameBytes(Downloaded("周杰伦-告白相对.mp3"), ServedSong("gaobai")));
  EXPECT_TRUE(SameBytes(Downloaded("周杰伦-告白两跳.mp3"), ServedSong("gaobai")));
  EXPECT_EQ(DownloadFolderEntries().size(), 4u) << "no temporary files left";
}

TEST_F(SongJobTest, TheSameRowTwiceReplacesTheFile) {
  Search("周杰伦");
  CreateDirectoryA(Downloads().c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(Downloads() + "\\周杰伦-稻香.mp3", "stale bytes"));
  DoubleClickRow(1);
  EXPECT_EQ(WaitForFinalStatus(1), "OK");
  EXPECT_TRUE(SameBytes(Downloaded("周杰伦-稻香.mp3"), ServedSong("daoxiang")));
  ASSERT_TRUE(WriteFileBytes(Downloads() + "\\周杰伦-稻香.mp3", "changed since"));
  DoubleClickRow(1);
  ASSERT_TRUE(WaitUntil([&] { return Downloaded("周杰伦-稻香.mp3") == ServedSong("daoxiang"); }, 20000));
  EXPECT_EQ(WaitForFinalStatus(1), "OK");
}

TEST_F(SongJobTest, EnterOnASelectedRowDownloadsIt) {
  Search("周杰伦");
  RECT r = remote_->RowRect(1);
  ClickAt(list_, POINT{r.left + 20, (r.top + r.bottom) / 2});  // selects the row, focuses the list
  PressKey(VK_RETURN);
  EXPECT_EQ(WaitForFinalStatus(1), "OK");
  EXPECT_TRUE(SameBytes(Downloaded("周杰伦-稻香.mp3"), ServedSong("daoxiang")));
  EXPECT_EQ(remote_->Cell(0, 2), "") << "only the selected row";
  EXPECT_EQ(remote_->Cell(2, 2), "");
}

// However the list comes to scroll, what the screen shows of it afterwards is what a full
// repaint of the same state shows: the washed picture behind the rows stays in place.
TEST_F(SongJobTest, EveryWayOfScrollingTheListLeavesWhatAFullRepaintShows) {
  Search("many");  // 100 rows, "Band0-..." to "Band99-..."
  ASSERT_EQ(remote_->RowCount(), 100);
  auto topRow = [&] { return static_cast<int>(SendMessageA(list_, LVM_GETTOPINDEX, 0, 0)); };
  // Pixels that differ from a full repaint of the same state (screenshot saved when any do).
  auto differing = [&](const char* name) {
    Sleep(400);
    const Capture now = CaptureWindow(list_);
    RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Sleep(400);
    const Capture full = CaptureWindow(list_);
    int n = 0;
    for (size_t i = 0; i < now.pixels.size() && i < full.pixels.size(); ++i)
      n += ColourNear(now.pixels[i], full.pixels[i], 24) ? 0 : 1;
    if (n > 0) now.SavePng(ScreenshotDirectory() + "\\list_scrolled_" + name + ".png");
    return n;
  };
  constexpr int kFew = 12;

  const int top = topRow();
  const int perPage = static_cast<int>(SendMessageA(list_, LVM_GETCOUNTPERPAGE, 0, 0));
  RECT half = remote_->RowRect(top + perPage);  // the row cut by the list's bottom edge
  ClickAt(list_, POINT{half.left + 20, half.top + 3});
  EXPECT_GT(topRow(), top) << "the click brought the half-shown row into view";
  EXPECT_LE(differing("click"), kFew) << "a click on a half-shown row";

  int before = topRow();
  PressKey('B');  // type-ahead: the next row starting with "B", below the view
  Sleep(200);
  EXPECT_GT(topRow(), before);
  EXPECT_LE(differing("typeahead"), kFew) << "type-ahead";

  SendMessageA(list_, LVM_ENSUREVISIBLE, 70, FALSE);
  EXPECT_LE(differing("ensurevisible"), kFew) << "LVM_ENSUREVISIBLE";

  PressKey(VK_PRIOR);
  PressKey(VK_PRIOR);
  EXPECT_LE(differing("pagekeys"), kFew) << "page keys";

  RECT first = remote_->RowRect(topRow() + 2);
  MoveMouseTo(list_, POINT{first.left + 20, (first.top + first.bottom) / 2});
  PressLeftButton();
  RECT client{};
  GetClientRect(list_, &client);
  MoveMouseTo(list_, POINT{first.left + 30, client.bottom + 25});  // held below the list
  Sleep(700);
  ReleaseLeftButton();
  EXPECT_LE(differing("drag"), kFew) << "a drag below the list";

  const std::vector<ListColumn> columns = remote_->Columns();
  ASSERT_FALSE(columns.empty());
  DragLeft(list_, POINT{columns[0].width, 8}, POINT{columns[0].width + 90, 8});  // widen column 0
  EXPECT_LE(differing("columnresize"), kFew) << "a column resized by its divider";

  SendMessageA(list_, LVM_SCROLL, 60, 0);  // sideways, now that the columns are wider
  EXPECT_LE(differing("sideways"), kFew) << "LVM_SCROLL sideways";
}

TEST_F(SongJobTest, NoSelectionDownloadsNothing) {
  Search("周杰伦");
  remote_->Select(-1);
  RECT r = remote_->RowRect(2);
  ClickAt(list_, POINT{r.left + 20, r.bottom + 60}, true);  // below the last row
  PumpFor(500);
  EXPECT_TRUE(DownloadFolderEntries().empty());
  for (int row = 0; row < 3; ++row) EXPECT_EQ(remote_->Cell(row, 2), "");
}

TEST_F(SongJobTest, HostileRowsFailOrLandAsSafeFilesAndLoseNothing) {
  Search("hostile");
  ASSERT_EQ(remote_->RowCount(), 15);
  CreateDirectoryA(Downloads().c_str(), nullptr);
  const std::string earlier = Downloads() + "\\坏-半截.mp3";
  ASSERT_TRUE(WriteFileBytes(earlier, "an earlier good copy"));

  for (int row = 0; row < 14; ++row) DoubleClickRow(row);  // row 14 is the slow one
  const char* kExpected[14] = {"OK",   "OK",   "OK",   "OK",   "OK",   "OK",   "OK",
                               "失败", "失败", "失败", "失败", "失败", "失败", "失败"};
  for (int row = 0; row < 14; ++row) EXPECT_EQ(WaitForFinalStatus(row), kExpected[row]) << remote_->Cell(row, 0);

  EXPECT_EQ(ReadFileBytes(earlier), "an earlier good copy") << "a failed download keeps the earlier file";
  EXPECT_TRUE(SameBytes(Downloaded("_.._x-逃逸.mp3"), ServedSong("qingtian")));
  EXPECT_TRUE(SameBytes(Downloaded("a_b_c-问号.mp3"), ServedSong("daoxiang")));
  EXPECT_TRUE(SameBytes(Downloaded("NUL-.mp3"), ServedSong("yequ")));
  EXPECT_TRUE(SameBytes(Downloaded("_CON.txt-.mp3"), ServedSong("hello")));
  EXPECT_TRUE(SameBytes(Downloaded("-.mp3"), ServedSong("sunny")));
  auto entries = DownloadFolderEntries();
  EXPECT_EQ(entries.size(), 8u);  // seven new songs and the earlier file, no temporary files
  for (const std::string& name : entries) {
    EXPECT_EQ(name.substr(name.size() - 4), ".mp3") << name;
    EXPECT_LE(name.size(), 160u) << name;
    EXPECT_EQ(name.find_first_of("<>:\"/\\|?*"), std::string::npos) << name;
  }
  // Nothing landed outside the download folder.
  EXPECT_FALSE(FileExists(folder_.path() + "\\x-逃逸.mp3"));
}

TEST_F(SongJobTest, RunningDownloadsKeepTheirOwnRowAndClosingLeavesNoPartialFile) {
  Search("hostile");
  DoubleClickRow(14);  // the slow one: about 20 s
  ASSERT_TRUE(WaitUntil([&] { return remote_->Cell(14, 2).rfind("下载中", 0) == 0; }, 10000));
  ASSERT_TRUE(WaitUntil([&] { return remote_->Cell(14, 2) != "下载中 0%"; }, 10000));
  remote_->Select(3);  // another selection does not move the download
  PumpFor(800);
  EXPECT_EQ(remote_->Cell(3, 2), "");
  EXPECT_EQ(remote_->Cell(14, 2).rfind("下载中 ", 0), 0u) << remote_->Cell(14, 2);

  PostMessageA(window_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(process_.WaitForExit(15000));
  EXPECT_EQ(process_.ExitCode(), 0u);
  auto left = DownloadFolderEntries();
  EXPECT_TRUE(left.empty()) << "no partial song and no temporary file: " << (left.empty() ? "" : left[0]);
}

}  // namespace
