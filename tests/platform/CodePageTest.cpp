#include "kernel/CodePage.h"

#include <gtest/gtest.h>

namespace {

using namespace quill::cp936;

TEST(CodePage, RoundTripsBetweenGbkAndUnicode) {
  struct Case {
    std::string gbk;
    std::u32string unicode;
  } cases[] = {
      {"", U""},
      {"35.123456", U"35.123456"},
      {"\xCE\xE2", U"\u5434"},                          // 吴
      {"\xD0\xDE\xB8\xC4\xB5\xC4GPS", U"\u4FEE\u6539\u7684GPS"},  // 修改的GPS
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUnicode(c.gbk), c.unicode) << c.gbk;
    EXPECT_EQ(FromUnicode(c.unicode), c.gbk) << c.gbk;
  }
}

TEST(CodePage, InvalidSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(ToUnicode("a\xCE"), U"a\uFFFD");        // lead byte cut off at the end
  EXPECT_EQ(ToUnicode("\xCE\x20" "b"), U"\uFFFD b");  // lead byte followed by a space
  EXPECT_EQ(FromUnicode(U"\U0001F600x"), "?x");     // not in the code page
  EXPECT_EQ(Utf8ToUtf32("\xE5\x90"), U"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf32("\xC0\xAF"), U"\uFFFD\uFFFD");  // overlong
}

TEST(CodePage, Utf8RoundTrip) {
  std::string utf8 = "\xE7\xBB\x8F\xE5\xBA\xA6 \xF0\x9F\x98\x80";
  EXPECT_EQ(Utf32ToUtf8(Utf8ToUtf32(utf8)), utf8);
  EXPECT_EQ(ToUtf8("\xBE\xAD\xB6\xC8"), "\xE7\xBB\x8F\xE5\xBA\xA6");  // 经度
}

TEST(CodePage, CharLengthNeverSplitsAPair) {
  std::string t = "a\xCE\xE2z\xCE";
  EXPECT_EQ(CharLength(t, 0), 1u);
  EXPECT_EQ(CharLength(t, 1), 2u);
  EXPECT_EQ(CharLength(t, 3), 1u);
  EXPECT_EQ(CharLength(t, 4), 1u);  // a lone lead byte at the end counts alone
}

}  // namespace
