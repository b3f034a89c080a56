// A plain image record: pixels, size, signed stride (negative for bottom-up rows) and format.
// Surfaces, bitmaps and DIBs are all described this way, so a bottom-up DIB needs no special case.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quill {

enum class PixelFormat : uint8_t {
  Bgrx32,  // 4 bytes a pixel: blue, green, red, unused (surfaces and screen-compatible bitmaps)
  Bgra32,  // 4 bytes a pixel with alpha
  Bgr24,   // 3 bytes a pixel
};

inline int BytesPerPixel(PixelFormat f) { return f == PixelFormat::Bgr24 ? 3 : 4; }

struct ImageView {
  uint8_t* pixels = nullptr;  // address of row 0 (the top row)
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;  // bytes from one row to the next one down; negative for bottom-up storage
  PixelFormat format = PixelFormat::Bgrx32;

  uint8_t* Row(int y) const { return pixels + static_cast<ptrdiff_t>(y) * stride; }
  uint32_t* Row32(int y) const { return reinterpret_cast<uint32_t*>(Row(y)); }
  bool Empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
};

}  // namespace quill
