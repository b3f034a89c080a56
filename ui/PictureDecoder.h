// Decoding a picture box's bytes: the PNG of the background picture and the 24-bit BMP of a
// capture. Pure functions of the bytes; a failure gives no image, never a crash.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct DecodedImage {
  enum class Kind { Png, Bmp };
  Kind kind = Kind::Png;
  int width = 0;
  int height = 0;
  // PNG: blue, green, red, alpha per pixel, rows packed top row first.
  // BMP: blue, green, red per pixel, rows padded to 4 bytes, bottom row first (as in the file).
  std::vector<uint8_t> pixels;
};

enum class PictureFormat { Unknown, Bmp, Png };

// Recognises the format from the first 8 bytes; fewer than 8 bytes are not recognised.
PictureFormat RecognisePicture(const uint8_t* bytes, size_t size);

std::optional<DecodedImage> DecodePng(const uint8_t* bytes, size_t size);
std::optional<DecodedImage> DecodeBmp(const uint8_t* bytes, size_t size);
std::optional<DecodedImage> DecodePicture(const uint8_t* bytes, size_t size);

// One colour channel of a PNG pixel that is not fully opaque, laid over the background channel:
// v * (a * k) + b * (1 - a * k) in double precision with k the single-precision 1/255,
// truncated toward zero and limited to 0..255.
uint8_t BlendChannel(uint8_t value, uint8_t alpha, uint8_t background);
