// Arbitrary blocks handed to the BMP serialiser of the window capture. The result is either empty
// or a 14-byte file header whose size field tells the whole length, followed by the block unchanged.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "capture/BmpFromPackedDib.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "bmp_from_packed_dib_fuzz: %s\n", what);
  std::abort();
}

uint32_t Read32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageBytes bmp = BmpFromPackedDib(data, size);
  if (bmp.Empty()) return 0;
  if (bmp.Size() != 14 + size) Fail("the file is not 14 bytes longer than the block");
  const uint8_t* out = bmp.Data();
  if (out[0] != 'B' || out[1] != 'M') Fail("no BM signature");
  if (Read32(out + 2) != bmp.Size()) Fail("the file-size field does not match the length");
  if (Read32(out + 6) != 0) Fail("the reserved words are not zero");
  uint32_t offset = Read32(out + 10);
  if (offset < 14 + 40 || offset > bmp.Size()) Fail("the pixel-data offset points outside the file");
  if (std::memcmp(out + 14, data, size) != 0) Fail("the block changed behind the header");
  return 0;
}
