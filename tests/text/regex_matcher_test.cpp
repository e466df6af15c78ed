// Regular expressions through the platform's VBScript.RegExp component: options, matches,
// sub-matches, byte positions in code page 936 subjects, replace, and the empty results of
// bad patterns and out-of-range indexes.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <string>
#include <thread>

#include "text/regex_matcher.h"

using tunelark::RegexMatcher;

TEST(RegexMatches, NonAsciiCharactersWithTheirBytePositions) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("[^\\x20-\\x7f]", "Hello 你好!"));
  EXPECT_EQ(m.Count(), 2);
  int position = 0;
  EXPECT_EQ(m.MatchText(1, &position), "你");
  EXPECT_EQ(position, 6);
  EXPECT_EQ(m.MatchText(2, &position), "好");
  EXPECT_EQ(position, 8);
  EXPECT_EQ(m.MatchText(2), "好");
  EXPECT_EQ(m.Pattern(), "[^\\x20-\\x7f]");
}

// The component counts characters, the subject is bytes: a repeated text must be placed at
// its own occurrence, not at the first one found from the character index.
TEST(RegexMatches, PositionsOfRepeatedTextAfterDoubleByteCharacters) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("中", "中中中x中"));
  ASSERT_EQ(m.Count(), 4);
  const int expected[] = {0, 2, 4, 7};
  for (int i = 1; i <= 4; ++i) {
    int position = -5;
    EXPECT_EQ(m.MatchText(i, &position), "中");
    EXPECT_EQ(position, expected[i - 1]) << "match " << i;
  }
  ASSERT_TRUE(m.Create("ab", "甲ab乙AB丙ab"));  // case ignored by default
  ASSERT_EQ(m.Count(), 3);
  int p1 = 0, p2 = 0, p3 = 0;
  EXPECT_EQ(m.MatchText(1, &p1), "ab");
  EXPECT_EQ(m.MatchText(2, &p2), "AB");
  EXPECT_EQ(m.MatchText(3, &p3), "ab");
  EXPECT_EQ(p1, 2);
  EXPECT_EQ(p2, 6);
  EXPECT_EQ(p3, 10);
}

TEST(RegexMatches, CharsetSubMatchFromAPageHead) {
  const std::string head =
      "<html><head><title>歌曲</title><META http-equiv=\"Content-Type\" "
      "content=\"text/html; charset=utf-8\"></head>";
  RegexMatcher m;
  ASSERT_TRUE(m.Create("<meta.+?charset=[^\\w]?([-\\w]+)", head));
  EXPECT_EQ(m.Count(), 1);
  EXPECT_EQ(m.SubMatchCount(), 1);
  int position = 0;
  EXPECT_EQ(m.SubMatchText(1, 1, &position), "utf-8");
  EXPECT_EQ(position, static_cast<int>(head.find("utf-8")));
  int matchPosition = 0;
  EXPECT_EQ(m.MatchText(1, &matchPosition).substr(0, 5), "<META");
  EXPECT_EQ(matchPosition, static_cast<int>(head.find("<META")));

  // Case-sensitive, the lower-case pattern no longer finds <META.
  ASSERT_TRUE(m.Create("<meta.+?charset=[^\\w]?([-\\w]+)", head, true));
  EXPECT_EQ(m.Count(), 0);
  EXPECT_EQ(m.SubMatchCount(), 0);
}

TEST(RegexMatches, SubMatchesAndQuoteMarker) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("(\\w+)=(\\d+)?", "a=1; 名=; b=22"));
  EXPECT_EQ(m.SubMatchCount(), 2);
  ASSERT_EQ(m.Count(), 2);
  int position = 0;
  EXPECT_EQ(m.SubMatchText(2, 1, &position), "b");
  EXPECT_EQ(position, 10);
  EXPECT_EQ(m.SubMatchText(2, 2, &position), "22");
  EXPECT_EQ(position, 12);
  EXPECT_EQ(m.SubMatchText(1, 2), "1");

  ASSERT_TRUE(m.Create("url=#引号([^\"]+)#引号", "x url=\"http://a/b\" y", false, true, true, true));
  EXPECT_EQ(m.SubMatchText(1, 1), "http://a/b");
  // Without quoteEscape the marker is literal text.
  ASSERT_TRUE(m.Create("#引号", "#引号 \"", false, true, true, false));
  EXPECT_EQ(m.Count(), 1);
  EXPECT_EQ(m.MatchText(1), "#引号");
}

TEST(RegexOptions, GlobalMultilineAndCase) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("^b", "a\nb\nb"));
  EXPECT_EQ(m.Count(), 2);
  ASSERT_TRUE(m.Create("^b", "a\nb\nb", false, false));
  EXPECT_EQ(m.Count(), 0);
  ASSERT_TRUE(m.Create("x", "x x x", false, true, false));
  EXPECT_EQ(m.Count(), 1);
  ASSERT_TRUE(m.Create("A", "a A", true));
  EXPECT_EQ(m.Count(), 1);
  ASSERT_TRUE(m.Create("A", "a A"));
  EXPECT_EQ(m.Count(), 2);
}

TEST(RegexReplace, OverTheSubject) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("\\s", "a b c"));
  EXPECT_EQ(m.Replace(""), "abc");
  ASSERT_TRUE(m.Create("(\\w+)@(\\w+)", "歌手 x@y"));
  EXPECT_EQ(m.Replace("$2@$1"), "歌手 y@x");
  ASSERT_TRUE(m.Create("z", "中文"));
  EXPECT_EQ(m.Replace("q"), "中文");
}

TEST(RegexFailures, BadPatternAndIndexesGiveEmptyResults) {
  RegexMatcher fresh;
  EXPECT_EQ(fresh.Count(), 0);
  EXPECT_EQ(fresh.Pattern(), "");
  EXPECT_EQ(fresh.Replace("x"), "");
  EXPECT_EQ(fresh.MatchText(1), "");

  RegexMatcher m;
  EXPECT_FALSE(m.Create("(", "abc"));
  EXPECT_EQ(m.Count(), 0);
  EXPECT_EQ(m.MatchText(1), "");
  EXPECT_EQ(m.SubMatchText(1, 1), "");
  EXPECT_EQ(m.SubMatchCount(), 0);

  ASSERT_TRUE(m.Create("(b)", "abc"));
  int position = 7;
  EXPECT_EQ(m.MatchText(0, &position), "");
  EXPECT_EQ(position, -1);
  EXPECT_EQ(m.MatchText(2, &position), "");
  EXPECT_EQ(m.MatchText(-3), "");
  EXPECT_EQ(m.SubMatchText(1, 0), "");
  EXPECT_EQ(m.SubMatchText(1, 2), "");
  EXPECT_EQ(m.SubMatchText(9, 1), "");
  EXPECT_EQ(m.MatchText(1), "b");

  // An empty match collection is still a success.
  ASSERT_TRUE(m.Create("q", "abc"));
  EXPECT_EQ(m.Count(), 0);
}

TEST(RegexLifetime, CreateAgainCloneMoveAndThreads) {
  RegexMatcher m;
  ASSERT_TRUE(m.Create("a", "aaa"));
  RegexMatcher clone = m.Clone();
  EXPECT_EQ(clone.Count(), 3);
  ASSERT_TRUE(m.Create("b", "b"));
  EXPECT_EQ(m.Count(), 1);
  EXPECT_EQ(clone.Count(), 3);  // the clone keeps the objects it shares
  EXPECT_EQ(clone.Pattern(), "a");

  RegexMatcher moved = std::move(m);
  EXPECT_EQ(moved.MatchText(1), "b");
  moved = std::move(clone);
  EXPECT_EQ(moved.Count(), 3);

  // Matchers on another thread start and end COM there.
  int counts[2] = {0, 0};
  std::thread worker([&] {
    for (int i = 0; i < 2; ++i) {
      RegexMatcher local;
      local.Create("\\d", i ? "1 2 3" : "9");
      counts[i] = local.Count();
    }
  });
  worker.join();
  EXPECT_EQ(counts[0], 1);
  EXPECT_EQ(counts[1], 3);

  // Many short-lived matchers keep COM balanced on this thread.
  for (int i = 0; i < 200; ++i) {
    RegexMatcher local;
    ASSERT_TRUE(local.Create("x", "x"));
  }
  EXPECT_EQ(moved.Count(), 3);
}

// A thread already in the multithreaded apartment: the matcher's own COM start fails there,
// so it must not end COM on destruction; the thread's apartment stays up.
TEST(RegexLifetime, LeavesAForeignApartmentAlone) {
  HRESULT again = E_FAIL;
  int count = -1;
  std::thread worker([&] {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return;
    {
      RegexMatcher m;
      if (m.Create("o", "foo")) count = m.Count();
    }
    again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_FALSE: still initialised
    if (SUCCEEDED(again)) CoUninitialize();
    CoUninitialize();
  });
  worker.join();
  EXPECT_EQ(count, 2);
  EXPECT_EQ(again, S_FALSE);
}
