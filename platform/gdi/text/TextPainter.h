// Puts laid-out text on a surface: cell fills, glyph coverage blended in the text colour, and
// prefix underlines, all clipped to the target's rectangles and the surface bounds.
#pragma once

#include <vector>

#include "gdi/text/DefaultFont.h"
#include "gdi/text/TextEngine.h"

namespace quill::text {

class TextPainter {
 public:
  // `limit`, when given, narrows the target's clip further (surface coordinates).
  TextPainter(const TextTarget& target, const RECT* limit);

  void Fill(const RECT& r, COLORREF color);  // surface coordinates
  void DrawGlyph(const Glyph& g, int penX, int baselineY, COLORREF color);

  // Everything that may have changed, in surface coordinates; empty when nothing was touched.
  RECT Touched() const { return touched_; }

 private:
  void Touch(const RECT& r);

  ImageView surface_;
  int bytesPerPixel_;
  std::vector<RECT> clips_;  // disjoint, inside the surface
  RECT touched_{0, 0, 0, 0};
};

}  // namespace quill::text
