// The character-set declaration of a page and the conversion of its bytes to code page 936,
// through each converter the platform offers.
#include <gtest/gtest.h>

#include "net/charset_convert.h"

namespace tunelark {
namespace {

// "歌曲" in code page 936.
const std::string kGbkSong = "\xB8\xE8\xC7\xFA";

TEST(CharsetConvertTest, DeclaredCharsetReadsTheMetaTag) {
  EXPECT_EQ(DeclaredCharset("<html><head><meta charset=\"utf-8\"></head>"), "utf-8");
  EXPECT_EQ(DeclaredCharset("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset=Big5\">"), "Big5");
  EXPECT_EQ(DeclaredCharset("<meta charset=gb2312><meta charset=utf-8>"), "gb2312");  // the first one
  EXPECT_EQ(DeclaredCharset("<p>charset=utf-8</p>"), "");
  EXPECT_EQ(DeclaredCharset(""), "");
}

TEST(CharsetConvertTest, ConvertsKnownCharsetsAndLeavesUnknownOnesAlone) {
  std::string text = "untouched";
  EXPECT_TRUE(ConvertToGbk(ToBytes("a\xE6\xAD\x8C\xE6\x9B\xB2z"), "utf-8", text));
  EXPECT_EQ(text, "a" + kGbkSong + "z");
  EXPECT_TRUE(ConvertToGbk(ToBytes("\xEF\xBB\xBF\xE6\xAD\x8C\xE6\x9B\xB2"), "UTF-8", text));  // byte-order mark
  EXPECT_EQ(text, kGbkSong);
  EXPECT_TRUE(ConvertToGbk(ToBytes("\xBA\x71\xA6\xB1"), "big5", text));  // 歌曲 in Big5
  EXPECT_EQ(text, kGbkSong);
  EXPECT_TRUE(ConvertToGbk(ToBytes(std::string("ab\0cd", 5)), "utf-8", text));  // text ends at a zero
  EXPECT_EQ(text, "ab");
  EXPECT_TRUE(ConvertToGbk({}, "utf-8", text));
  EXPECT_EQ(text, "");

  text = "untouched";
  EXPECT_FALSE(ConvertToGbk(ToBytes("abc"), "x-no-such-charset", text));
  EXPECT_FALSE(ConvertToGbk(ToBytes("abc"), "", text));
  EXPECT_EQ(text, "untouched");
}

TEST(CharsetConvertTest, EachConverterGivesTheSameTextOrStandsAside) {
  const ByteArray utf8 = ToBytes("x\xE6\xAD\x8C\xE6\x9B\xB2");
  std::string viaMLang = "none";
  ASSERT_TRUE(ConvertWithMLang(utf8, "utf-8", viaMLang));
  EXPECT_EQ(viaMLang, "x" + kGbkSong);
  // The stream is missing or cannot be driven (Wine) or converts the same way (Windows).
  std::string viaStream = "none";
  if (ConvertWithAdodbStream(utf8, "utf-8", viaStream)) {
    EXPECT_EQ(viaStream, "x" + kGbkSong);
  } else {
    EXPECT_EQ(viaStream, "none");
  }
}

}  // namespace
}  // namespace tunelark
