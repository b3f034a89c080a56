// The fixed layout of a BMP file, shared by the capture (which writes one) and the picture box's
// decoder (which reads one): header sizes, the row stride, and little-endian field access.
#pragma once

#include <cstddef>
#include <cstdint>

namespace bmp {

constexpr size_t kFileHeaderSize = 14;  // BITMAPFILEHEADER
constexpr size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER

// Offsets of the info header's fields, counted from the start of the info header.
constexpr size_t kInfoSize = 0, kInfoWidth = 4, kInfoHeight = 8, kInfoPlanes = 12, kInfoBitCount = 14,
                 kInfoCompression = 16, kInfoSizeImage = 20, kInfoClrUsed = 32;

constexpr uint32_t kCompressionRgb = 0;        // BI_RGB
constexpr uint32_t kCompressionBitfields = 3;  // BI_BITFIELDS: three colour masks follow the header

// Bytes in one row of pixels: bitCount bits per pixel, padded to a multiple of 4 bytes. Computed in
// 64 bits so no width a header can hold overflows; a negative width gives 0.
constexpr int64_t RowStride(int64_t width, int bitCount) {
  return width <= 0 || bitCount <= 0 ? 0 : ((bitCount * width + 31) / 32) * 4;
}

// The rows of a 24-bit image: three bytes per pixel raised to the next multiple of 4.
constexpr int64_t RowStride24(int64_t width) { return RowStride(width, 24); }

inline uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t ReadLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
inline void WriteLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace bmp
