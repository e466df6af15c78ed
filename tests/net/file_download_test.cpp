// DownloadFile against a server inside the test process: the redirect limit at its edge,
// addresses whose port the platform would cut to 16 bits, and a cancel that closes the
// request while the download thread waits in WinINet: the thread must not go on to use the
// closed handle's value, which the platform hands to the next request opened.
#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <string>
#include <thread>

#include "loopback_server.h"
#include "net/address_resolve.h"
#include "net/file_download.h"
#include "tests/support/test_paths.h"

namespace tunelark {
namespace {

using looptest::LoopbackServer;
using looptest::Reply;

std::string Song(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + i * 7 % 26);
  return bytes;
}

// /hop/N redirects to /hop/N-1; /hop/0 is the song.
void Hops(const std::string& path, Reply& reply) {
  const int n = std::stoi(path.substr(5));
  if (n == 0) {
    reply.SendWhole("200 OK", "the song");
  } else {
    reply.SendWhole("302 Found", "", {"Location: /hop/" + std::to_string(n - 1)});
  }
}

class FileDownloadTest : public ::testing::Test {
 protected:
  DownloadOutcome Download(const std::string& address, const std::string& name, DownloadCancel* cancel = nullptr,
                           DownloadRequest::Progress progress = {}) {
    DownloadRequest request;
    request.address = address;
    request.targetPath = folder_.path() + "\\" + name;
    request.cancel = cancel;
    request.progress = std::move(progress);
    return DownloadFile(request);
  }
  std::string Saved(const std::string& name) { return tltest::ReadFileBytes(folder_.path() + "\\" + name); }

  tltest::ScratchFolder folder_{"download"};
};

TEST_F(FileDownloadTest, FiveRedirectsReachTheSongAndSixFail) {
  LoopbackServer server(Hops);
  EXPECT_EQ(Download(server.Url("/hop/5"), "five.mp3"), DownloadOutcome::kComplete);
  EXPECT_EQ(Saved("five.mp3"), "the song");
  EXPECT_EQ(Download(server.Url("/hop/6"), "six.mp3"), DownloadOutcome::kFailed);
  EXPECT_FALSE(tltest::FileExists(folder_.path() + "\\six.mp3"));
  EXPECT_EQ(server.Requests("/hop/0"), 1) << "the sixth redirect is not followed";
  EXPECT_EQ(tltest::ListFolder(folder_.path()).size(), 1u) << "no temporary file left";
}

TEST_F(FileDownloadTest, APortAbove65535IsRefusedNotCutTo16Bits) {
  LoopbackServer server([](const std::string&, Reply& reply) { reply.SendWhole("200 OK", "wrong place"); });
  const std::string wrapped = "http://127.0.0.1:" + std::to_string(server.port() + 65536) + "/song";
  EXPECT_EQ(Download(wrapped, "wrapped.mp3"), DownloadOutcome::kFailed);
  EXPECT_EQ(server.Requests("/song"), 0);
  // The same through a redirect.
  LoopbackServer redirecting(
      [&](const std::string&, Reply& reply) { reply.SendWhole("302 Found", "", {"Location: " + wrapped}); });
  EXPECT_EQ(Download(redirecting.Url("/moved"), "moved.mp3"), DownloadOutcome::kFailed);
  EXPECT_EQ(server.Requests("/song"), 0);
}

TEST(AddressResolve, OnlyHttpAndHttpsAddressesWithAHostPass) {
  EXPECT_TRUE(IsHttpAddress("http://cdn.test/a.mp3"));
  EXPECT_TRUE(IsHttpAddress("HTTPS://cdn.test"));
  for (const char* refused :
       {"ftp://cdn.test/a.mp3", "file:///C:/Windows/win.ini", "file://server/share/a.mp3", "javascript:alert(1)",
        "mailto:a@b", "httpx://cdn.test/", "//cdn.test/a.mp3", "http://", "https:///a.mp3", "cdn.test/a.mp3", ""}) {
    EXPECT_FALSE(IsHttpAddress(refused)) << refused;
  }
  // A redirect to another scheme stays what it is, for that check to refuse.
  EXPECT_EQ(ResolveRedirect("http://a.test/x/y", "ftp://b.test/z"), "ftp://b.test/z");
  EXPECT_FALSE(IsHttpAddress(ResolveRedirect("http://a.test/x/y", "file:///etc/passwd")));
  EXPECT_EQ(ResolveRedirect("https://a.test/x/y?q", "z.mp3"), "https://a.test/x/z.mp3");
  EXPECT_EQ(ResolveRedirect("https://a.test/x", "//b.test/z"), "https://b.test/z");
  EXPECT_EQ(LocationHeaderValue("HTTP/1.1 302 Found\r\nlocation:  /next \r\n\r\n"), "/next");
}

// Download A trickles its body and is cancelled while its thread waits for more; download B
// starts right after and, in the same WinINet handle table, receives the freed request value.
// When A's wait ends, A must not read through that value: B gets all of its bytes.
TEST_F(FileDownloadTest, ACancelledDownloadNeverUsesItsClosedHandleAgain) {
  const std::string songB = Song(400 * 1024);
  HANDLE resumeA = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE firstBytesA = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  LoopbackServer server([&](const std::string& path, Reply& reply) {
    if (path == "/a") {
      reply.Send("HTTP/1.1 200 OK\r\nContent-Length: 200000\r\n\r\n" + std::string(1000, 'a'));
      WaitForSingleObject(resumeA, 20000);
      reply.Send(std::string(199000, 'a'));
    } else {
      reply.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(songB.size()) + "\r\n\r\n");
      for (size_t at = 0; at < songB.size(); at += 8192) {
        if (!reply.Send(songB.substr(at, 8192))) return;
        Sleep(5);
      }
    }
  });
  // Two handles taken before A, freed after its cancel: B's root and connection take their
  // values, and B's request the value of A's request.
  HINTERNET spare1 = InternetOpenA("spare", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  HINTERNET spare2 = InternetOpenA("spare", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  DownloadCancel cancelA;
  DownloadOutcome outcomeA = DownloadOutcome::kComplete;
  std::thread a([&] {
    outcomeA =
        Download(server.Url("/a"), "a.mp3", &cancelA, [&](std::uint64_t, std::int64_t) { SetEvent(firstBytesA); });
  });
  ASSERT_EQ(WaitForSingleObject(firstBytesA, 10000), WAIT_OBJECT_0);
  Sleep(300);  // A waits inside WinINet for the rest of its body
  cancelA.Cancel();
  InternetCloseHandle(spare1);
  InternetCloseHandle(spare2);
  DownloadOutcome outcomeB = DownloadOutcome::kFailed;
  std::thread b([&] { outcomeB = Download(server.Url("/b"), "b.mp3"); });
  Sleep(300);
  SetEvent(resumeA);  // A's wait ends with bytes to read
  a.join();
  b.join();
  EXPECT_EQ(outcomeA, DownloadOutcome::kCancelled);
  EXPECT_EQ(outcomeB, DownloadOutcome::kComplete);
  EXPECT_TRUE(Saved("b.mp3") == songB) << "B's file has " << Saved("b.mp3").size() << " bytes";
  EXPECT_FALSE(tltest::FileExists(folder_.path() + "\\a.mp3"));
  CloseHandle(resumeA);
  CloseHandle(firstBytesA);
}

}  // namespace
}  // namespace tunelark
