// Icons: square straight-alpha BGRA images behind checked handles.
#pragma once

#include <cstdint>
#include <vector>

#include "win/base.h"

namespace quill::user {

struct Icon {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // BGRA, straight alpha, top row first
};

const Icon* IconOf(HICON icon);  // nullptr for a stale or null handle

// Area-average scaling of straight-alpha BGRA pixels (colours weighted by alpha).
std::vector<uint32_t> ScaleBgra(const std::vector<uint32_t>& src, int sw, int sh, int dw, int dh);

}  // namespace quill::user
