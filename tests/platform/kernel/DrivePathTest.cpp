#include "kernel/DrivePath.h"

#include <gtest/gtest.h>

#include <string>

#include "kernel/CaseFold.h"

namespace {

using quill::kernel::MapPath;
using quill::kernel::MappedPath;

struct Case {
  std::string name;     // GBK
  std::string mapped;   // host path below "/r", or "" when an error is expected
  DWORD error = ERROR_SUCCESS;
  bool directory = false;
};

void Check(const Case& c) {
  MappedPath m = MapPath("/r", c.name);
  EXPECT_EQ(m.error, static_cast<DWORD>(c.error)) << c.name;
  if (c.error == ERROR_SUCCESS) {
    EXPECT_EQ(m.hostPath, c.mapped) << c.name;
    EXPECT_EQ(m.namesDirectory, c.directory) << c.name;
  } else {
    EXPECT_TRUE(m.components.empty()) << c.name;
  }
}

TEST(DrivePath, SeparatorsDotsAndTheCurrentDirectory) {
  const Case cases[] = {
      {"C:\\Users\\Administrator\\Desktop\\a.jpg", "/r/Users/Administrator/Desktop/a.jpg"},
      {"c:/Users/x", "/r/Users/x"},
      {"C:\\a/b\\\\c//d", "/r/a/b/c/d"},
      {"C:\\..\\..\\x", "/r/x"},             // ".." stays at the root
      {"C:\\a\\..\\..\\..\\b\\x", "/r/b/x"},
      {"C:\\a\\.\\b\\..\\c", "/r/a/c"},
      {"C:\\a<b\\..\\x", "/r/x"},             // a part dropped by ".." is never checked
      {"x.jpg", "/r/x.jpg"},                  // relative: the current directory is C:\ .
      {"..\\x.jpg", "/r/x.jpg"},
      {"\\x", "/r/x"},                        // root of the current drive
      {".jpg", "/r/.jpg"},                    // the save with an empty base name
      {"C:\\Desktop\\name.jpg.jpg", "/r/Desktop/name.jpg.jpg"},
      {"C:\\", "/r", ERROR_SUCCESS, true},
      {"C:\\dir\\", "/r/dir", ERROR_SUCCESS, true},
      {"C:\\dir\\sub\\..", "/r/dir", ERROR_SUCCESS, true},
      {"C:\\dir\\...", "/r/dir", ERROR_SUCCESS, true},  // trims away to nothing
  };
  for (const Case& c : cases) Check(c);
}

TEST(DrivePath, TrailingDotsAndSpaces) {
  const Case cases[] = {
      {"C:\\a.jpg. . ", "/r/a.jpg"},   // the last part loses every trailing dot and space
      {"C:\\a.\\b", "/r/a/b"},         // others lose one single trailing dot
      {"C:\\a..\\b", "/r/a../b"},
      {"C:\\a \\b", "/r/a /b"},
      {"C:\\ lead", "/r/ lead"},
  };
  for (const Case& c : cases) Check(c);
}

TEST(DrivePath, GbkNamesBecomeUtf8HostNames) {
  const Case cases[] = {
      {"C:\\\xD0\xDE\xB8\xC4\xB5\xC4GPS.jpg", "/r/\xE4\xBF\xAE\xE6\x94\xB9\xE7\x9A\x84GPS.jpg"},  // 修改的GPS
      // 乗 is 0x81 0x5C: its second byte is a backslash, yet it is one character, not a separator.
      {"C:\\\x81\x5C.jpg", "/r/\xE4\xB9\x97.jpg"},
      {"C:\\a\x81", "", ERROR_INVALID_NAME},  // a lead byte without its partner
  };
  for (const Case& c : cases) Check(c);
}

TEST(DrivePath, NamesThePlatformRefuses) {
  const Case cases[] = {
      {"", "", ERROR_PATH_NOT_FOUND},
      {"D:\\x.jpg", "", ERROR_PATH_NOT_FOUND},
      {"z:/x.jpg", "", ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\x.jpg", "", ERROR_PATH_NOT_FOUND},
      {"//server/share/x.jpg", "", ERROR_PATH_NOT_FOUND},
      {"\\\\?\\C:\\x.jpg", "", ERROR_INVALID_NAME},
      {"\\\\.\\COM1", "", ERROR_INVALID_NAME},
      {"C:x.jpg", "", ERROR_INVALID_NAME},
      {"C:", "", ERROR_INVALID_NAME},
      {"C:\\a<b", "", ERROR_INVALID_NAME},
      {"C:\\a>b", "", ERROR_INVALID_NAME},
      {"C:\\a:b", "", ERROR_INVALID_NAME},
      {"C:\\a\"b", "", ERROR_INVALID_NAME},
      {"C:\\a|b", "", ERROR_INVALID_NAME},
      {"C:\\a?b", "", ERROR_INVALID_NAME},
      {"C:\\*.jpg", "", ERROR_INVALID_NAME},
      {"C:\\a\x01" "b", "", ERROR_INVALID_NAME},
      {"C:\\a\x1F", "", ERROR_INVALID_NAME},
      {"C:\\d<ir\\x", "", ERROR_INVALID_NAME},
      {"1:x", "", ERROR_INVALID_NAME},
  };
  for (const Case& c : cases) Check(c);
}

TEST(DrivePath, ReservedDeviceNames) {
  const Case cases[] = {
      {"C:\\CON", "", ERROR_INVALID_NAME},
      {"C:\\con.jpg", "", ERROR_INVALID_NAME},
      {"C:\\Desktop\\Nul ", "", ERROR_INVALID_NAME},
      {"C:\\aux .tar.gz", "", ERROR_INVALID_NAME},
      {"C:\\PRN\\x", "", ERROR_INVALID_NAME},
      {"C:\\com1.jpg", "", ERROR_INVALID_NAME},
      {"C:\\LPT9", "", ERROR_INVALID_NAME},
      {"C:\\COM10", "/r/COM10"},
      {"C:\\CONSOLE.jpg", "/r/CONSOLE.jpg"},
      {"C:\\xnul", "/r/xnul"},
      {"C:\\LPT", "/r/LPT"},
  };
  for (const Case& c : cases) Check(c);
}

TEST(DrivePath, Lengths) {
  const std::string part200(200, 'a');
  const std::string part55(55, 'b');
  const std::string chinese100 = [] {
    std::string s;
    for (int i = 0; i < 100; ++i) s += "\xCE\xE2";  // 吴: 2 GBK bytes, 3 UTF-8 bytes
    return s;
  }();
  const Case cases[] = {
      {"C:\\" + part200 + "\\" + part55, "/r/" + part200 + "/" + part55},  // 259 characters
      {"C:\\" + part200 + "\\" + part55 + "b", "", ERROR_FILENAME_EXCED_RANGE},
      {"C:\\" + std::string(256, 'c'), "", ERROR_FILENAME_EXCED_RANGE},
      {"C:\\" + chinese100, "", ERROR_FILENAME_EXCED_RANGE},  // 300 bytes on the host
      {"x\\..\\" + std::string(258, 'y'), "", ERROR_FILENAME_EXCED_RANGE},  // as given, too long
      {part200 + "\\" + part55, "/r/" + part200 + "/" + part55},  // relative, 259 once on C:\ .
      {part200 + "\\" + part55 + "b", "", ERROR_FILENAME_EXCED_RANGE},  // 260 once on C:\ .
  };
  for (const Case& c : cases) Check(c);
}

TEST(CaseFold, FoldsLatinGreekCyrillicAndLeavesCjk) {
  using quill::kernel::NamesEqualIgnoringCase;
  struct Pair {
    const char* a;
    const char* b;
    bool equal;
  } pairs[] = {
      {"Photo.JPG", "photo.jpg", true},
      {"\xC3\x84rger", "\xC3\xA4RGER", true},                                // Ärger
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xC5\x82\xC3\x93" "D\xC5\xB9", true},  // Łódź
      {"\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x99\xCE\x91", "\xCF\x83\xCE\xBF\xCF\x86\xCE\xB9\xCE\xB1", true},  // ΣΟΦΙΑ
      {"\xD0\x94\xD0\xBE\xD0\xBA", "\xD0\xB4\xD0\x9E\xD0\x9A", true},      // Док
      {"\xD0\x81", "\xD1\x91", true},                                       // Ё
      {"\xE4\xBF\xAE\xE6\x94\xB9", "\xE4\xBF\xAE\xE6\x94\xB9", true},      // 修改
      {"\xE4\xBF\xAE", "\xE6\x94\xB9", false},
      {"a", "b", false},
      {"ss", "\xC3\x9F", false},  // only one-to-one folding
  };
  for (const Pair& p : pairs) EXPECT_EQ(NamesEqualIgnoringCase(p.a, p.b), p.equal) << p.a << " / " << p.b;
}

}  // namespace
