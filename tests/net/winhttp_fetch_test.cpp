// WinHttpFetch against the loopback test server: verbs, the default header lines, status,
// location, cookies, time-outs, proxy, credentials, HTTPS with certificate validation, the
// numbered failure messages and the character-set conversion of the body.
#include <windows.h>

#include <gtest/gtest.h>

#include "fetch_test_server.h"
#include "net/winhttp_fetch.h"

namespace tunelark {
namespace {

using fetchtest::HttpsUrl;
using fetchtest::HttpUrl;
using fetchtest::Reply;
using fetchtest::Requests;
using fetchtest::Script;

class WinHttpFetchTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(fetchtest::ServerPorts().http, 0) << "TL_FETCH_PORTS is not set"; }
};

TEST_F(WinHttpFetchTest, VerbFollowsTheMethodAndTheBodyGoesWithEveryVerb) {
  ASSERT_TRUE(Script("/wh/verb", Reply("200 OK", {}, "verb")));
  const int methods[] = {0, 1, 2, 3, 4, -1, 7};
  for (int method : methods) {
    WinHttpOptions options;
    options.method = static_cast<HttpMethod>(method);
    options.postText = "m=" + std::to_string(method);
    WinHttpFetch(HttpUrl("/wh/verb"), options);
  }
  auto seen = Requests("/wh/verb");
  ASSERT_EQ(seen.size(), 7u);
  const char* verbs[] = {"GET", "POST", "HEAD", "PUT", "GET", "GET", "GET"};
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].line, std::string(verbs[i]) + " /wh/verb HTTP/1.1");
    EXPECT_EQ(seen[i].body, "m=" + std::to_string(methods[i]));
  }
}

TEST_F(WinHttpFetchTest, DefaultHeaderLinesFollowTheCallersInOrder) {
  WinHttpFetch(HttpUrl("/wh/defaults"));
  WinHttpOptions options;
  options.headers = "X-First: 1\r\naccept: text/plain\r\ncontent-type: text/x-mine";
  std::string cookies = "k=1; j=2";
  options.cookies = &cookies;
  WinHttpFetch(HttpUrl("/wh/defaults"), options);

  auto seen = Requests("/wh/defaults");
  ASSERT_EQ(seen.size(), 2u);
  const char* defaults[] = {"User-Agent",      "Accept",       "Accept-Encoding",
                            "Accept-Language", "Content-Type", "Cache-Control"};
  std::vector<std::string> order;
  for (const std::string& name : seen[0].Names())
    for (const char* d : defaults)
      if (name == d) order.push_back(name);
  EXPECT_EQ(order, std::vector<std::string>(std::begin(defaults), std::end(defaults)));
  EXPECT_EQ(seen[0].Header("User-Agent"), "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)");
  EXPECT_EQ(seen[0].Header("Accept"), "text/html, application/xhtml+xml, */*");
  EXPECT_EQ(seen[0].Header("Accept-Encoding"), "gbk, GB2312");
  EXPECT_EQ(seen[0].Header("Accept-Language"), "zh-cn");
  EXPECT_EQ(seen[0].Header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(seen[0].Header("Cache-Control"), "no-cache");
  EXPECT_EQ(seen[0].Count("Cookie"), 0);

  // Accept is tested without case, Content-Type with case: the caller's accept line stands
  // alone, the lower-case content-type line gets the default beside it.
  EXPECT_EQ(seen[1].Header("X-First"), "1");
  EXPECT_EQ(seen[1].Count("Accept"), 1);
  EXPECT_EQ(seen[1].Header("Accept"), "text/plain");
  EXPECT_EQ(seen[1].Header("Cookie"), "k=1; j=2");
  EXPECT_EQ(WinHttpRequestHeaders("X-First: 1\r\naccept: text/plain\r\ncontent-type: text/x-mine", "k=1; j=2"),
            "X-First: 1\r\naccept: text/plain\r\ncontent-type: text/x-mine\r\n"
            "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)\r\n"
            "Accept-Encoding: gbk, GB2312\r\nAccept-Language: zh-cn\r\n"
            "Content-Type: application/x-www-form-urlencoded\r\nCache-Control: no-cache\r\nCookie: k=1; j=2\r\n");
}

TEST_F(WinHttpFetchTest, AddressWithoutPathRequestsTheRoot) {
  WinHttpFetch("http://songs.test:" + std::to_string(fetchtest::ServerPorts().http));
  WinHttpFetch(HttpUrl("/wh/query?a=1&b=%E4"));
  auto root = Requests("/");
  ASSERT_FALSE(root.empty());
  EXPECT_EQ(root.back().line, "GET / HTTP/1.1");
  auto query = Requests("/wh/query?a=1&b=%E4");
  ASSERT_EQ(query.size(), 1u);
  EXPECT_EQ(query[0].line, "GET /wh/query?a=1&b=%E4 HTTP/1.1");
}

TEST_F(WinHttpFetchTest, StatusLocationCookiesAndBodyOfARedirect) {
  ASSERT_TRUE(Script("/wh/moved", Reply("302 Found",
                                        {"location: http://cdn.test/a.mp3", "Server: nginx", "set-cookie: a=1; path=/",
                                         "Set-Cookie: b=2"},
                                        "moved")));
  std::string status, location, replyHeaders, replyCookies, cookies = "b=0; old=1";
  ByteArray body;
  WinHttpOptions options;
  options.noRedirect = true;
  options.status = &status;
  options.location = &location;
  options.replyHeaders = &replyHeaders;
  options.replyCookies = &replyCookies;
  options.cookies = &cookies;
  options.body = &body;
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/moved"), options), "moved");
  EXPECT_EQ(status, "302 Found");
  EXPECT_EQ(location, "http://cdn.test/a.mp3");
  EXPECT_EQ(replyCookies, "a=1;b=2");  // the merge takes the blanks out of both texts
  EXPECT_EQ(cookies, "a=1; b=2; old=1");
  options.cookies = nullptr;
  WinHttpFetch(HttpUrl("/wh/moved"), options);
  EXPECT_EQ(replyCookies, "a=1; b=2");
  EXPECT_EQ(ToText(body), "moved");
  EXPECT_NE(replyHeaders.find("Set-Cookie: a=1; path=/\r\n"), std::string::npos);
  EXPECT_EQ(Requests("/wh/moved").front().Header("Cookie"), "b=0; old=1");
}

TEST_F(WinHttpFetchTest, RedirectsAreFollowedUnlessForbidden) {
  ASSERT_TRUE(Script("/wh/hop", Reply("301 Moved Permanently", {"Location: /wh/landing"}, "hop")));
  ASSERT_TRUE(Script("/wh/landing", Reply("200 OK", {}, "landed")));
  std::string status;
  WinHttpOptions options;
  options.status = &status;
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/hop"), options), "landed");
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(Requests("/wh/landing").size(), 1u);

  // A HEAD reply declares a length but carries no body: that is no broken body.
  options.method = HttpMethod::kHead;
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/landing"), options), "");
  EXPECT_EQ(status, "200 OK");
}

TEST_F(WinHttpFetchTest, RedirectFromHttpsToHttpIsHandedBack) {
  // The platform does not follow a redirect from HTTPS down to plain HTTP by default: the
  // caller gets the redirect itself and reads its location (as the download does).
  const std::string target = HttpUrl("/wh/down-target");
  ASSERT_TRUE(Script("/wh/down", Reply("302 Found", {"Location: " + target, "Server: nginx"}, "")));
  std::string status, location, replyHeaders;
  WinHttpOptions options;
  options.status = &status;
  options.location = &location;
  options.replyHeaders = &replyHeaders;
  WinHttpFetch(HttpsUrl("/wh/down"), options);
  EXPECT_EQ(status, "302 Found");
  EXPECT_EQ(location, target);
  EXPECT_NE(replyHeaders.find("Location: " + target + "\r\nServer: nginx"), std::string::npos) << replyHeaders;
  EXPECT_TRUE(Requests("/wh/down-target").empty());
}

TEST_F(WinHttpFetchTest, TimeOutsBoundEachPhase) {
  ASSERT_TRUE(Script("/wh/slow", Reply("200 OK", {}, "late"), {3000, false, -1}));
  ASSERT_TRUE(Script("/wh/silent", Reply("200 OK", {}, "never"), {0, true, -1}));
  std::string status;
  WinHttpOptions oneSecond;
  oneSecond.timeoutSeconds = 1;
  oneSecond.status = &status;
  DWORD start = GetTickCount();
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/slow"), oneSecond), "");
  EXPECT_EQ(status, kWinHttpNoResponse);
  EXPECT_LT(GetTickCount() - start, 2900u);

  start = GetTickCount();
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/silent"), oneSecond), "");
  EXPECT_EQ(status, kWinHttpNoResponse);
  DWORD waited = GetTickCount() - start;
  EXPECT_GE(waited, 800u);
  EXPECT_LT(waited, 5000u);

  // 0 means the default of 30 s, not "no wait": a 3 s answer arrives.
  WinHttpOptions byDefault;
  byDefault.status = &status;
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/slow"), byDefault), "late");
  EXPECT_EQ(status, "200 OK");
  WinHttpOptions five = byDefault;
  five.timeoutSeconds = 5;
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/slow"), five), "late");
}

TEST_F(WinHttpFetchTest, BrokenBodyKeepsTheBytesReadAndSaysSo) {
  const std::string part(20000, 'p');
  const std::string reply = Reply("200 OK", {"Content-Length: 50000"}, part, false);
  ASSERT_TRUE(Script("/wh/cut", reply, {0, false, static_cast<int>(reply.size())}));
  std::string status, replyHeaders;
  ByteArray body;
  WinHttpOptions options;
  options.status = &status;
  options.body = &body;
  options.replyHeaders = &replyHeaders;
  std::string text = WinHttpFetch(HttpUrl("/wh/cut"), options);
  EXPECT_EQ(ToText(body), part);
  EXPECT_EQ(text, part);
  EXPECT_EQ(status, kWinHttpReadFailed);
  EXPECT_EQ(replyHeaders.compare(0, 15, "HTTP/1.1 200 OK"), 0);
}

TEST_F(WinHttpFetchTest, NumberedMessagesForAddressAndConnectionFailures) {
  std::string status, location = "kept";
  ByteArray body = ToBytes("kept");
  WinHttpOptions options;
  options.status = &status;
  options.location = &location;
  options.body = &body;
  for (const char* address : {"not an address", "", "songs.test/no-scheme", "ftp://songs.test/x"}) {
    status.clear();
    EXPECT_EQ(WinHttpFetch(address, options), "") << address;
    EXPECT_EQ(status, kWinHttpBadAddress) << address;
  }
  EXPECT_EQ(status, "701 解析URL地址失败!");
  EXPECT_EQ(location, "kept");
  EXPECT_EQ(ToText(body), "kept");

  EXPECT_EQ(WinHttpFetch("http://127.0.0.1:" + std::to_string(fetchtest::ClosedPort()) + "/", options), "");
  EXPECT_EQ(status, kWinHttpSendFailed);
}

TEST_F(WinHttpFetchTest, ProxyAndItsCredentials) {
  ASSERT_TRUE(Script("/wh/proxied", Reply("200 OK", {}, "via proxy")));
  WinHttpOptions options;
  options.proxy = "127.0.0.1:" + std::to_string(fetchtest::ServerPorts().http);
  options.proxyUser = "pu";
  options.proxyPassword = "pp";
  std::string status;
  options.status = &status;
  const std::string address = "http://cdn.test:" + std::to_string(fetchtest::ClosedPort()) + "/wh/proxied";
  EXPECT_EQ(WinHttpFetch(address, options), "via proxy") << status;
  auto seen = Requests("/wh/proxied");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].line, "GET " + address + " HTTP/1.1");
  EXPECT_EQ(status, "200 OK");  // proxy credentials were accepted (sent when the proxy asks)
}

TEST_F(WinHttpFetchTest, ServerCredentialsOnlyWithNameAndPassword) {
  ASSERT_TRUE(Script("/wh/auth", Reply("200 OK", {}, "in")));
  WinHttpOptions nameOnly;
  nameOnly.userName = "user";
  std::string status;
  nameOnly.status = &status;
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/auth"), nameOnly), "in");
  WinHttpOptions both = nameOnly;
  both.password = "pass";
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/auth"), both), "in") << status;
  auto seen = Requests("/wh/auth");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Count("Authorization"), 0);
  EXPECT_EQ(seen[1].Header("Authorization"), "Basic dXNlcjpwYXNz");
}

TEST_F(WinHttpFetchTest, HttpsWithCertificateValidation) {
  ASSERT_TRUE(Script("/wh/secure", Reply("200 OK", {"Set-Cookie: s=1; Secure"}, "secret")));
  std::string status, replyCookies;
  WinHttpOptions options;
  options.status = &status;
  options.replyCookies = &replyCookies;
  EXPECT_EQ(WinHttpFetch(HttpsUrl("/wh/secure"), options), "secret");
  EXPECT_EQ(status, "200 OK");
  EXPECT_EQ(replyCookies, "s=1");
  // With a cookie variable as well (the platform's cookie handling stays on).
  std::string cookies;
  options.cookies = &cookies;
  EXPECT_EQ(WinHttpFetch(HttpsUrl("/wh/secure"), options), "secret");
  EXPECT_EQ(cookies, "s=1");

  ByteArray body = ToBytes("kept");
  options.body = &body;
  EXPECT_EQ(WinHttpFetch(fetchtest::UntrustedUrl("/wh/untrusted"), options), "");
  EXPECT_TRUE(status == kWinHttpSendFailed || status == kWinHttpNoResponse) << status;
  EXPECT_EQ(ToText(body), "kept");
  EXPECT_TRUE(Requests("/wh/untrusted").empty());
}

TEST_F(WinHttpFetchTest, BodyIsConvertedFromTheDeclaredCharacterSet) {
  // "歌曲" in UTF-8 and in code page 936.
  const std::string utf8Song = "\xE6\xAD\x8C\xE6\x9B\xB2";
  const std::string gbkSong = "\xB8\xE8\xC7\xFA";
  const std::string utf8Page =
      "<html><head><META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
      "</head><body>" +
      utf8Song + "</body></html>";
  const std::string gbkPage = "<html><head><meta charset=\"gbk\"></head><body>" + gbkSong + "</body></html>";
  ASSERT_TRUE(Script("/wh/utf8", Reply("200 OK", {"Content-Type: text/html"}, utf8Page)));
  ASSERT_TRUE(Script("/wh/gbk", Reply("200 OK", {"Content-Type: text/html"}, gbkPage)));
  ByteArray body;
  WinHttpOptions options;
  options.body = &body;
  std::string text = WinHttpFetch(HttpUrl("/wh/utf8"), options);
  EXPECT_NE(text.find("<body>" + gbkSong + "</body>"), std::string::npos) << text;
  EXPECT_EQ(ToText(body), utf8Page);  // the bytes themselves stay as sent
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/gbk"), options), gbkPage);

  // A declaration after the first 1024 bytes is not looked for.
  const std::string latePage = std::string(1100, ' ') + "<meta charset=utf-8>" + utf8Song;
  ASSERT_TRUE(Script("/wh/late", Reply("200 OK", {}, latePage)));
  EXPECT_EQ(WinHttpFetch(HttpUrl("/wh/late")), latePage);
}

}  // namespace
}  // namespace tunelark
