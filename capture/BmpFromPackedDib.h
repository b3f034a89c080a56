// The serialiser half of the window capture: a packed device-independent bitmap (an info header
// followed at once by its colour table and pixel array, as GetDIBits leaves it) becomes the bytes
// of a BMP file, the 14-byte file header computed from the block followed by the block unchanged.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/ImageBytes.h"

// The BMP file bytes, or empty bytes when the block is not a packed bitmap that can be serialised
// safely (shorter than an info header, a header size below 40 or beyond the block, a colour table
// that does not fit, a file larger than the 32-bit size field) or memory is short. The capture
// lives without an image rather than ending the program, so no failure here is fatal.
ImageBytes BmpFromPackedDib(const uint8_t* block, size_t length);
