// Case-insensitive comparison of file names, as the platform's file system does it: every
// character is folded to one case before comparing. Simple one-to-one folding covers ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic, which is what GBK names can hold besides
// CJK characters (which have no case).
#pragma once

#include <string>
#include <string_view>

namespace quill::kernel {

// The lower-case partner of a character, or the character itself when it has none.
char32_t FoldCase(char32_t c);

// The name with every character folded, as UTF-32.
std::u32string FoldName(std::string_view utf8);

bool NamesEqualIgnoringCase(std::string_view utf8a, std::string_view utf8b);

}  // namespace quill::kernel
