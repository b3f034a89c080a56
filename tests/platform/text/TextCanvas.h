// A plain 32-bit buffer with a text target over it, for drawing tests of the text engine.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gdi/text/TextEngine.h"

namespace quill::text::testing {

class TextCanvas {
 public:
  TextCanvas(int width, int height, uint32_t fill) : width_(width), height_(height) {
    pixels_.assign(static_cast<size_t>(width) * height, fill);
    target.surface.pixels = reinterpret_cast<uint8_t*>(pixels_.data());
    target.surface.width = width;
    target.surface.height = height;
    target.surface.stride = static_cast<ptrdiff_t>(width) * 4;
    target.surface.format = PixelFormat::Bgrx32;
    target.clip = {RECT{0, 0, width, height}};
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  const std::vector<uint32_t>& Pixels() const { return pixels_; }

  // The smallest rectangle holding every pixel that differs from `background`.
  RECT InkBounds(uint32_t background) const {
    RECT r{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (At(x, y) == background) continue;
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
    }
    return r.right > r.left ? r : RECT{0, 0, 0, 0};
  }

  TextTarget target;

 private:
  int width_, height_;
  std::vector<uint32_t> pixels_;
};

// The pixel value a COLORREF has on a Bgrx32 surface.
inline uint32_t Pixel(COLORREF c) {
  return (static_cast<uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

}  // namespace quill::text::testing
