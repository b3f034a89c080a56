#include "gdi/text/TextLayout.h"

#include <algorithm>

namespace quill::text {
namespace {

struct Marked {
  char32_t ch;
  bool underline;
};

bool IsSpace(char32_t c) { return c == U' ' || c == U'\t'; }

// Ideographs, kana, hangul and full-width forms: a line may break before and after each one.
bool IsCjk(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
         (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// Closing punctuation stays with the character before it, so no line starts with it.
bool MayNotStartLine(char32_t c) {
  switch (c) {
    case U',': case U'.': case U';': case U':': case U'!': case U'?': case U')': case U']':
    case U'}': case 0x2019: case 0x201D: case 0x3001: case 0x3002: case 0x3009: case 0x300B:
    case 0x300D: case 0x300F: case 0x3011: case 0xFF01: case 0xFF09: case 0xFF0C: case 0xFF0E:
    case 0xFF1A: case 0xFF1B: case 0xFF1F:
      return true;
    default:
      return false;
  }
}

std::vector<Marked> ApplyPrefixes(std::u32string_view text, const LayoutRules& rules) {
  std::vector<Marked> out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (!rules.prefixes || text[i] != U'&') {
      out.push_back({text[i], false});
    } else if (i + 1 < text.size()) {
      // "&&" shows one ampersand; "&x" shows x, underlined unless prefixes are hidden.
      const bool doubled = text[i + 1] == U'&';
      out.push_back({text[i + 1], !doubled && rules.showUnderlines});
      ++i;
    }
    // A lone ampersand at the very end shows nothing.
  }
  return out;
}

class LineBuilder {
 public:
  LineBuilder(DefaultFont& font, const LayoutRules& rules) : font_(font), rules_(rules) {}

  int AdvanceAt(char32_t ch, const Glyph& g, int x) const {
    if (ch == U'\t' && rules_.expandTabs) {
      const int stop = std::max(1, font_.Metrics().aveCharWidth * 8);
      return (x / stop + 1) * stop - x;
    }
    return g.advance;
  }

  int WidthAt(const Marked* begin, const Marked* end, int x) const {
    const int start = x;
    for (const Marked* m = begin; m != end; ++m) x += AdvanceAt(m->ch, font_.GlyphFor(m->ch), x);
    return x - start;
  }

  void Add(const Marked& m) {
    const Glyph& g = font_.GlyphFor(m.ch);
    const int advance = AdvanceAt(m.ch, g, line_.width);
    line_.chars.push_back({m.ch, &g, line_.width, advance, m.underline});
    line_.width += advance;
  }
  void Add(const Marked* begin, const Marked* end) {
    for (const Marked* m = begin; m != end; ++m) Add(*m);
  }

  int Width() const { return line_.width; }
  bool Empty() const { return line_.chars.empty(); }

  void Finish(std::vector<TextLine>& into) {
    into.push_back(std::move(line_));
    line_ = TextLine{};
  }

 private:
  DefaultFont& font_;
  const LayoutRules& rules_;
  TextLine line_;
};

struct Unit {
  size_t begin, end;
  bool space;
  bool cjk;
};

// Splits a paragraph into what wrapping may not cut: runs of spaces, Latin words, and single CJK
// characters (each with any closing punctuation that follows).
std::vector<Unit> Units(const std::vector<Marked>& p, size_t begin, size_t end) {
  std::vector<Unit> units;
  for (size_t i = begin; i < end; ++i) {
    const char32_t c = p[i].ch;
    Unit* last = units.empty() ? nullptr : &units.back();
    if (IsSpace(c)) {
      if (last && last->space) {
        last->end = i + 1;
      } else {
        units.push_back({i, i + 1, true, false});
      }
    } else if (last && !last->space && (MayNotStartLine(c) || (!IsCjk(c) && !last->cjk))) {
      last->end = i + 1;
    } else {
      units.push_back({i, i + 1, false, IsCjk(c)});
    }
  }
  return units;
}

void WrapParagraph(LineBuilder& b, const std::vector<Marked>& p, size_t begin, size_t end,
                   int wrapWidth, std::vector<TextLine>& lines) {
  const Unit* pending = nullptr;  // spaces seen since the last word
  for (const Unit& u : Units(p, begin, end)) {
    if (u.space) {
      pending = &u;
      continue;
    }
    const Marked* first = pending ? &p[pending->begin] : &p[u.begin];
    const int needed = b.WidthAt(first, &p[u.end], b.Width());
    if (!b.Empty() && b.Width() + needed > wrapWidth) {
      // The spaces at a break belong to neither line.
      b.Finish(lines);
      first = &p[u.begin];
    } else if (b.Empty() && pending) {
      first = &p[pending->begin];  // leading spaces of a paragraph stay
    }
    b.Add(first, &p[u.end]);
    pending = nullptr;
  }
  if (pending) b.Add(&p[pending->begin], &p[pending->end]);
  b.Finish(lines);
}

void AddEllipsis(DefaultFont& font, TextLine& line, int maxWidth) {
  const Glyph& dot = font.GlyphFor(U'.');
  const int dots = dot.advance * 3;
  while (!line.chars.empty() && line.chars.back().x + line.chars.back().advance + dots > maxWidth) {
    line.chars.pop_back();
  }
  line.width = line.chars.empty() ? 0 : line.chars.back().x + line.chars.back().advance;
  for (int i = 0; i < 3; ++i) {
    line.chars.push_back({U'.', &dot, line.width, dot.advance, false});
    line.width += dot.advance;
  }
}

}  // namespace

std::vector<TextLine> LayOutText(DefaultFont& font, std::u32string_view text,
                                 const LayoutRules& rules) {
  const std::vector<Marked> chars = ApplyPrefixes(text, rules);
  std::vector<TextLine> lines;
  LineBuilder builder(font, rules);

  if (rules.singleLine) {
    builder.Add(chars.data(), chars.data() + chars.size());
    builder.Finish(lines);
  } else {
    // CR LF, a lone CR and a lone LF each end a line; a break at the very end adds no empty line.
    size_t start = 0;
    while (start < chars.size() || lines.empty()) {
      size_t stop = start;
      while (stop < chars.size() && chars[stop].ch != U'\r' && chars[stop].ch != U'\n') ++stop;
      if (rules.wordBreak) {
        WrapParagraph(builder, chars, start, stop, rules.wrapWidth, lines);
      } else {
        builder.Add(chars.data() + start, chars.data() + stop);
        builder.Finish(lines);
      }
      if (stop < chars.size() && chars[stop].ch == U'\r' && stop + 1 < chars.size() &&
          chars[stop + 1].ch == U'\n') {
        ++stop;
      }
      start = stop + 1;
      if (stop >= chars.size()) break;
    }
  }

  if (rules.endEllipsis) {
    for (TextLine& line : lines) {
      if (line.width > rules.wrapWidth) AddEllipsis(font, line, rules.wrapWidth);
    }
  }
  return lines;
}

}  // namespace quill::text
