#include "gdi/text/TextPainter.h"

#include <algorithm>

#include "core/RectSet.h"

namespace quill::text {
namespace {

// Exact integer blend, so the same text always gives the same pixels.
inline uint8_t Mix(int src, int dst, int alpha) {
  return static_cast<uint8_t>((src * alpha + dst * (255 - alpha) + 127) / 255);
}

}  // namespace

TextPainter::TextPainter(const TextTarget& target, const RECT* limit)
    : surface_(target.surface), bytesPerPixel_(BytesPerPixel(target.surface.format)) {
  if (surface_.Empty()) return;
  RECT bounds{0, 0, surface_.width, surface_.height};
  if (limit) bounds = RectIntersect(bounds, *limit);
  // The clip list is merged into disjoint rectangles first: a pixel inside two overlapping
  // rectangles must still be blended only once.
  RectSet clip;
  for (const RECT& c : target.clip) clip.Add(c);
  clip.Intersect(bounds);
  clips_ = clip.Rects();
}

void TextPainter::Touch(const RECT& r) { touched_ = RectBoundingUnion(touched_, r); }

void TextPainter::Fill(const RECT& area, COLORREF color) {
  const uint8_t red = GetRValue(color), green = GetGValue(color), blue = GetBValue(color);
  for (const RECT& c : clips_) {
    const RECT r = RectIntersect(area, c);
    if (RectEmpty(r)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      uint8_t* p = surface_.Row(y) + static_cast<ptrdiff_t>(r.left) * bytesPerPixel_;
      for (int x = r.left; x < r.right; ++x, p += bytesPerPixel_) {
        p[0] = blue;
        p[1] = green;
        p[2] = red;
      }
    }
    Touch(r);
  }
}

void TextPainter::DrawGlyph(const Glyph& g, int penX, int baselineY, COLORREF color) {
  if (g.width <= 0 || g.rows <= 0) return;
  const int red = GetRValue(color), green = GetGValue(color), blue = GetBValue(color);
  const RECT box{penX + g.left, baselineY - g.top, penX + g.left + g.width,
                 baselineY - g.top + g.rows};
  for (const RECT& c : clips_) {
    const RECT r = RectIntersect(box, c);
    if (RectEmpty(r)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      const uint8_t* cov = &g.coverage[static_cast<size_t>(y - box.top) * g.width];
      uint8_t* p = surface_.Row(y) + static_cast<ptrdiff_t>(r.left) * bytesPerPixel_;
      for (int x = r.left; x < r.right; ++x, p += bytesPerPixel_) {
        const int a = cov[x - box.left];
        if (a == 0) continue;
        if (a == 255) {
          p[0] = static_cast<uint8_t>(blue);
          p[1] = static_cast<uint8_t>(green);
          p[2] = static_cast<uint8_t>(red);
        } else {
          p[0] = Mix(blue, p[0], a);
          p[1] = Mix(green, p[1], a);
          p[2] = Mix(red, p[2], a);
        }
      }
    }
    Touch(r);
  }
}

}  // namespace quill::text
