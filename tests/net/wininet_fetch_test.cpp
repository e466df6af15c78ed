// WinInetFetch against the loopback test server: what goes on the wire (verb, header lines
// and their order, user agent, cookies, proxy), what comes back (body, raw headers, cookies),
// HTTPS with certificate validation, and the failure paths.
#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include "fetch_test_server.h"
#include "net/wininet_fetch.h"

namespace tunelark {
namespace {

using fetchtest::HttpsUrl;
using fetchtest::HttpUrl;
using fetchtest::Reply;
using fetchtest::Requests;
using fetchtest::Script;

class WinInetFetchTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(fetchtest::ServerPorts().http, 0) << "TL_FETCH_PORTS is not set"; }
};

std::string Text(const ByteArray& bytes) { return ToText(bytes); }

TEST_F(WinInetFetchTest, VerbFollowsTheMethodAndUnknownMethodsAreGet) {
  ASSERT_TRUE(Script("/ii/verb?q=1", Reply("200 OK", {"Content-Type: text/plain"}, "verb-body")));
  WinInetOptions get;
  get.method = static_cast<HttpMethod>(7);
  EXPECT_EQ(Text(WinInetFetch(HttpUrl("/ii/verb?q=1"), get)), "verb-body");
  WinInetOptions post;
  post.method = HttpMethod::kPost;
  post.postText = "a=1&b=2";
  EXPECT_EQ(Text(WinInetFetch(HttpUrl("/ii/verb?q=1"), post)), "verb-body");
  WinInetOptions postBytes = post;
  postBytes.postBytes = ToBytes(std::string("raw\0bytes", 9));
  WinInetFetch(HttpUrl("/ii/verb?q=1"), postBytes);
  WinInetOptions head;
  head.method = HttpMethod::kHead;
  EXPECT_TRUE(WinInetFetch(HttpUrl("/ii/verb?q=1"), head).empty());

  auto seen = Requests("/ii/verb?q=1");
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].line, "GET /ii/verb?q=1 HTTP/1.1");
  EXPECT_EQ(seen[0].body, "");
  EXPECT_EQ(seen[1].line, "POST /ii/verb?q=1 HTTP/1.1");
  EXPECT_EQ(seen[1].body, "a=1&b=2");
  EXPECT_EQ(seen[2].body, std::string("raw\0bytes", 9));  // postBytes win over postText
  EXPECT_EQ(seen[3].line, "HEAD /ii/verb?q=1 HTTP/1.1");
}

TEST_F(WinInetFetchTest, EmptyHeadersGetTheDefaultLinesInOrder) {
  const std::string address = HttpUrl("/ii/defaults");
  std::string headers;
  WinInetOptions options;
  options.headers = &headers;
  WinInetFetch(address, options);
  EXPECT_EQ(headers, "Accept: */*\r\nReferer: " + address +
                         "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded");

  auto seen = Requests("/ii/defaults");
  ASSERT_EQ(seen.size(), 1u);
  const fetchtest::Request& r = seen[0];
  EXPECT_EQ(r.Header("Accept"), "*/*");
  EXPECT_EQ(r.Header("Referer"), address);
  EXPECT_EQ(r.Header("Accept-Language"), "zh-cn");
  EXPECT_EQ(r.Header("Content-Type"), "application/x-www-form-urlencoded");
  EXPECT_EQ(r.Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
  EXPECT_EQ(r.Count("Cookie"), 0);
  std::vector<std::string> order;
  for (const std::string& name : r.Names())
    if (name == "Accept" || name == "Referer" || name == "Accept-Language" || name == "Content-Type")
      order.push_back(name);
  EXPECT_EQ(order, (std::vector<std::string>{"Accept", "Referer", "Accept-Language", "Content-Type"}));

  // The same variable again: the defaults are there already and are not added twice.
  const std::string before = headers;
  WinInetFetch(address, options);
  EXPECT_EQ(headers, before);
}

TEST_F(WinInetFetchTest, HeaderTestsAreCaseSensitive) {
  std::string headers = "accept: text/plain\r\nX-Mine: 1";
  WinInetOptions options;
  options.headers = &headers;
  WinInetFetch(HttpUrl("/ii/lower-accept"), options);
  EXPECT_NE(headers.find("accept: text/plain\r\nX-Mine: 1\r\nAccept: */*\r\nReferer: "), std::string::npos);
  auto seen = Requests("/ii/lower-accept");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Header("X-Mine"), "1");
  EXPECT_GE(seen[0].Count("Accept"), 1);
}

TEST_F(WinInetFetchTest, UserAgentComesFromTheCallersLine) {
  struct Case {
    std::string headers, agent;
  } cases[] = {
      {"", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
      {"User-Agent: X", "X"},  // no line end: value after the colon
      {"User-Agent:  Tune Lark 1.0 \r\nX-A: 1", "Tune Lark 1.0"},
      {"X-A: 1\r\nuser-agent: Y\r\nX-B: 2", "Y"},  // other spelling, not the first line
  };
  int n = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(WinInetUserAgent(c.headers), c.agent) << c.headers;
    std::string path = "/ii/agent";
    path += std::to_string(n++);
    std::string headers = c.headers;
    WinInetOptions options;
    options.headers = &headers;
    WinInetFetch(HttpUrl(path), options);
    auto seen = Requests(path);
    ASSERT_EQ(seen.size(), 1u) << c.headers;
    EXPECT_EQ(seen[0].Header("User-Agent"), c.agent) << c.headers;
    // No line of the caller's text turns up twice through the agent.
    EXPECT_LE(seen[0].Count("X-B"), 1);
  }
}

TEST_F(WinInetFetchTest, SetCookieInBothSpellingsAndTheCookieMerge) {
  ASSERT_TRUE(
      Script("/ii/cookies",
             Reply("200 OK", {"set-cookie: a=1; path=/", "Set-Cookie: b=2", "SET-COOKIE: c=3; HttpOnly"}, "c")));
  std::string replyCookies, replyHeaders;
  WinInetOptions plain;
  plain.replyCookies = &replyCookies;
  plain.replyHeaders = &replyHeaders;
  EXPECT_EQ(Text(WinInetFetch(HttpUrl("/ii/cookies"), plain)), "c");
  EXPECT_EQ(replyCookies, "a=1; b=2; c=3");
  EXPECT_NE(replyHeaders.find("Set-Cookie: a=1; path=/\r\n"), std::string::npos);
  EXPECT_EQ(replyHeaders.find("set-cookie"), std::string::npos);
  EXPECT_EQ(replyHeaders.find("SET-COOKIE"), std::string::npos);

  std::string cookies = "z=9; a=0";
  WinInetOptions withCookies = plain;
  withCookies.cookies = &cookies;
  WinInetFetch(HttpUrl("/ii/cookies"), withCookies);
  EXPECT_EQ(cookies, "a=1; b=2; c=3; z=9");  // the reply's a wins, z is carried over
  auto seen = Requests("/ii/cookies");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].Count("Cookie"), 0);
  EXPECT_EQ(seen[1].Header("Cookie"), "z=9; a=0");
}

TEST_F(WinInetFetchTest, LongReplyHeadersArriveWhole) {
  std::vector<std::string> lines;
  for (int i = 0; i < 60; ++i) {
    std::string line = "X-Filler-";
    line += std::to_string(i);
    lines.push_back(line + ": " + std::string(150, 'f'));
  }
  lines.push_back("Set-Cookie: late=yes; path=/");
  ASSERT_TRUE(Script("/ii/long-headers", Reply("200 OK", lines, "long")));
  std::string replyCookies, replyHeaders;
  WinInetOptions options;
  options.replyCookies = &replyCookies;
  options.replyHeaders = &replyHeaders;
  EXPECT_EQ(Text(WinInetFetch(HttpUrl("/ii/long-headers"), options)), "long");
  EXPECT_GT(replyHeaders.size(), 9000u);
  EXPECT_EQ(replyHeaders.compare(0, 15, "HTTP/1.1 200 OK"), 0);
  EXPECT_NE(replyHeaders.find("X-Filler-59: fff"), std::string::npos);
  EXPECT_EQ(replyCookies, "late=yes");
}

TEST_F(WinInetFetchTest, RedirectsAreFollowedUnlessForbidden) {
  ASSERT_TRUE(Script("/ii/moved", Reply("302 Found", {"Location: /ii/target"}, "moved")));
  ASSERT_TRUE(Script("/ii/target", Reply("200 OK", {}, "arrived")));
  EXPECT_EQ(Text(WinInetFetch(HttpUrl("/ii/moved"))), "arrived");
  std::string replyHeaders;
  WinInetOptions options;
  options.noRedirect = true;
  options.replyHeaders = &replyHeaders;
  EXPECT_EQ(Text(WinInetFetch(HttpUrl("/ii/moved"), options)), "moved");
  EXPECT_EQ(replyHeaders.compare(0, 18, "HTTP/1.1 302 Found"), 0) << replyHeaders;
  EXPECT_NE(replyHeaders.find("Location: /ii/target"), std::string::npos);
  EXPECT_EQ(Requests("/ii/target").size(), 1u);

  // From plain HTTP up to HTTPS the redirect is followed as well.
  ASSERT_TRUE(Script("/ii/up", Reply("302 Found", {"Location: " + HttpsUrl("/ii/up-target")}, "up")));
  ASSERT_TRUE(Script("/ii/up-target", Reply("200 OK", {}, "secure landing")));
  EXPECT_EQ(Text(WinInetFetch(HttpUrl("/ii/up"))), "secure landing");
}

TEST_F(WinInetFetchTest, ProxyNameIsHttpPrefixedAndTheProxySeesTheRequest) {
  ASSERT_TRUE(Script("/ii/proxied", Reply("200 OK", {}, "via proxy")));
  WinInetOptions options;
  options.proxy = "127.0.0.1:" + std::to_string(fetchtest::ServerPorts().http);
  // Nothing listens on the target port: only the proxy can answer.
  const std::string address = "http://cdn.test:" + std::to_string(fetchtest::ClosedPort()) + "/ii/proxied";
  EXPECT_EQ(Text(WinInetFetch(address, options)), "via proxy");
  auto seen = Requests("/ii/proxied");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].line, "GET " + address + " HTTP/1.1");
}

TEST_F(WinInetFetchTest, HttpsWithCertificateValidation) {
  ASSERT_TRUE(Script("/ii/secure", Reply("200 OK", {"Set-Cookie: s=1; Secure"}, "secret")));
  std::string replyCookies;
  WinInetOptions options;
  options.replyCookies = &replyCookies;
  EXPECT_EQ(Text(WinInetFetch(HttpsUrl("/ii/secure"), options)), "secret");
  EXPECT_EQ(replyCookies, "s=1");
  EXPECT_EQ(Requests("/ii/secure").size(), 1u);

  std::string replyHeaders = "untouched";
  WinInetOptions untrusted;
  untrusted.replyHeaders = &replyHeaders;
  EXPECT_TRUE(WinInetFetch(fetchtest::UntrustedUrl("/ii/untrusted"), untrusted).empty());
  EXPECT_EQ(replyHeaders, "");
  EXPECT_TRUE(Requests("/ii/untrusted").empty());
}

TEST_F(WinInetFetchTest, NoServerGivesEmptyResults) {
  std::string replyHeaders = "old", replyCookies = "old", cookies = "k=1";
  WinInetOptions options;
  options.replyHeaders = &replyHeaders;
  options.replyCookies = &replyCookies;
  options.cookies = &cookies;
  EXPECT_TRUE(WinInetFetch("http://127.0.0.1:" + std::to_string(fetchtest::ClosedPort()) + "/x", options).empty());
  EXPECT_EQ(replyHeaders, "");  // no reply: no headers (not a text of blanks)
  EXPECT_EQ(replyCookies, "");
  EXPECT_EQ(cookies, "k=1");
}

TEST_F(WinInetFetchTest, LargeBodyIsCompleteAndNotCopiedIntoTheWebCache) {
  const int size = 5 * 1024 * 1024 + 123;
  const std::string address = HttpUrl("/_bytes/" + std::to_string(size));
  ByteArray body = WinInetFetch(address);
  ASSERT_EQ(body.size(), static_cast<size_t>(size));
  bool pattern = true;
  for (size_t i = 0; i < body.size() - size % 256; ++i) pattern = pattern && body[i] == static_cast<unsigned char>(i);
  EXPECT_TRUE(pattern);
  DWORD infoSize = 0;
  EXPECT_FALSE(GetUrlCacheEntryInfoA(address.c_str(), nullptr, &infoSize) ||
               GetLastError() == ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace
}  // namespace tunelark
