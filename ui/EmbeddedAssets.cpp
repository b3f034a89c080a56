#include "ui/EmbeddedAssets.h"

// Generated at build time from assets/embed/.
extern const unsigned char kAsset_background_png[];
extern const size_t kAsset_background_png_size;
extern const unsigned char kAsset_icon_png[];
extern const size_t kAsset_icon_png_size;

namespace assets {
const unsigned char* BackgroundPng() { return kAsset_background_png; }
size_t BackgroundPngSize() { return kAsset_background_png_size; }
const unsigned char* IconPng() { return kAsset_icon_png; }
size_t IconPngSize() { return kAsset_icon_png_size; }
}  // namespace assets
