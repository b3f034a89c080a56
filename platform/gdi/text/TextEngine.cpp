#include "gdi/text/TextEngine.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/RectSet.h"
#include "gdi/text/DefaultFont.h"
#include "gdi/text/TextLayout.h"
#include "gdi/text/TextPainter.h"
#include "kernel/CodePage.h"
#include "win/text.h"

namespace quill::text {
namespace {

thread_local RECT lastDrawn{0, 0, 0, 0};

std::u32string Decode(const char* text, int len) {
  if (!text) return {};
  if (len < 0) len = static_cast<int>(std::strlen(text));
  return cp936::ToUnicode(std::string_view(text, static_cast<size_t>(len)));
}

// Draws laid-out lines whose first line's cell starts at `top` (surface coordinates), each line
// placed horizontally by `lineLeft`.
template <typename LineLeft>
void Paint(const TextTarget& target, const RECT* limit, const std::vector<TextLine>& lines,
           int top, LineLeft lineLeft) {
  const FontMetrics& m = DefaultFont::Get()->Metrics();
  TextPainter painter(target, limit);
  for (size_t i = 0; i < lines.size(); ++i) {
    const TextLine& line = lines[i];
    const int x0 = lineLeft(line);
    const int y = top + static_cast<int>(i) * m.height;
    const int baseline = y + m.ascent;
    if (target.opaqueBackground && line.width > 0) {
      painter.Fill(RECT{x0, y, x0 + line.width, y + m.height}, target.backgroundColor);
    }
    for (const LaidChar& c : line.chars) {
      painter.DrawGlyph(*c.glyph, x0 + c.x, baseline, target.textColor);
      if (c.underline && c.advance > 0) {
        painter.Fill(RECT{x0 + c.x, baseline + 1, x0 + c.x + c.advance, baseline + 2},
                     target.textColor);
      }
    }
  }
  lastDrawn = painter.Touched();
}

}  // namespace

bool EnsureDefaultFont() { return DefaultFont::Get() != nullptr; }

const FontMetrics& DefaultFontMetrics() {
  static const FontMetrics none;
  DefaultFont* font = DefaultFont::Get();
  return font ? font->Metrics() : none;
}

SIZE MeasureAnsi(const char* text, int len) {
  DefaultFont* font = DefaultFont::Get();
  if (!font) return SIZE{0, 0};
  const std::u32string chars = Decode(text, std::max(len, 0));
  const std::vector<TextLine> lines = LayOutText(*font, chars, LayoutRules{});
  return SIZE{lines.front().width, font->Metrics().height};
}

int DrawTextAnsi(const TextTarget* target, const char* text, int len, RECT* rect, UINT format) {
  lastDrawn = RECT{0, 0, 0, 0};
  DefaultFont* font = DefaultFont::Get();
  if (!font || !rect) return 0;
  const std::u32string chars = Decode(text, len);
  if (chars.empty()) {
    if (format & DT_CALCRECT) {
      rect->right = rect->left;
      rect->bottom = rect->top;
    }
    return 0;
  }

  const bool singleLine = (format & DT_SINGLELINE) != 0;
  LayoutRules rules;
  rules.singleLine = singleLine;
  rules.wordBreak = (format & DT_WORDBREAK) != 0;
  rules.prefixes = (format & DT_NOPREFIX) == 0;
  rules.showUnderlines = (format & DT_HIDEPREFIX) == 0;
  rules.expandTabs = (format & DT_EXPANDTABS) != 0;
  rules.endEllipsis = (format & DT_END_ELLIPSIS) != 0 && (format & DT_CALCRECT) == 0;
  rules.wrapWidth = rect->right - rect->left;
  const std::vector<TextLine> lines = LayOutText(*font, chars, rules);

  const int lineHeight = font->Metrics().height;
  const int textHeight = static_cast<int>(lines.size()) * lineHeight;

  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& line : lines) widest = std::max(widest, line.width);
    // Wrapped text keeps the rectangle's width unless a word too long to break sticks out.
    if (rules.wordBreak && !singleLine) widest = std::max(widest, rules.wrapWidth);
    rect->right = rect->left + widest;
    rect->bottom = rect->top + textHeight;
    return textHeight;
  }

  // Vertical placement applies to a single line only, as on the desktop.
  int top = rect->top;
  if (singleLine && (format & DT_VCENTER)) {
    top = rect->top + (rect->bottom - rect->top - textHeight) / 2;
  } else if (singleLine && (format & DT_BOTTOM)) {
    top = rect->bottom - textHeight;
  }

  if (target) {
    const POINT o = target->origin;
    const RECT limit = RectOffset(*rect, o.x, o.y);
    Paint(*target, (format & DT_NOCLIP) ? nullptr : &limit, lines, top + o.y,
          [&](const TextLine& line) {
            int x = rect->left;
            if (format & DT_CENTER) {
              x = rect->left + (rect->right - rect->left - line.width) / 2;
            } else if (format & DT_RIGHT) {
              x = rect->right - line.width;
            }
            return x + o.x;
          });
  }

  // With vertical placement the result is the distance from the rectangle's top to the bottom
  // of the text, which is what callers of the desktop's DrawText get.
  if (singleLine && (format & (DT_VCENTER | DT_BOTTOM))) return top + textHeight - rect->top;
  return textHeight;
}

void TextOutAnsi(const TextTarget& target, int x, int y, const char* text, int len) {
  lastDrawn = RECT{0, 0, 0, 0};
  DefaultFont* font = DefaultFont::Get();
  if (!font || len <= 0) return;
  const std::vector<TextLine> lines = LayOutText(*font, Decode(text, len), LayoutRules{});
  const int left = x + target.origin.x;
  Paint(target, nullptr, lines, y + target.origin.y, [left](const TextLine&) { return left; });
}

RECT LastDrawnBounds() { return lastDrawn; }

}  // namespace quill::text
