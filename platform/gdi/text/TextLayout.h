// Turns a line of Unicode text into positioned glyphs: ampersand prefixes, explicit line breaks,
// word wrapping (at spaces and between CJK characters), tab stops and the end ellipsis.
#pragma once

#include <string_view>
#include <vector>

#include "gdi/text/DefaultFont.h"

namespace quill::text {

struct LaidChar {
  char32_t ch = 0;
  const Glyph* glyph = nullptr;
  int x = 0;        // pen position from the start of the line
  int advance = 0;  // differs from the glyph's own for expanded tabs
  bool underline = false;
};

struct TextLine {
  std::vector<LaidChar> chars;
  int width = 0;
};

struct LayoutRules {
  bool singleLine = true;        // line breaks are ordinary (invisible) characters
  bool wordBreak = false;        // wrap lines longer than wrapWidth
  bool prefixes = false;         // "&x" underlines x, "&&" is one ampersand
  bool showUnderlines = true;    // false hides the prefix underline but still drops the "&"
  bool expandTabs = false;       // tabs move to the next stop of eight average characters
  bool endEllipsis = false;      // lines wider than wrapWidth end in "..."
  int wrapWidth = 0;
};

std::vector<TextLine> LayOutText(DefaultFont& font, std::u32string_view text,
                                 const LayoutRules& rules);

}  // namespace quill::text
