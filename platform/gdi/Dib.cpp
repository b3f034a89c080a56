// Bitmaps: screen-compatible (32-bit) bitmaps, and their exchange with device-independent rows
// (24-bit with rows padded to four bytes, or 32-bit; bottom-up for a positive height, top-down for
// a negative one).
#include <algorithm>
#include <cstring>
#include <limits>

#include "gdi/GdiState.h"
#include "windows.h"

using namespace quill;
using namespace quill::gdi;

namespace {

// Bitmaps beyond this many pixels are refused rather than risking an overflow or a huge allocation.
constexpr long long kMaxPixels = 1LL << 28;

HBITMAP NewBitmap(int width, int height) {
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) return nullptr;
  auto bm = std::make_unique<GdiObject>();
  bm->kind = ObjKind::Bitmap;
  bm->width = width;
  bm->height = height;
  bm->pixels.assign(static_cast<size_t>(width) * height, 0);
  return reinterpret_cast<HBITMAP>(G().objects.Add(std::move(bm)));
}

size_t DibStride(int width, int bitCount) {
  return ((static_cast<size_t>(bitCount) * width + 31) / 32) * 4;
}

bool SupportedDib(const BITMAPINFOHEADER& h) {
  return h.biSize >= sizeof(BITMAPINFOHEADER) && h.biWidth > 0 && h.biHeight != 0 &&
         h.biHeight != std::numeric_limits<LONG>::min() && h.biCompression == BI_RGB &&
         (h.biBitCount == 24 || h.biBitCount == 32) &&
         static_cast<long long>(h.biWidth) * (h.biHeight < 0 ? -h.biHeight : h.biHeight) <= kMaxPixels;
}

}  // namespace

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height) {
  if (!DcOf(hdc) || width < 0 || height < 0) return nullptr;
  // A zero extent gives the smallest bitmap there is, as the platform does.
  if (width == 0 || height == 0) width = height = 1;
  return NewBitmap(width, height);
}

HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, LPCVOID bits,
                              const BITMAPINFO* info, UINT usage) {
  if ((hdc && !DcOf(hdc)) || !header || header->biWidth <= 0 || header->biHeight == 0 ||
      header->biHeight == std::numeric_limits<LONG>::min())
    return nullptr;
  int width = header->biWidth;
  int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  if (!(init & CBM_INIT)) return NewBitmap(width, height);
  if (!info || !bits || usage != DIB_RGB_COLORS || !SupportedDib(info->bmiHeader)) return nullptr;
  const BITMAPINFOHEADER& src = info->bmiHeader;
  HBITMAP h = NewBitmap(width, height);
  if (!h) return nullptr;
  GdiObject* bm = Obj(h);
  int srcHeight = src.biHeight < 0 ? -src.biHeight : src.biHeight;
  bool bottomUp = src.biHeight > 0;
  size_t stride = DibStride(src.biWidth, src.biBitCount);
  int bpp = src.biBitCount / 8;
  const uint8_t* base = static_cast<const uint8_t*>(bits);
  const int columns = std::min(width, static_cast<int>(src.biWidth));
  for (int y = 0; y < height && y < srcHeight; ++y) {
    const uint8_t* row = base + stride * (bottomUp ? srcHeight - 1 - y : y);
    uint32_t* out = bm->pixels.data() + static_cast<size_t>(y) * width;
    // One loop for each depth, so the compiler sees a fixed pixel size.
    if (bpp == 4) {
      for (int x = 0; x < columns; ++x) {
        uint32_t v;
        std::memcpy(&v, row + x * 4, 4);
        out[x] = v & 0xFFFFFF;
      }
    } else {
      for (int x = 0; x < columns; ++x) {
        const uint8_t* p = row + x * 3;
        out[x] = p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
      }
    }
  }
  return h;
}

int WINAPI GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
                     UINT usage) {
  GdiObject* bm = Obj(bitmap, ObjKind::Bitmap);
  if (!DcOf(hdc) || !bm || !info || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (!bits) {
    // Only the header: a bit count of 0 asks for the bitmap's own format.
    if (h.biBitCount == 0) {
      h.biWidth = bm->width;
      h.biHeight = bm->height;
      h.biPlanes = 1;
      h.biBitCount = 32;
      h.biCompression = BI_RGB;
    }
    if (!SupportedDib(h)) return 0;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    h.biSizeImage = static_cast<DWORD>(DibStride(h.biWidth, h.biBitCount) * height);
    return height;
  }
  if (!SupportedDib(h)) return 0;
  int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  bool bottomUp = h.biHeight > 0;
  size_t stride = DibStride(h.biWidth, h.biBitCount);
  int bpp = h.biBitCount / 8;
  h.biSizeImage = static_cast<DWORD>(stride * height);
  h.biPlanes = 1;
  uint8_t* out = static_cast<uint8_t*>(bits);
  int copied = 0;
  for (long long scan = start; scan < static_cast<long long>(start) + lines && scan < height; ++scan) {
    // Scan lines count from the first row stored: the bottom row of a bottom-up DIB.
    int y = bottomUp ? height - 1 - static_cast<int>(scan) : static_cast<int>(scan);
    uint8_t* row = out + stride * static_cast<size_t>(scan - start);
    // Pixels the bitmap does not have, the unused fourth byte and the row's pad bytes are zero.
    size_t written = 0;
    if (y < bm->height) {
      const uint32_t* src = bm->pixels.data() + static_cast<size_t>(y) * bm->width;
      const int columns = std::min(static_cast<int>(h.biWidth), bm->width);
      if (bpp == 4) {
        for (int x = 0; x < columns; ++x) {
          uint32_t v = src[x] & 0xFFFFFF;
          std::memcpy(row + x * 4, &v, 4);
        }
      } else if (columns > 0) {
        // Four bytes a store, each overwriting the spare fourth byte of the one before; the last
        // pixel is stored byte by byte so nothing lands past it.
        for (int x = 0; x < columns - 1; ++x) std::memcpy(row + x * 3, &src[x], 4);
        uint8_t* p = row + (columns - 1) * 3;
        p[0] = src[columns - 1] & 0xFF;
        p[1] = (src[columns - 1] >> 8) & 0xFF;
        p[2] = (src[columns - 1] >> 16) & 0xFF;
      }
      written = static_cast<size_t>(columns) * bpp;
    }
    std::memset(row + written, 0, stride - written);
    ++copied;
  }
  return copied;
}
