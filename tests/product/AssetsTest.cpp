// The pictures built into the program: the background picture that the picture box shows under the
// two overlay labels, and the program icon. They are decoded here exactly as the program decodes
// them, through libpng's simplified reader, from the bytes embedded at build time.
#include <png.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

extern const unsigned char kAsset_background_png[];
extern const size_t kAsset_background_png_size;
extern const unsigned char kAsset_icon_png[];
extern const size_t kAsset_icon_png_size;

namespace {

struct Rgba {
  uint8_t r, g, b, a;
  bool operator==(const Rgba&) const = default;
};

void PrintTo(const Rgba& c, std::ostream* os) {
  *os << "rgba(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

struct Decoded {
  bool ok = false;
  std::string message;
  uint32_t width = 0, height = 0;
  std::vector<Rgba> pixels;
  Rgba At(uint32_t x, uint32_t y) const { return pixels[size_t(y) * width + x]; }
};

// Decodes with the simplified reader and treats a warning as a failure too, so that a picture
// libpng only half likes cannot slip through.
Decoded Decode(const unsigned char* bytes, size_t size) {
  Decoded d;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, size)) {
    d.message = image.message;
    return d;
  }
  image.format = PNG_FORMAT_RGBA;
  d.width = image.width;
  d.height = image.height;
  d.pixels.resize(size_t(image.width) * image.height);
  const bool read = png_image_finish_read(&image, nullptr, d.pixels.data(), 0, nullptr);
  d.ok = read && image.warning_or_error == 0;
  d.message = image.message;
  png_image_free(&image);
  return d;
}

struct Chunk {
  std::string type;
  std::vector<unsigned char> data;
};

uint32_t BigEndian(const unsigned char* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

std::vector<Chunk> Chunks(const unsigned char* bytes, size_t size) {
  std::vector<Chunk> chunks;
  for (size_t pos = 8; pos + 12 <= size;) {
    const uint32_t length = BigEndian(bytes + pos);
    if (length > size - pos - 12) break;
    chunks.push_back({std::string(reinterpret_cast<const char*>(bytes + pos + 4), 4),
                      std::vector<unsigned char>(bytes + pos + 8, bytes + pos + 8 + length)});
    pos += 12 + length;
  }
  return chunks;
}

// Relative luminance of an sRGB colour, for the contrast between the labels' text and the field.
double Luminance(Rgba c) {
  auto linear = [](uint8_t v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

TEST(Assets, BackgroundIsAnOpaque328By582PngOfTheFixedSize) {
  EXPECT_EQ(kAsset_background_png_size, 138936u);
  const Decoded d = Decode(kAsset_background_png, kAsset_background_png_size);
  ASSERT_TRUE(d.ok) << d.message;
  ASSERT_EQ(d.width, 328u);
  ASSERT_EQ(d.height, 582u);
  for (uint32_t y = 0; y < d.height; ++y)
    for (uint32_t x = 0; x < d.width; ++x) ASSERT_EQ(d.At(x, y).a, 255) << x << "," << y;
}

TEST(Assets, BackgroundCarriesTheExpectedChunks) {
  const std::vector<Chunk> chunks = Chunks(kAsset_background_png, kAsset_background_png_size);
  std::vector<std::string> types;
  for (const Chunk& c : chunks) types.push_back(c.type);
  ASSERT_EQ(types, (std::vector<std::string>{"IHDR", "sRGB", "gAMA", "pHYs", "IDAT", "IDAT", "IDAT",
                                             "IEND"}));
  const std::vector<unsigned char>& ihdr = chunks[0].data;
  ASSERT_EQ(ihdr.size(), 13u);
  EXPECT_EQ(ihdr[8], 8);    // bits per channel
  EXPECT_EQ(ihdr[9], 6);    // RGBA
  EXPECT_EQ(ihdr[12], 0);   // not interlaced
  EXPECT_EQ(chunks[1].data, std::vector<unsigned char>{0});  // perceptual rendering intent
  ASSERT_EQ(chunks[2].data.size(), 4u);
  EXPECT_EQ(BigEndian(chunks[2].data.data()), 45455u);
  ASSERT_EQ(chunks[3].data.size(), 9u);
  EXPECT_EQ(BigEndian(chunks[3].data.data()), 3780u);
  EXPECT_EQ(BigEndian(chunks[3].data.data() + 4), 3780u);
  EXPECT_EQ(chunks[3].data[8], 1);  // per metre
}

// The overlay labels draw only their glyphs, so whatever lies under their rectangles shows
// between the letters. It must be one plain, dark colour on which the light-green text reads.
TEST(Assets, BackgroundIsPlainAndDarkUnderTheOverlayLabels) {
  const Decoded d = Decode(kAsset_background_png, kAsset_background_png_size);
  ASSERT_TRUE(d.ok) << d.message;
  struct Box {
    uint32_t left, top, width, height;
  } const labels[] = {{150, 104, 88, 28}, {144, 120, 96, 32}};
  const Rgba field = d.At(144, 104);
  for (const Box& b : labels)
    for (uint32_t y = b.top; y < b.top + b.height; ++y)
      for (uint32_t x = b.left; x < b.left + b.width; ++x)
        ASSERT_EQ(d.At(x, y), field) << x << "," << y;
  const Rgba text{196, 254, 167, 255};
  const double contrast = (Luminance(text) + 0.05) / (Luminance(field) + 0.05);
  EXPECT_GE(contrast, 7.0);
}

TEST(Assets, IconIs48By48WithTransparentCorners) {
  const Decoded d = Decode(kAsset_icon_png, kAsset_icon_png_size);
  ASSERT_TRUE(d.ok) << d.message;
  ASSERT_EQ(d.width, 48u);
  ASSERT_EQ(d.height, 48u);
  for (uint32_t y : {0u, 47u})
    for (uint32_t x : {0u, 47u}) EXPECT_EQ(d.At(x, y).a, 0) << x << "," << y;
  size_t opaque = 0;
  for (const Rgba& p : d.pixels) opaque += p.a == 255;
  EXPECT_GT(opaque, 48u * 48u / 10);  // the artwork is there, not an empty square
}

}  // namespace
