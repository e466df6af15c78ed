// Text routines on code page 936 byte strings: finding and cutting never split a double-byte
// character, the two kinds of blank, address and cookie handling, URL encoding and the
// non-ASCII filter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/text_utils.h"
#include "text/gbk_text.h"
#include "text/regex_matcher.h"

using namespace tunelark;

namespace {

// 啊 (B0 A1) followed by 、 (A1 A2): the middle bytes A1 A1 look like a full-width space.
const std::string kTrap = "\xB0\xA1\xA1\xA2";
// A double-byte character whose second byte is the letter 'a' (0x61), and one whose second
// byte is a backslash.
const std::string kTrailA = "\x81\x61";
const std::string kTrailBackslash = "\x81\x5C";

std::vector<std::string> V(std::initializer_list<const char*> items) { return {items.begin(), items.end()}; }

}  // namespace

TEST(FindAndReplace, PositionsAreOneBasedAndRespectDoubleByteCharacters) {
  EXPECT_EQ(Find("abcabc", "c"), 3);
  EXPECT_EQ(Find("abcabc", "c", 4), 6);
  EXPECT_EQ(Find("abcabc", "c", -5), 3);
  EXPECT_EQ(Find("abcabc", "x"), -1);
  EXPECT_EQ(Find("abc", ""), -1);
  EXPECT_EQ(Find("abc", "c", 10), -1);
  EXPECT_EQ(Find("ABC", "bc", 1, true), 2);
  EXPECT_EQ(Find("ABC", "bc"), -1);
  EXPECT_EQ(Find("你好世界", "世"), 5);
  // 中文 is D6 D0 CE C4: the bytes D0 CE straddle two characters.
  EXPECT_EQ(Find("中文", "\xD0\xCE"), -1);
  EXPECT_EQ(Find(kTrailA, "a"), -1);
  EXPECT_EQ(Find(kTrailA + "a", "a"), 3);
  EXPECT_EQ(Find("\x81\x41", "a", 1, true), -1);  // a second byte is no letter
  EXPECT_EQ(Find(kTrailBackslash + "\\", "\\"), 3);
  // A start inside a character goes on from the next whole character.
  EXPECT_EQ(Find("中中", "中", 2), 3);
}

TEST(FindAndReplace, ReplaceAllIsCharacterAware) {
  EXPECT_EQ(ReplaceAll("a-b-c", "-", "+"), "a+b+c");
  EXPECT_EQ(ReplaceAll("aXbx", "x", "", true), "ab");
  EXPECT_EQ(ReplaceAll("abc", "", "z"), "abc");
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceAll(kTrap, "　", ""), kTrap);
  EXPECT_EQ(ReplaceAll("中文中文", "文", "国"), "中国中国");
}

TEST(Blanks, TrimAndRemoveKnowBothSpaces) {
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("　 中 文　 "), "中 文");
  EXPECT_EQ(TrimBlanks("\ta\r\n"), "\ta\r\n");  // only blanks are trimmed
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks(""), "");
  EXPECT_EQ(TrimBlanks(kTrap), kTrap);
  EXPECT_EQ(RemoveBlanks(" a　b c "), "abc");
  EXPECT_EQ(RemoveBlanks(kTrap), kTrap);
  EXPECT_EQ(RemoveBlanks("\ta\n"), "\ta\n");
}

TEST(Split, PiecesAndTheLastEmptyPiece) {
  EXPECT_EQ(Split("a;b;;c", ";"), V({"a", "b", "", "c"}));
  EXPECT_EQ(Split("a;b;", ";"), V({"a", "b"}));
  EXPECT_EQ(Split("a;;", ";"), V({"a", ""}));
  EXPECT_EQ(Split(";", ";"), V({""}));
  EXPECT_EQ(Split("", ";"), V({}));
  EXPECT_EQ(Split("abc", ";"), V({"abc"}));
  EXPECT_EQ(Split("a; b; c", "; "), V({"a", "b", "c"}));
  EXPECT_EQ(Split("中文,英文", ","), V({"中文", "英文"}));
  // 0x5C as the second byte of a character is no separator.
  EXPECT_EQ(Split(kTrailBackslash + "\\x", "\\"), V({kTrailBackslash.c_str(), "x"}));
}

TEST(HeaderText, TextBetweenAndValueAfterColon) {
  EXPECT_EQ(TextBetween("a[b]c", "[", "]"), "b");
  EXPECT_EQ(TextBetween("a[b c", "[", "]"), "");
  EXPECT_EQ(TextBetween("a b]c", "[", "]"), "");
  EXPECT_EQ(TextBetween("a[]c", "[", "]"), "");
  EXPECT_EQ(TextBetween("[1][2]", "[", "]", 2), "2");
  EXPECT_EQ(TextBetween("name=\"歌曲\";", "name=#引号", "#引号"), "歌曲");
  const std::string headers = "HTTP/1.1 302 Found\r\nLocation: http://files.lan/a.mp3\r\nServer: nginx\r\n";
  EXPECT_EQ(TextBetween(headers, "Location: ", "\r\nServer: nginx"), "http://files.lan/a.mp3");
  EXPECT_EQ(TextBetween(headers, "location: ", "\r\n", 1, true), "http://files.lan/a.mp3");
  EXPECT_EQ(TextBetween(headers, "location: ", "\r\n"), "");
  EXPECT_EQ(ValueAfterColon("Content-Type:  text/html; charset=gbk "), "text/html; charset=gbk");
  EXPECT_EQ(ValueAfterColon("Host: a:8080"), "a:8080");
  EXPECT_EQ(ValueAfterColon("no colon"), "");
}

TEST(Addresses, HostPortAndPath) {
  EXPECT_EQ(UrlHost("HTTPS://Host.Lan:8443/x"), "host.lan");
  EXPECT_EQ(UrlHost("HTTPS://Host.Lan:8443/x", false, true), "host.lan:8443");
  EXPECT_EQ(UrlHost("h1.h2.h3"), "h1.h2.h3");
  EXPECT_EQ(UrlHost("http://www.kugou.com/song?id=1"), "www.kugou.com");
  EXPECT_EQ(UrlHost("http://www.kugou.com/song", true), "kugou.com");
  EXPECT_EQ(UrlHost("http://localhost:81/", true, true), "localhost:81");
  EXPECT_EQ(UrlHost(""), "");

  EXPECT_EQ(UrlPort("https://a/"), 443);
  EXPECT_EQ(UrlPort("http://a/"), 80);
  EXPECT_EQ(UrlPort("http://a:81/"), 81);
  EXPECT_EQ(UrlPort("HTTPS://a:8443"), 8443);
  EXPECT_EQ(UrlPort("http://a:x/"), 0);
  EXPECT_EQ(UrlPort("http://a:99999999999999999999/"), 0);  // no overflow

  // A port the platform would cut to 16 bits (65616 -> 80) is no usable port.
  EXPECT_TRUE(HasUsablePort("http://a/x"));
  EXPECT_TRUE(HasUsablePort("https://a:65535/x"));
  EXPECT_TRUE(HasUsablePort("http://user:pw@[::1]/x"));
  EXPECT_TRUE(HasUsablePort("http://a:/x"));  // empty: the scheme's own
  EXPECT_FALSE(HasUsablePort("http://a:65616/x"));
  EXPECT_FALSE(HasUsablePort("http://a:0/x"));
  EXPECT_FALSE(HasUsablePort("http://a:99999999999999999999/"));
  EXPECT_FALSE(HasUsablePort("http://a:8x/"));

  EXPECT_EQ(UrlPathAndQuery("http://a/b?c=1"), "/b?c=1");
  EXPECT_EQ(UrlPathAndQuery("http://a"), "/");
  EXPECT_EQ(UrlPathAndQuery("https://Host.Lan:8443/x/y?q=中"), "/x/y?q=中");
  EXPECT_EQ(UrlPathAndQuery("a.com/x"), "/x");
}

// A host name that also occurs inside the scheme ("s" in "https", "tp" in "http") must not
// be taken from there: the path would start at the scheme's slashes.
TEST(Addresses, PathWhenTheHostNameOccursInTheScheme) {
  EXPECT_EQ(UrlPathAndQuery("https://s/x?y=1"), "/x?y=1");
  EXPECT_EQ(UrlPathAndQuery("http://tp/a"), "/a");
  EXPECT_EQ(UrlPathAndQuery("http://h:8080/p"), "/p");
}

TEST(Cookies, MergeKeepsTheNewerValueAndDropsDeletedOnes) {
  std::string oldCookies = "a=1; b=2";
  std::string newCookies = "b=3; c=deleted";
  EXPECT_EQ(MergeCookies(oldCookies, newCookies), "b=3; a=1");
  EXPECT_EQ(oldCookies, "b=3; a=1");
  EXPECT_EQ(newCookies, "b=3;c=deleted");  // blanks removed in the caller's variable too

  std::string empty, fresh = "x=1; x=1; y=2";
  EXPECT_EQ(MergeCookies(empty, fresh), "x=1; y=2");
  std::string only = "k=v", none;
  EXPECT_EQ(MergeCookies(only, none), "k=v");
  std::string allGone = "a=deleted", nothing;
  EXPECT_EQ(MergeCookies(allGone, nothing), "");
  EXPECT_EQ(allGone, "");

  EXPECT_EQ(CookieName(" sid =abc=def"), "sid");
  EXPECT_EQ(CookieName("flag"), "flag");
  EXPECT_EQ(UniqueJoin("a; b; a; c; b", "; "), "a; b; c");
  EXPECT_EQ(UniqueJoin("", "; "), "");
}

TEST(UrlEncoding, Utf8OrGbkBytesAndUnreservedCharacters) {
  EXPECT_EQ(UrlEncode("中", false, true), "%E4%B8%AD");
  EXPECT_EQ(UrlEncode("中", false, false), "%D6%D0");
  EXPECT_EQ(UrlEncode("a-b_c", true, true), "a-b%5Fc");
  EXPECT_EQ(UrlEncode("A.z 9/~", true, false), "A.z%209%2F%7E");
  EXPECT_EQ(UrlEncode("a\n", false, false), "%61%0A");
  EXPECT_EQ(UrlEncode("", true, true), "");
  EXPECT_EQ(UrlEncode("周杰伦", true, true), "%E5%91%A8%E6%9D%B0%E4%BC%A6");
}

TEST(NonAsciiFilter, KeepsEveryCharacterOutsidePrintableAscii) {
  EXPECT_EQ(KeepNonAscii("Hello 你好!"), "你好");
  EXPECT_EQ(KeepNonAscii("a\tb\n你"), "\t\n你");
  EXPECT_EQ(KeepNonAscii("a\tb\n你", true), "你");
  EXPECT_EQ(KeepNonAscii("plain"), "");
  // The filter walks characters itself; it must keep exactly what the pattern keeps.
  for (const std::string text : {"Hello 你好!", "a\tb\r\n你\x7f\x01", "全角\xA1\xA1空格 x", "\x80 欧元",
                                 "歌\x5C名|歌\x7C", "Only ASCII", "第1首 Song 1 歌"}) {
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.Create("[^\\x20-\\x7f]", text));
    std::string byPattern;
    for (int i = 1; i <= matcher.Count(); ++i) byPattern += matcher.MatchText(i);
    EXPECT_EQ(KeepNonAscii(text), byPattern) << text;
  }
  EXPECT_EQ(KeepNonAscii(""), "");
}
