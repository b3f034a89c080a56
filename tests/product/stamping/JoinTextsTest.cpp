#include "stamping/JoinTexts.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/SharedHeap.h"

namespace {

TEST(JoinTexts, AllocatesExactlyTheSumOfTheLengthsPlusOne) {
  struct Case {
    std::initializer_list<const char*> texts;
    std::string joined;
  } cases[] = {
      {{"C:\\Users\\Administrator\\Desktop\\", "", ".jpg"}, "C:\\Users\\Administrator\\Desktop\\.jpg"},  // 31 + 0 + 4
      {{"C:\\Users\\Administrator\\Desktop\\", "\xD0\xDE\xB8\xC4\xB5\xC4GPS", ".jpg"},
       "C:\\Users\\Administrator\\Desktop\\\xD0\xDE\xB8\xC4\xB5\xC4GPS.jpg"},
      {{nullptr, "ab", nullptr}, "ab"},  // missing texts count as empty
      {{nullptr}, ""},
      {{"only"}, "only"},
  };
  for (const Case& c : cases) {
    char* joined = JoinTexts(c.texts);
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(std::string(joined), c.joined);
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, joined), c.joined.size() + 1);
    FreeBlock(joined);
  }
  // The save's own texts: 31, 0 and 4 bytes give a 36-byte block holding 35 characters.
  const char* texts[] = {"C:\\Users\\Administrator\\Desktop\\", "", ".jpg"};
  char* path = JoinTexts(3, texts);
  EXPECT_EQ(std::strlen(path), 35u);
  EXPECT_EQ(HeapSize(GetProcessHeap(), 0, path), 36u);
  FreeBlock(path);
}

}  // namespace
