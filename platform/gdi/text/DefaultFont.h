// The one face behind DEFAULT_GUI_FONT, loaded with FreeType on first use and kept for the life of
// the process, with a cache of every glyph it has rendered so repeated draws do no FreeType work.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "gdi/text/TextEngine.h"

namespace quill::text {

// A rendered glyph: coverage 0 (untouched) to 255 (full text colour), one byte a pixel.
struct Glyph {
  int advance = 0;  // pen movement in pixels
  int left = 0;     // from the pen position to the first column
  int top = 0;      // from the baseline up to the first row
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> coverage;  // rows * width
};

class DefaultFont {
 public:
  // The process-wide face; null when no font could be found or loaded. Loads it on the first call.
  static DefaultFont* Get();

  ~DefaultFont();
  DefaultFont(const DefaultFont&) = delete;
  DefaultFont& operator=(const DefaultFont&) = delete;

  const FontMetrics& Metrics() const { return metrics_; }

  // The glyph for a character, rendered once and then served from the cache. The reference stays
  // valid for the life of the font. Control characters are empty and take no room.
  const Glyph& GlyphFor(char32_t ch);

 private:
  struct FreeTypeState;
  DefaultFont() = default;
  static std::unique_ptr<DefaultFont> Load();
  Glyph Render(char32_t ch) const;

  std::unique_ptr<FreeTypeState> ft_;
  FontMetrics metrics_;
  std::mutex mutex_;
  std::unordered_map<char32_t, Glyph> glyphs_;  // node-based: references survive rehashing
};

}  // namespace quill::text
