// The backing pixels of one top-level window: its whole window rectangle, non-client area
// included, as Bgrx32. Drawing marks what changed; the layer presents the changed part through the
// driver when the thread goes idle.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/Image.h"
#include "core/RectSet.h"

namespace quill {

struct Surface {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  RECT dirty{0, 0, 0, 0};  // bounds of what changed since the last presentation

  ImageView View() {
    ImageView v;
    v.pixels = reinterpret_cast<uint8_t*>(pixels.data());
    v.width = width;
    v.height = height;
    v.stride = static_cast<ptrdiff_t>(width) * 4;
    v.format = PixelFormat::Bgrx32;
    return v;
  }

  // Keeps the pixels that still fit; new pixels start white, like a window not painted yet.
  void Resize(int w, int h) {
    w = std::max(w, 0);
    h = std::max(h, 0);
    std::vector<uint32_t> next(static_cast<size_t>(w) * h, 0x00FFFFFFu);
    for (int y = 0; y < std::min(h, height); ++y)
      std::copy_n(pixels.begin() + static_cast<size_t>(y) * width, std::min(w, width),
                  next.begin() + static_cast<size_t>(y) * w);
    pixels.swap(next);
    width = w;
    height = h;
    MarkDirty(RECT{0, 0, w, h});
  }

  void MarkDirty(const RECT& r) {
    dirty = RectBoundingUnion(dirty, RectIntersect(r, RECT{0, 0, width, height}));
  }
};

// COLORREF (0x00BBGGRR) to a Bgrx32 pixel value and back.
inline uint32_t PixelFromColor(uint32_t c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline uint32_t ColorFromPixel(uint32_t p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

}  // namespace quill
