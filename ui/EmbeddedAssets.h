// The pictures built into the program (see assets/): the background picture and the icon.
#pragma once

#include <cstddef>

namespace assets {
const unsigned char* BackgroundPng();
size_t BackgroundPngSize();
const unsigned char* IconPng();
size_t IconPngSize();
}  // namespace assets
