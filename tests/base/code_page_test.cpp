// The program's one set of code-page conversions: code page 936, UTF-8 and UTF-16, the
// whole-text forms that keep zero bytes, and the shorthands that end a text at its first zero.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/code_page.h"

using namespace tunelark;

TEST(CodePages, ConversionsBetweenGbkUtf8AndUtf16) {
  const ByteArray utf8 = {0xE4, 0xB8, 0xAD, 0xE6, 0x96, 0x87, 'a'};  // 中文a
  EXPECT_EQ(Utf8ToGbkText(utf8), "中文a");
  EXPECT_EQ(Utf8ToGbkText({}), "");
  EXPECT_EQ(Utf8ToGbkText({'a', 0, 'b'}), "a");  // the text ends at a zero byte
  EXPECT_EQ(GbkToUtf8("中文a"),
            "\xE4\xB8\xAD\xE6\x96\x87"
            "a");
  EXPECT_EQ(GbkToUtf8(""), "");
  EXPECT_EQ(Utf8ToGbkText(ToBytes(GbkToUtf8("周杰伦 - 晴天"))), "周杰伦 - 晴天");

  EXPECT_EQ(GbkToWide("中a"), std::wstring(L"\x4E2D"
                                           L"a"));
  EXPECT_EQ(GbkToWide(""), L"");
  EXPECT_EQ(WideToGbk(L"\x4E2D\x6587"), "中文");
  EXPECT_EQ(WideToGbk(L""), "");
  EXPECT_EQ(WideToGbk(L"a\x20AC"), "a\x80");  // the euro sign is byte 0x80 in code page 936
  // A character that code page 936 lacks becomes a question mark, nothing is lost after it.
  EXPECT_EQ(WideToGbk(L"a\x0E01z"), "a?z");
}

TEST(CodePages, WholeTextFormsKeepZeroBytesAndOtherCodePages) {
  using namespace std::string_literals;
  EXPECT_EQ(DecodeText("a\0中"s), L"a\0\x4E2D"s);
  EXPECT_EQ(EncodeText(L"a\0\x4E2D"s), "a\0中"s);
  EXPECT_EQ(Utf8ToGbk("{\"a\":1}\0x"s), "{\"a\":1}\0x"s) << "a zero byte stays for the JSON check to see";
  EXPECT_EQ(UpToZero("ab\0c"s), "ab");
  EXPECT_EQ(UpToZero(L"ab"s), L"ab");
  EXPECT_EQ(DecodeText(""), L"");
  EXPECT_EQ(EncodeText(L"\x4E2D", kUtf8CodePage), "\xE4\xB8\xAD");
  EXPECT_EQ(DecodeText("\xE4\xB8\xAD", kUtf8CodePage), L"\x4E2D");
  EXPECT_EQ(DecodeText("caf\xE9", 1252), L"caf\x00E9");
}
