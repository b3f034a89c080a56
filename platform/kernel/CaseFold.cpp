#include "kernel/CaseFold.h"

#include "kernel/CodePage.h"

namespace quill::kernel {

namespace {

// In these blocks upper and lower case alternate: the even code point is the capital.
bool InEvenCapitalRun(char32_t c) {
  return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177) ||
         (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) || (c >= 0x04D0 && c <= 0x052F) ||
         (c >= 0x03D8 && c <= 0x03EF);
}

// And in these the odd code point is the capital.
bool InOddCapitalRun(char32_t c) {
  return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) || (c >= 0x04C1 && c <= 0x04CE);
}

}  // namespace

char32_t FoldCase(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) return c + 0x20;  // Latin-1 capitals
  if (c == 0x00B5) return 0x03BC;                                    // micro sign folds to mu
  if (c == 0x0130) return 'i';                                       // capital I with dot
  if (c == 0x0178) return 0x00FF;                                    // capital Y with diaeresis
  if (c == 0x017F) return 's';                                       // long s
  if (InEvenCapitalRun(c)) return c | 1;
  if (InOddCapitalRun(c)) return (c & 1) ? c + 1 : c;
  // Greek.
  if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return c + 0x20;
  if (c == 0x0386) return 0x03AC;
  if (c >= 0x0388 && c <= 0x038A) return c + 0x25;
  if (c == 0x038C) return 0x03CC;
  if (c == 0x038E || c == 0x038F) return c + 0x3F;
  if (c == 0x03C2) return 0x03C3;  // final sigma compares as sigma
  // Cyrillic.
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c == 0x04C0) return 0x04CF;
  // Fullwidth Latin letters, which GBK also holds.
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  return c;
}

std::u32string FoldName(std::string_view utf8) {
  std::u32string text = cp936::Utf8ToUtf32(utf8);
  for (char32_t& c : text) c = FoldCase(c);
  return text;
}

bool NamesEqualIgnoringCase(std::string_view utf8a, std::string_view utf8b) {
  if (utf8a == utf8b) return true;
  return FoldName(utf8a) == FoldName(utf8b);
}

}  // namespace quill::kernel
