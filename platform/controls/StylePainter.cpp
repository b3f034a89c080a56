#include "controls/StylePainter.h"

#include <algorithm>

#include "core/RectSet.h"

namespace quill::controls {
namespace {

struct FaceColours {
  COLORREF border, top, bottom;
};

struct MarkColours {
  COLORREF border, fill, dot;
};

// The themed palette. Focus shows in the push button's border (and, from the keyboard, in the
// dotted rectangle the control asks for); the state that matters most wins.
FaceColours FaceColoursFor(const ControlLook& look) {
  if (look.disabled) return {RGB(191, 191, 191), RGB(204, 204, 204), RGB(204, 204, 204)};
  if (look.pressed) return {RGB(0, 84, 153), RGB(204, 228, 247), RGB(194, 220, 243)};
  if (look.hot) return {RGB(0, 120, 215), RGB(236, 244, 252), RGB(220, 236, 252)};
  if (look.focused) return {RGB(0, 120, 215), RGB(239, 239, 239), RGB(229, 229, 229)};
  return {RGB(173, 173, 173), RGB(239, 239, 239), RGB(229, 229, 229)};
}

MarkColours MarkColoursFor(const ControlLook& look) {
  if (look.disabled) return {RGB(204, 204, 204), RGB(255, 255, 255), RGB(204, 204, 204)};
  if (look.pressed) return {RGB(0, 84, 153), RGB(204, 228, 247), RGB(0, 84, 153)};
  if (look.hot) return {RGB(0, 120, 215), RGB(255, 255, 255), RGB(0, 120, 215)};
  return {RGB(51, 51, 51), RGB(255, 255, 255), RGB(51, 51, 51)};
}

// Channel `shift` (0 red, 8 green, 16 blue) of a COLORREF.
inline int Channel(COLORREF c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// The colour `i` steps of `steps` along from a to b, rounded to the nearest integer.
COLORREF Lerp(COLORREF a, COLORREF b, int i, int steps) {
  if (steps <= 0) return a;
  auto mix = [&](int shift) {
    return (Channel(a, shift) * (steps - i) + Channel(b, shift) * i + steps / 2) / steps;
  };
  return RGB(mix(0), mix(8), mix(16));
}

// The radio mark is sampled 4 x 4 times a pixel. Distances are in eighths of a pixel, so the
// samples sit at odd eighths and the circle's centre, 6.5 pixels in, is at 52.
constexpr int kSamples = 4;
constexpr int kCentre = 52;
constexpr int kOuterRadius = 52;  // 6.5 pixels: the mark's outline
constexpr int kInnerRadius = 44;  // 5.5 pixels: inside the 1-pixel border
constexpr int kDotRadius = 24;    // 3 pixels: the checked dot

struct Coverage {
  int outer = 0, inner = 0, dot = 0;  // samples inside each circle, out of kSamples squared
};

Coverage CoverageAt(int px, int py) {
  Coverage c;
  for (int sy = 0; sy < kSamples; ++sy) {
    for (int sx = 0; sx < kSamples; ++sx) {
      const int dx = 8 * px + 2 * sx + 1 - kCentre, dy = 8 * py + 2 * sy + 1 - kCentre;
      const int d2 = dx * dx + dy * dy;
      if (d2 <= kOuterRadius * kOuterRadius) ++c.outer;
      if (d2 <= kInnerRadius * kInnerRadius) ++c.inner;
      if (d2 <= kDotRadius * kDotRadius) ++c.dot;
    }
  }
  return c;
}

}  // namespace

StylePainter::StylePainter(const text::TextTarget& target) : target_(target) {
  if (target_.surface.Empty()) return;
  // Merged into disjoint rectangles, so a pixel under two overlapping clip rectangles is still
  // blended or inverted only once.
  RectSet clip;
  for (const RECT& c : target_.clip) clip.Add(c);
  clip.Intersect(RECT{0, 0, target_.surface.width, target_.surface.height});
  clips_ = clip.Rects();
}

void StylePainter::Touch(const RECT& r) { touched_ = RectBoundingUnion(touched_, r); }

uint8_t* StylePainter::PixelAt(int x, int y) {
  const int sx = x + target_.origin.x, sy = y + target_.origin.y;
  for (const RECT& c : clips_) {
    if (sx < c.left || sx >= c.right || sy < c.top || sy >= c.bottom) continue;
    Touch(RECT{sx, sy, sx + 1, sy + 1});
    return target_.surface.Row(sy) + static_cast<ptrdiff_t>(sx) * BytesPerPixel(target_.surface.format);
  }
  return nullptr;
}

void StylePainter::Fill(const RECT& area, COLORREF colour) {
  const RECT surfaceArea = RectOffset(area, target_.origin.x, target_.origin.y);
  const int bpp = BytesPerPixel(target_.surface.format);
  for (const RECT& c : clips_) {
    const RECT r = RectIntersect(surfaceArea, c);
    if (RectEmpty(r)) continue;
    for (int y = r.top; y < r.bottom; ++y) {
      uint8_t* p = target_.surface.Row(y) + static_cast<ptrdiff_t>(r.left) * bpp;
      for (int x = r.left; x < r.right; ++x, p += bpp) {
        p[0] = GetBValue(colour);
        p[1] = GetGValue(colour);
        p[2] = GetRValue(colour);
      }
    }
    Touch(r);
  }
}

void StylePainter::Blend(int x, int y, COLORREF colour, int alpha) {
  uint8_t* p = PixelAt(x, y);
  if (!p) return;
  auto mix = [alpha](int src, int dst) {
    return static_cast<uint8_t>((src * alpha + dst * (255 - alpha) + 127) / 255);
  };
  p[0] = mix(GetBValue(colour), p[0]);
  p[1] = mix(GetGValue(colour), p[1]);
  p[2] = mix(GetRValue(colour), p[2]);
}

void StylePainter::PushButtonFace(const RECT& r, const ControlLook& look) {
  const FaceColours colours = FaceColoursFor(look);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return;
  if (width < 3 || height < 3) {  // too small for a face: only the border shows
    Fill(r, colours.border);
    return;
  }
  const int rows = height - 2;
  for (int i = 0; i < rows; ++i) {
    const int y = r.top + 1 + i;
    Fill(RECT{r.left + 1, y, r.right - 1, y + 1}, Lerp(colours.top, colours.bottom, i, rows - 1));
  }
  Fill(RECT{r.left + 1, r.top, r.right - 1, r.top + 1}, colours.border);
  Fill(RECT{r.left + 1, r.bottom - 1, r.right - 1, r.bottom}, colours.border);
  Fill(RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, colours.border);
  Fill(RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, colours.border);
  // Rounded by one pixel: the outer corners only half cover what lies under them, and the inner
  // corners take a little of the border colour.
  const int left = r.left, top = r.top, right = r.right - 1, bottom = r.bottom - 1;
  for (const POINT corner : {POINT{left, top}, POINT{right, top}, POINT{left, bottom}, POINT{right, bottom}})
    Blend(corner.x, corner.y, colours.border, 112);
  for (const POINT inner : {POINT{left + 1, top + 1}, POINT{right - 1, top + 1}, POINT{left + 1, bottom - 1},
                            POINT{right - 1, bottom - 1}})
    Blend(inner.x, inner.y, colours.border, 48);
}

void StylePainter::RadioMark(int left, int top, const ControlLook& look) {
  const MarkColours colours = MarkColoursFor(look);
  constexpr int kFull = kSamples * kSamples;
  for (int py = 0; py < kRadioMarkSize; ++py) {
    for (int px = 0; px < kRadioMarkSize; ++px) {
      Coverage c = CoverageAt(px, py);
      if (c.outer == 0) continue;
      if (!look.checked) c.dot = 0;
      uint8_t* p = PixelAt(left + px, top + py);
      if (!p) continue;
      // Each sample shows the top-most shape it falls in: dot, fill, border, or what was there.
      const int ring = c.outer - c.inner, fill = c.inner - c.dot;
      auto mix = [&](int under, int shift) {
        return static_cast<uint8_t>((under * (kFull - c.outer) + Channel(colours.border, shift) * ring +
                                     Channel(colours.fill, shift) * fill + Channel(colours.dot, shift) * c.dot +
                                     kFull / 2) /
                                    kFull);
      };
      p[0] = mix(p[0], 16);
      p[1] = mix(p[1], 8);
      p[2] = mix(p[2], 0);
    }
  }
}

void StylePainter::FocusRect(const RECT& r) {
  if (RectEmpty(r)) return;
  // Each outline pixel is visited once: inverting twice would undo it.
  auto invert = [&](int x, int y) {
    if (((x - r.left) + (y - r.top)) % 2 != 0) return;
    if (uint8_t* p = PixelAt(x, y)) {
      p[0] = static_cast<uint8_t>(255 - p[0]);
      p[1] = static_cast<uint8_t>(255 - p[1]);
      p[2] = static_cast<uint8_t>(255 - p[2]);
    }
  };
  for (int x = r.left; x < r.right; ++x) invert(x, r.top);
  if (r.bottom - 1 > r.top)
    for (int x = r.left; x < r.right; ++x) invert(x, r.bottom - 1);
  for (int y = r.top + 1; y < r.bottom - 1; ++y) invert(r.left, y);
  if (r.right - 1 > r.left)
    for (int y = r.top + 1; y < r.bottom - 1; ++y) invert(r.right - 1, y);
}

COLORREF StylePainter::CaptionColour(const ControlLook& look) {
  return look.disabled ? RGB(131, 131, 131) : RGB(0, 0, 0);
}

}  // namespace quill::controls
