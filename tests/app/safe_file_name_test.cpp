// File names made from server-given titles: valid on Windows, inside the download folder,
// Chinese kept. Each name is also created on the real file system to prove it.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/safe_file_name.h"
#include "tests/support/test_paths.h"

using tunelark::SafeSongFileName;

namespace {

TEST(SafeSongFileName, HostileTitlesBecomeHarmlessNamesThatLandInsideTheFolder) {
  struct Case {
    const char* title;
    const char* name;
  } cases[] = {
      {"周杰伦-晴天", "周杰伦-晴天"},
      {"../../x", "_.._x"},
      {"..\\..\\x", "_.._x"},
      {"a/b?c", "a_b_c"},
      {"NUL", "_NUL"},
      {"nul", "_nul"},
      {"CON.txt", "_CON.txt"},
      {"com7", "_com7"},
      {"LPT1 .mp3", "_LPT1 .mp3"},
      {"NUL-", "NUL-"},
      {"....", "未命名"},
      {" . ", "未命名"},
      {"", "未命名"},
      {"a<b>c:d\"e|f*g", "a_b_c_d_e_f_g"},
      {"tab\there\r\n", "tab_here__"},
      {"  歌名. ", "歌名"},
  };
  tltest::ScratchFolder folder("names");
  for (const Case& c : cases) {
    std::string name = SafeSongFileName(c.title);
    EXPECT_EQ(name, c.name) << c.title;
    std::string path = folder.path() + "\\" + name + ".mp3";
    ASSERT_TRUE(tltest::WriteFileBytes(path, c.title)) << name;
    EXPECT_EQ(tltest::ReadFileBytes(path), c.title) << name;
  }
  // Three titles share "未命名", two "_.._x", and "_NUL"/"_nul" are one name to Windows.
  EXPECT_EQ(tltest::ListFolder(folder.path()).size(), 12u);
}

TEST(SafeSongFileName, DoubleByteCharactersAreNeverSplitOrMistakenForSeparators) {
  // 0x5C ('\') and 0x7C ('|') occur as trail bytes of code page 936 characters.
  const std::string withTrailBackslash = "\x95\x5C\x96\x7C";  // two characters
  EXPECT_EQ(SafeSongFileName(withTrailBackslash), withTrailBackslash);

  std::string longTitle;
  for (int i = 0; i < 300; ++i) longTitle += "长";
  std::string name = SafeSongFileName("长-" + longTitle);
  EXPECT_LE(name.size(), tunelark::kMaxSongFileNameBytes);
  EXPECT_EQ(name.size() % 2, 1u) << "\"长-\" then whole characters";
  EXPECT_EQ(name.substr(name.size() - 2), "长");

  // A lead byte cut off at the end and stray bytes do not survive.
  EXPECT_EQ(SafeSongFileName("歌\x81"), "歌");
}

TEST(SafeSongFileName, ALeadByteTakesOnlyAValidTrailByte) {
  // 0x2F, 0x22, 0x06 and 0x2E are no trail bytes of code page 936: the lead byte before
  // each becomes "_" and the byte is judged on its own.
  EXPECT_EQ(SafeSongFileName("a\x81/b"), "a__b");
  EXPECT_EQ(SafeSongFileName("a\x81\"b"), "a__b");
  EXPECT_EQ(SafeSongFileName("a\x95\x06"
                             "b"),
            "a__b");
  // The dot is no trail byte either: it is trimmed as a dot, and no lone lead byte is left
  // to swallow the dot of ".mp3".
  EXPECT_EQ(SafeSongFileName("a\x81."), "a_");
  EXPECT_EQ(SafeSongFileName("\x81\x40\xFE\xFE"), "\x81\x40\xFE\xFE") << "the edges of the trail range";
}

TEST(SafeSongFileName, TheLengthBoundHoldsAfterTheReservedNamePrefix) {
  const std::string name = SafeSongFileName("CON." + std::string(146, 'a'));
  EXPECT_LE(name.size(), tunelark::kMaxSongFileNameBytes);
  EXPECT_EQ(name, "_CON." + std::string(145, 'a'));
  std::string chinese = "NUL.";
  for (int i = 0; i < 73; ++i) chinese += "长";  // 150 bytes: the prefix pushes a whole character out
  EXPECT_EQ(SafeSongFileName(chinese), std::string("_").append(chinese, 0, 148));
}

}  // namespace
