#include "ui/PictureDecoder.h"

#include <png.h>

#include <cmath>
#include <cstring>

#include "capture/BmpLayout.h"

namespace {


// Pictures beyond this many pixels are refused before any memory is reserved for them.
constexpr uint64_t kMaxPixels = 64ull * 1024 * 1024;

}  // namespace

PictureFormat RecognisePicture(const uint8_t* bytes, size_t size) {
  if (!bytes || size < 8) return PictureFormat::Unknown;
  if (bytes[0] == 0x42 && bytes[1] == 0x4D) return PictureFormat::Bmp;
  if (bytes[0] == 0x89 && bytes[1] == 0x50 && bytes[2] == 0x4E && bytes[3] == 0x47) return PictureFormat::Png;
  return PictureFormat::Unknown;
}

std::optional<DecodedImage> DecodePng(const uint8_t* bytes, size_t size) {
  if (!bytes || size < 8) return std::nullopt;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, size)) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_BGRA;
  uint64_t pixels = static_cast<uint64_t>(image.width) * image.height;
  if (image.width == 0 || image.height == 0 || pixels > kMaxPixels) {
    png_image_free(&image);
    return std::nullopt;
  }
  DecodedImage out;
  out.kind = DecodedImage::Kind::Png;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.pixels.resize(PNG_IMAGE_SIZE(image));
  bool ok = png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr) != 0;
  png_image_free(&image);
  if (!ok) return std::nullopt;
  return out;
}

std::optional<DecodedImage> DecodeBmp(const uint8_t* bytes, size_t size) {
  constexpr size_t kHeaders = 14 + 40;
  if (!bytes || size < kHeaders) return std::nullopt;
  const uint8_t* info = bytes + 14;
  if (bmp::ReadLe32(info + 16) != 0) return std::nullopt;  // compressed
  uint16_t bitCount = bmp::ReadLe16(info + 14);
  if (bitCount != 24) return std::nullopt;  // the only kind this program makes
  uint32_t offset = bmp::ReadLe32(bytes + 10);
  if (offset < kHeaders || offset > size) return std::nullopt;
  int32_t width = static_cast<int32_t>(bmp::ReadLe32(info + 4));
  int32_t height = static_cast<int32_t>(bmp::ReadLe32(info + 8));
  if (width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
  bool bottomUp = height > 0;
  uint64_t rows = bottomUp ? static_cast<uint64_t>(height) : static_cast<uint64_t>(-static_cast<int64_t>(height));
  if (static_cast<uint64_t>(width) * rows > kMaxPixels) return std::nullopt;
  uint64_t stride = static_cast<uint64_t>(bmp::RowStride24(width));
  if (stride * rows > size - offset) return std::nullopt;  // the rows run out

  DecodedImage out;
  out.kind = DecodedImage::Kind::Bmp;
  out.width = width;
  out.height = static_cast<int>(rows);
  out.pixels.resize(static_cast<size_t>(stride * rows));
  const uint8_t* data = bytes + offset;
  if (bottomUp) {
    std::memcpy(out.pixels.data(), data, out.pixels.size());
  } else {
    // Keep the decoded rows bottom-up whatever the file's order.
    for (uint64_t r = 0; r < rows; ++r)
      std::memcpy(out.pixels.data() + (rows - 1 - r) * stride, data + r * stride, static_cast<size_t>(stride));
  }
  return out;
}

std::optional<DecodedImage> DecodePicture(const uint8_t* bytes, size_t size) {
  switch (RecognisePicture(bytes, size)) {
    case PictureFormat::Bmp: return DecodeBmp(bytes, size);
    case PictureFormat::Png: return DecodePng(bytes, size);
    case PictureFormat::Unknown: break;
  }
  return std::nullopt;
}

uint8_t BlendChannel(uint8_t value, uint8_t alpha, uint8_t background) {
  const double k = static_cast<double>(1.0f / 255.0f);
  double share = alpha * k;
  double v = value * share + background * (1.0 - share);
  v = std::trunc(v);
  if (v < 0) return 0;
  if (v > 255) return 255;
  return static_cast<uint8_t>(v);
}
