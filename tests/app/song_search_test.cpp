// The search against a server inside the test process: replies with a zero byte or over the
// size cap are failed searches, and 200 searches of 100 hits leave memory flat.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "app/result_list.h"
#include "app/song_search.h"
#include "loopback_server.h"
#include "tests/support/gdi_count.h"
#include "text/json_document.h"

namespace tunelark {
namespace {

using looptest::LoopbackServer;
using looptest::Reply;

// A reply of `hits` hits, UTF-8.
std::string Hits(int hits) {
  std::string json = "{\"status\":1,\"data\":[";
  for (int i = 0; i < hits; ++i) {
    if (i) json += ",";
    const std::string n = std::to_string(i);
    json += "{\"singer\":\"\xE6\xAD\x8C\xE6\x89\x8B" + n + "\",\"name\":\"\xE7\xAC\xAC" + n +
            "\xE9\xA6\x96\xE6\xAD\x8C Song " + n + "\",\"url\":\"https://songs.test/song/" + n + "\"}";
  }
  return json + "]}";
}

size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PrivateUsage;
}

class SongSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    window_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    list_ = ResultList(window_);
    list_.AddColumns();
    ASSERT_TRUE(json_.IsReady());
  }
  void TearDown() override { DestroyWindow(window_); }

  int Search(const std::string& address) { return RunSearchAt(address, json_, reply_, list_); }

  HWND window_ = nullptr;
  ResultList list_;
  JsonDocument json_;
  ByteArray reply_;
};

TEST_F(SongSearchTest, AReplyWithAZeroByteIsNoJsonAndListsNothing) {
  const std::string hit = Hits(1);
  LoopbackServer server([&](const std::string& path, Reply& reply) {
    reply.SendWhole("200 OK", path == "/zero" ? hit + std::string(1, '\0') + "anything" : hit);
  });
  EXPECT_EQ(Search(server.Url("/plain")), 1);
  EXPECT_EQ(list_.Cell(0, ResultList::kTitle), "歌手0-第首歌");
  EXPECT_EQ(Search(server.Url("/zero")), 0);
  EXPECT_EQ(list_.RowCount(), 0);
}

TEST_F(SongSearchTest, RepliesOverTheCapAreFailedSearches) {
  const std::string hit = Hits(1);
  LoopbackServer server([&](const std::string& path, Reply& reply) {
    if (path == "/padded") {  // valid JSON, white space after the value
      reply.SendWhole("200 OK", hit + std::string(kMaxSearchReplyBytes, ' '));
      return;
    }
    // A reply without a length that never ends (cut off by the server after 256 MiB).
    reply.Send("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + hit);
    const std::string blanks(64 * 1024, ' ');
    for (int i = 0; i < 4096 && reply.Send(blanks); ++i) {
    }
  });
  EXPECT_EQ(Search(server.Url("/padded")), 0);
  EXPECT_EQ(list_.RowCount(), 0);
  EXPECT_LE(reply_.capacity(), kMaxSearchReplyBytes + 512 * 1024);
  EXPECT_EQ(Search(server.Url("/endless")), 0);
  EXPECT_EQ(list_.RowCount(), 0);
  EXPECT_LE(reply_.capacity(), kMaxSearchReplyBytes + 512 * 1024);
}

TEST_F(SongSearchTest, TwoHundredSearchesOfAHundredHitsLeaveMemoryFlat) {
  const std::string hits = Hits(100);
  LoopbackServer server([&](const std::string&, Reply& reply) { reply.SendWhole("200 OK", hits); });
  for (int i = 0; i < 20; ++i) ASSERT_EQ(Search(server.Url("/search")), 100);  // warm up
  const size_t startSet = tltest::WorkingSetBytes(), startPrivate = PrivateBytes();
  for (int i = 0; i < 200; ++i) ASSERT_EQ(Search(server.Url("/search")), 100);
  const size_t endSet = tltest::WorkingSetBytes(), endPrivate = PrivateBytes();
  std::printf("resident %.1f MB -> %.1f MB, private %.1f MB -> %.1f MB over 200 searches\n", startSet / 1048576.0,
              endSet / 1048576.0, startPrivate / 1048576.0, endPrivate / 1048576.0);
  EXPECT_LT(static_cast<double>(endSet) - static_cast<double>(startSet), 2.0 * 1048576);
  EXPECT_LT(static_cast<double>(endPrivate) - static_cast<double>(startPrivate), 2.0 * 1048576);
}

}  // namespace
}  // namespace tunelark
