// Icons made from PNG resources, drawn alpha-blended; and the standard cursors, which the layer
// only hands out and remembers (the driver draws the pointer).
#include "user/Icons.h"

#include <utility>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "core/Handles.h"
#include "core/Layer.h"
#include "gdi/GdiState.h"
#include "user/UserState.h"
#include "windows.h"

namespace quill::user {

namespace {

void ResetIcons();
void CountIcons(LiveObjects& into);
const LayerModule kIconModule{"icons", &ResetIcons, &CountIcons};

std::unique_ptr<HandleTable<Icon>>& Slot() {
  static std::unique_ptr<HandleTable<Icon>> table;
  return table;
}

void ResetIcons() { Slot().reset(); }
void CountIcons(LiveObjects& into) {
  if (Slot()) into.icons += Slot()->Live();
}

HandleTable<Icon>& Icons() {
  if (!Slot()) {
    Slot() = std::make_unique<HandleTable<Icon>>(HandleKind::Icon);
    RegisterModule(&kIconModule);
  }
  return *Slot();
}

bool DecodePng(const uint8_t* bytes, size_t size, Icon* out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes, size)) return false;
  image.format = PNG_FORMAT_BGRA;
  if (image.width == 0 || image.height == 0 || image.width > 1024 || image.height > 1024) {
    png_image_free(&image);
    return false;
  }
  out->width = static_cast<int>(image.width);
  out->height = static_cast<int>(image.height);
  out->pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
  bool ok = png_image_finish_read(&image, nullptr, out->pixels.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

}  // namespace

const Icon* IconOf(HICON icon) {
  if (!Slot()) return nullptr;
  return Slot()->Get(reinterpret_cast<uintptr_t>(icon));
}

std::vector<uint32_t> ScaleBgra(const std::vector<uint32_t>& src, int sw, int sh, int dw, int dh) {
  if (sw == dw && sh == dh) return src;
  std::vector<uint32_t> out(static_cast<size_t>(dw) * dh, 0);
  double fx = static_cast<double>(sw) / dw, fy = static_cast<double>(sh) / dh;
  for (int j = 0; j < dh; ++j)
    for (int i = 0; i < dw; ++i) {
      double x0 = i * fx, x1 = (i + 1) * fx, y0 = j * fy, y1 = (j + 1) * fy;
      double acc[4] = {0, 0, 0, 0}, area = 0;
      for (int y = static_cast<int>(y0); y < sh && y < y1; ++y) {
        double wy = std::min(y1, y + 1.0) - std::max(y0, static_cast<double>(y));
        for (int x = static_cast<int>(x0); x < sw && x < x1; ++x) {
          double wgt = wy * (std::min(x1, x + 1.0) - std::max(x0, static_cast<double>(x)));
          if (wgt <= 0) continue;
          uint32_t p = src[static_cast<size_t>(y) * sw + x];
          double a = (p >> 24) / 255.0;
          // Colours are averaged weighted by alpha, so transparent pixels do not darken edges.
          acc[0] += (p & 0xFF) * a * wgt;
          acc[1] += ((p >> 8) & 0xFF) * a * wgt;
          acc[2] += ((p >> 16) & 0xFF) * a * wgt;
          acc[3] += a * wgt;
          area += wgt;
        }
      }
      if (area <= 0 || acc[3] <= 0) continue;
      auto channel = [&](double v) {
        return static_cast<uint32_t>(std::clamp(std::lround(v / acc[3]), 0L, 255L));
      };
      uint32_t a = static_cast<uint32_t>(std::clamp(std::lround(acc[3] / area * 255.0), 0L, 255L));
      out[static_cast<size_t>(j) * dw + i] =
          channel(acc[0]) | (channel(acc[1]) << 8) | (channel(acc[2]) << 16) | (a << 24);
    }
  return out;
}

}  // namespace quill::user

using namespace quill::user;

HICON WINAPI CreateIconFromResourceEx(LPBYTE bits, DWORD size, BOOL, DWORD, int cx, int cy, UINT flags) {
  if (!bits || size < 8) return nullptr;
  Icon decoded;
  if (!DecodePng(bits, size, &decoded)) return nullptr;
  if (cx == 0 && (flags & LR_DEFAULTSIZE)) cx = GetSystemMetrics(SM_CXICON);
  if (cy == 0 && (flags & LR_DEFAULTSIZE)) cy = GetSystemMetrics(SM_CYICON);
  if (cx <= 0) cx = decoded.width;
  if (cy <= 0) cy = decoded.height;
  if (cx > 256 || cy > 256) return nullptr;
  auto icon = std::make_unique<Icon>();
  icon->width = cx;
  icon->height = cy;
  icon->pixels = ScaleBgra(decoded.pixels, decoded.width, decoded.height, cx, cy);
  return reinterpret_cast<HICON>(Icons().Add(std::move(icon)));
}

BOOL WINAPI DestroyIcon(HICON icon) {
  if (!Slot()) return FALSE;
  return Slot()->Remove(reinterpret_cast<uintptr_t>(icon)) ? TRUE : FALSE;
}

BOOL WINAPI DrawIconEx(HDC hdc, int x, int y, HICON handle, int cx, int cy, UINT, HBRUSH flickerFree,
                       UINT flags) {
  const Icon* icon = IconOf(handle);
  if (!icon || !quill::gdi::DcOf(hdc)) return FALSE;
  if (flickerFree) return FALSE;  // drawing through an off-screen brush is not needed
  if (cx <= 0) cx = icon->width;
  if (cy <= 0) cy = icon->height;
  if (!(flags & DI_IMAGE)) return TRUE;
  std::vector<uint32_t> pixels = ScaleBgra(icon->pixels, icon->width, icon->height, cx, cy);
  quill::ImageView view;
  view.pixels = reinterpret_cast<uint8_t*>(pixels.data());
  view.width = cx;
  view.height = cy;
  view.stride = static_cast<ptrdiff_t>(cx) * 4;
  view.format = quill::PixelFormat::Bgra32;
  quill::gdi::BlendBgra(hdc, x, y, view);
  return TRUE;
}

// The standard cursors are fixed values, not objects: nothing to free, nothing to count.
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name) {
  uintptr_t id = reinterpret_cast<uintptr_t>(name);
  if (instance || id > 0xFFFF) return nullptr;  // the program has no cursor resources
  switch (id) {
    case 32512: case 32513: case 32514: case 32649:
      return reinterpret_cast<HCURSOR>(0x10000 + id);
    default:
      return nullptr;
  }
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) { return std::exchange(U().cursor, cursor); }
