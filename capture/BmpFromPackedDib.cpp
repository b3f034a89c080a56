#include "capture/BmpFromPackedDib.h"

#include <cstring>

#include "app/SharedHeap.h"
#include "capture/BmpLayout.h"

namespace {

// Bytes between the info header and the pixel array: the colour table (one 4-byte entry per
// colour used, or the full palette of a bit count up to 8 when the count is 0), or the three
// colour masks of a BI_BITFIELDS bitmap that has the plain 40-byte header.
uint64_t BytesBeforePixels(const uint8_t* block, uint32_t headerSize) {
  uint32_t bitCount = bmp::ReadLe16(block + bmp::kInfoBitCount);
  uint64_t entries = bmp::ReadLe32(block + bmp::kInfoClrUsed);
  if (entries == 0 && bitCount >= 1 && bitCount <= 8) entries = uint64_t{1} << bitCount;
  uint64_t masks = 0;
  if (headerSize == bmp::kInfoHeaderSize && bmp::ReadLe32(block + bmp::kInfoCompression) == bmp::kCompressionBitfields)
    masks = 12;
  return 4 * entries + masks;
}

}  // namespace

ImageBytes BmpFromPackedDib(const uint8_t* block, size_t length) {
  if (!block || length < bmp::kInfoHeaderSize) return ImageBytes();
  uint32_t headerSize = bmp::ReadLe32(block + bmp::kInfoSize);
  if (headerSize < bmp::kInfoHeaderSize || headerSize > length) return ImageBytes();
  uint64_t fileSize = uint64_t{bmp::kFileHeaderSize} + length;
  uint64_t pixelOffset = bmp::kFileHeaderSize + uint64_t{headerSize} + BytesBeforePixels(block, headerSize);
  if (fileSize > UINT32_MAX || pixelOffset > fileSize) return ImageBytes();

  auto* bytes = static_cast<uint8_t*>(TryAllocBlock(static_cast<size_t>(fileSize)));
  if (!bytes) return ImageBytes();
  bytes[0] = 'B';
  bytes[1] = 'M';
  bmp::WriteLe32(bytes + 2, static_cast<uint32_t>(fileSize));
  bmp::WriteLe32(bytes + 6, 0);  // the two reserved words
  bmp::WriteLe32(bytes + 10, static_cast<uint32_t>(pixelOffset));
  std::memcpy(bytes + bmp::kFileHeaderSize, block, length);
  return ImageBytes::Adopt(bytes, static_cast<size_t>(fileSize));
}
