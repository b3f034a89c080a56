#include "capture/BmpFromPackedDib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "capture/BmpLayout.h"

namespace {

// A packed bitmap as the read-back leaves it: the info header, then `extra` bytes (a colour table
// or masks), then stride x height bytes of pixels in a recognisable pattern.
std::vector<uint8_t> PackedDib(int32_t width, int32_t height, uint16_t bitCount, uint32_t clrUsed = 0,
                               uint32_t compression = 0, size_t extra = 0) {
  size_t imageSize = static_cast<size_t>(bmp::RowStride(width, bitCount) * height);
  std::vector<uint8_t> block(bmp::kInfoHeaderSize + extra + imageSize);
  bmp::WriteLe32(&block[bmp::kInfoSize], 40);
  bmp::WriteLe32(&block[bmp::kInfoWidth], static_cast<uint32_t>(width));
  bmp::WriteLe32(&block[bmp::kInfoHeight], static_cast<uint32_t>(height));
  bmp::WriteLe16(&block[bmp::kInfoPlanes], 1);
  bmp::WriteLe16(&block[bmp::kInfoBitCount], bitCount);
  bmp::WriteLe32(&block[bmp::kInfoCompression], compression);
  bmp::WriteLe32(&block[bmp::kInfoSizeImage], static_cast<uint32_t>(imageSize));
  bmp::WriteLe32(&block[bmp::kInfoClrUsed], clrUsed);
  for (size_t i = bmp::kInfoHeaderSize; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 7);
  return block;
}

TEST(BmpFromPackedDib, TwentyFourBitCapturesOfSeveralWidths) {
  struct Case {
    int32_t width, height;
    int64_t stride;
    uint32_t imageSize, fileSize;
  } cases[] = {
      {1, 2, 4, 8, 62},
      {5, 3, 16, 48, 102},
      {328, 584, 984, 574656, 574710},  // the picture box's window rectangle
  };
  for (const Case& c : cases) {
    EXPECT_EQ(bmp::RowStride24(c.width), c.stride);
    std::vector<uint8_t> block = PackedDib(c.width, c.height, 24);
    ImageBytes file = BmpFromPackedDib(block.data(), block.size());
    ASSERT_EQ(file.Size(), c.fileSize) << c.width;
    const uint8_t* p = file.Data();
    EXPECT_EQ(p[0], 'B');
    EXPECT_EQ(p[1], 'M');
    EXPECT_EQ(bmp::ReadLe32(p + 2), c.fileSize);
    EXPECT_EQ(bmp::ReadLe32(p + 6), 0u);  // both reserved words
    EXPECT_EQ(bmp::ReadLe32(p + 10), 54u);
    EXPECT_EQ(bmp::ReadLe32(p + 14 + bmp::kInfoSizeImage), c.imageSize);
    EXPECT_EQ(std::memcmp(p + 14, block.data(), block.size()), 0) << "the block follows unchanged";
  }
}

TEST(BmpFromPackedDib, ThePixelOffsetSkipsColourTablesAndMasks) {
  struct Case {
    uint16_t bitCount;
    uint32_t clrUsed, compression;
    size_t extra;
    uint32_t offset;
  } cases[] = {
      {8, 0, 0, 1024, 54 + 1024},  // a full palette of 256 entries
      {8, 16, 0, 64, 54 + 64},     // only the colours used
      {1, 0, 0, 8, 54 + 8},
      {32, 0, 3, 12, 54 + 12},     // three masks behind a plain header
      {24, 0, 0, 0, 54},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> block = PackedDib(4, 2, c.bitCount, c.clrUsed, c.compression, c.extra);
    ImageBytes file = BmpFromPackedDib(block.data(), block.size());
    ASSERT_EQ(file.Size(), 14 + block.size()) << c.bitCount;
    EXPECT_EQ(bmp::ReadLe32(file.Data() + 10), c.offset) << c.bitCount;
  }
}

TEST(BmpFromPackedDib, MalformedBlocksGiveEmptyBytes) {
  std::vector<uint8_t> good = PackedDib(2, 2, 24);
  auto withHeaderSize = [&](uint32_t size) {
    std::vector<uint8_t> b = good;
    bmp::WriteLe32(&b[0], size);
    return b;
  };
  std::vector<uint8_t> small = withHeaderSize(39), beyond = withHeaderSize(static_cast<uint32_t>(good.size() + 1)),
                       huge = withHeaderSize(0xFFFFFFFFu);
  std::vector<uint8_t> tableBeyond = PackedDib(2, 2, 8);  // promises 1024 palette bytes it lacks
  std::vector<uint8_t> usedBeyond = PackedDib(2, 2, 24, 0x40000000u);

  EXPECT_TRUE(BmpFromPackedDib(nullptr, 100).Empty());
  EXPECT_TRUE(BmpFromPackedDib(good.data(), 0).Empty());
  EXPECT_TRUE(BmpFromPackedDib(good.data(), 39).Empty());
  for (const auto* block : {&small, &beyond, &huge, &tableBeyond, &usedBeyond})
    EXPECT_TRUE(BmpFromPackedDib(block->data(), block->size()).Empty());
  // A length whose file would not fit the 32-bit size field is refused before any byte past the
  // header is read, so a short buffer is enough to show it.
  EXPECT_TRUE(BmpFromPackedDib(good.data(), size_t{0xFFFFFFFFu} - 13).Empty());
  EXPECT_FALSE(BmpFromPackedDib(good.data(), good.size()).Empty());
}

}  // namespace
