// Pixel operations through a DC: pattern fills, blits, stretching, single pixels, lines and
// alpha-blended images. Every write is clipped to the DC's clip region and marks the changed part
// of a window surface for presentation.
//
// Sections: [clipped writes] [raster operations] [PatBlt] [BitBlt] [StretchBlt] [pixels and lines]
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gdi/GdiState.h"
#include "windows.h"

using namespace quill;
using namespace quill::gdi;

namespace {

// [clipped writes] --------------------------------------------------------------------------------

RECT ImageBounds(const Target& t) { return RECT{0, 0, t.image.width, t.image.height}; }

// Calls op(y, x0, x1, row) for every run of pixels of `imageRect` inside the clip (one run a row
// and clip rectangle), then marks it changed. Whole runs let plain fills and copies go at memory
// speed, which is what keeps full repaints and captures cheap.
template <class RowOp>
void ForEachClippedRun(Target& t, const RECT& imageRect, RowOp op) {
  if (t.image.Empty()) return;
  RECT r = RectIntersect(imageRect, ImageBounds(t));
  if (RectEmpty(r)) return;
  for (const RECT& c : t.clip.Rects()) {
    RECT p = RectIntersect(r, c);
    if (RectEmpty(p)) continue;
    for (int y = p.top; y < p.bottom; ++y) op(y, p.left, p.right, t.image.Row32(y));
    MarkChanged(t, p);
  }
}

// Calls op(x, y, pixel&) for every pixel of `imageRect` inside the clip, then marks it changed.
template <class Op>
void ForEachClipped(Target& t, const RECT& imageRect, Op op) {
  ForEachClippedRun(t, imageRect, [&](int y, int x0, int x1, uint32_t* row) {
    for (int x = x0; x < x1; ++x) op(x, y, row[x]);
  });
}

RECT LogicalToImage(const Target& t, int x, int y, int w, int h) {
  return RECT{x + t.origin.x, y + t.origin.y, x + w + t.origin.x, y + h + t.origin.y};
}

// [raster operations] -----------------------------------------------------------------------------

bool NeedsSource(DWORD rop) {
  return rop == SRCCOPY || rop == SRCPAINT || rop == SRCAND || rop == SRCINVERT;
}

bool NeedsPattern(DWORD rop) { return rop == PATCOPY || rop == PATINVERT; }

bool IsKnownRop(DWORD rop) {
  return NeedsSource(rop) || NeedsPattern(rop) || rop == DSTINVERT || rop == BLACKNESS ||
         rop == WHITENESS;
}

uint32_t Apply(DWORD rop, uint32_t dst, uint32_t src, uint32_t pat) {
  switch (rop) {
    case SRCCOPY: return src;
    case SRCPAINT: return (dst | src) & 0xFFFFFF;
    case SRCAND: return dst & src & 0xFFFFFF;
    case SRCINVERT: return (dst ^ src) & 0xFFFFFF;
    case PATCOPY: return pat;
    case PATINVERT: return (dst ^ pat) & 0xFFFFFF;
    case DSTINVERT: return ~dst & 0xFFFFFF;
    case BLACKNESS: return 0;
    case WHITENESS: return 0xFFFFFF;
    default: return dst;
  }
}

// A pattern operation with the DC's brush; a null brush leaves PATCOPY with nothing to paint.
BOOL PatternOp(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  Target t;
  if (!Resolve(hdc, &t)) return FALSE;
  uint32_t pat = 0;
  if (NeedsPattern(rop)) {
    COLORREF c;
    if (!BrushColor(DcOf(hdc)->attr.brush, &c)) return TRUE;
    pat = PixelFromColor(c);
  }
  if (w < 0) { x += w; w = -w; }
  if (h < 0) { y += h; h = -h; }
  if (rop == PATCOPY) {
    ForEachClippedRun(t, LogicalToImage(t, x, y, w, h),
                      [&](int, int x0, int x1, uint32_t* row) { std::fill(row + x0, row + x1, pat); });
    return TRUE;
  }
  ForEachClipped(t, LogicalToImage(t, x, y, w, h),
                 [&](int, int, uint32_t& px) { px = Apply(rop, px, 0, pat); });
  return TRUE;
}

// The source pixels of a blit, copied out first so a blit within one surface reads what was
// there before it started. Pixels outside the source image read as black.
std::vector<uint32_t> ReadSource(const Target& s, int x, int y, int w, int h) {
  std::vector<uint32_t> out(static_cast<size_t>(w) * h, 0);
  // The columns that lie inside the source image; the same for every row.
  const int left = x + s.origin.x;
  const int first = std::max(0, -left), last = std::min(w, s.image.width - left);
  if (first >= last) return out;
  for (int j = 0; j < h; ++j) {
    int sy = y + j + s.origin.y;
    if (sy < 0 || sy >= s.image.height) continue;
    const uint32_t* row = s.image.Row32(sy) + left;
    uint32_t* dst = out.data() + static_cast<size_t>(j) * w;
    for (int i = first; i < last; ++i) dst[i] = row[i] & 0xFFFFFF;
  }
  return out;
}

}  // namespace

namespace quill::gdi {

void FillLogical(HDC hdc, const RECT& r, COLORREF color) {
  Target t;
  if (!Resolve(hdc, &t)) return;
  uint32_t px = PixelFromColor(color);
  ForEachClippedRun(t, RectOffset(r, t.origin.x, t.origin.y),
                    [&](int, int x0, int x1, uint32_t* row) { std::fill(row + x0, row + x1, px); });
}

void BlendBgra(HDC hdc, int x, int y, const ImageView& src) {
  Target t;
  if (!Resolve(hdc, &t) || src.Empty()) return;
  ForEachClipped(t, LogicalToImage(t, x, y, src.width, src.height), [&](int ix, int iy, uint32_t& p) {
    const uint8_t* s = src.Row(iy - y - t.origin.y) + (ix - x - t.origin.x) * 4;
    unsigned a = s[3];
    if (a == 0) return;
    unsigned db = p & 0xFF, dg = (p >> 8) & 0xFF, dr = (p >> 16) & 0xFF;
    unsigned b = (s[0] * a + db * (255 - a) + 127) / 255;
    unsigned g = (s[1] * a + dg * (255 - a) + 127) / 255;
    unsigned r = (s[2] * a + dr * (255 - a) + 127) / 255;
    p = (r << 16) | (g << 8) | b;
  });
}

}  // namespace quill::gdi

// [PatBlt] ----------------------------------------------------------------------------------------

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  if (NeedsSource(rop) || !IsKnownRop(rop)) return FALSE;
  return PatternOp(hdc, x, y, w, h, rop);
}

// [BitBlt] ----------------------------------------------------------------------------------------

BOOL WINAPI BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop) {
  if (!IsKnownRop(rop)) return FALSE;
  if (!NeedsSource(rop)) return PatternOp(dest, x, y, w, h, rop);
  Target d, s;
  if (!Resolve(dest, &d) || !Resolve(src, &s)) return FALSE;
  if (w <= 0 || h <= 0) return TRUE;
  if (s.image.Empty()) return FALSE;  // a screen DC has no pixels to read
  int ox = x + d.origin.x, oy = y + d.origin.y;
  if (rop == SRCCOPY && s.image.pixels != d.image.pixels) {
    // Two different images cannot overlap, so the pixels go straight across without a copy in
    // between; that copy would be as large as the blit (a whole picture at a full repaint or a
    // capture). Pixels outside the source image read as black.
    const int dx = sx + s.origin.x - ox, dy = sy + s.origin.y - oy;
    ForEachClippedRun(d, RECT{ox, oy, ox + w, oy + h}, [&](int iy, int x0, int x1, uint32_t* row) {
      const int from = iy + dy;
      if (from < 0 || from >= s.image.height) {
        std::fill(row + x0, row + x1, 0u);
        return;
      }
      const int a = std::clamp(-dx, x0, x1), b = std::clamp(s.image.width - dx, a, x1);
      const uint32_t* src = s.image.Row32(from);
      std::fill(row + x0, row + a, 0u);
      for (int ix = a; ix < b; ++ix) row[ix] = src[ix + dx] & 0xFFFFFF;
      std::fill(row + b, row + x1, 0u);
    });
    return TRUE;
  }
  std::vector<uint32_t> pixels = ReadSource(s, sx, sy, w, h);
  if (rop == SRCCOPY) {
    ForEachClippedRun(d, RECT{ox, oy, ox + w, oy + h}, [&](int iy, int x0, int x1, uint32_t* row) {
      std::memcpy(row + x0, &pixels[static_cast<size_t>(iy - oy) * w + (x0 - ox)],
                  static_cast<size_t>(x1 - x0) * sizeof(uint32_t));
    });
    return TRUE;
  }
  ForEachClipped(d, RECT{ox, oy, ox + w, oy + h}, [&](int ix, int iy, uint32_t& p) {
    p = Apply(rop, p & 0xFFFFFF, pixels[static_cast<size_t>(iy - oy) * w + (ix - ox)], 0);
  });
  return TRUE;
}

// [StretchBlt] ------------------------------------------------------------------------------------

namespace {

// For one axis: which source pixels make up destination pixel i, and with what weight (area
// coverage, in 1/65536 of a destination pixel).
struct Tap {
  int index;
  uint32_t weight;
};

std::vector<std::vector<Tap>> AreaTaps(int srcLen, int dstLen) {
  std::vector<std::vector<Tap>> taps(dstLen);
  double scale = static_cast<double>(srcLen) / dstLen;
  for (int i = 0; i < dstLen; ++i) {
    double a = i * scale, b = (i + 1) * scale;
    int first = static_cast<int>(std::floor(a)), last = static_cast<int>(std::ceil(b)) - 1;
    uint32_t total = 0;
    for (int k = first; k <= last; ++k) {
      double cover = std::min(b, k + 1.0) - std::max(a, static_cast<double>(k));
      uint32_t wgt = static_cast<uint32_t>(std::lround(cover / scale * 65536.0));
      if (wgt == 0) continue;
      taps[i].push_back(Tap{std::clamp(k, 0, srcLen - 1), wgt});
      total += wgt;
    }
    // Rounding must not change the brightness: the weights add up to exactly one.
    if (!taps[i].empty()) taps[i].back().weight += 65536 - total;
  }
  return taps;
}

}  // namespace

BOOL WINAPI StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                       DWORD rop) {
  if (w == sw && h == sh) return BitBlt(dest, x, y, w, h, src, sx, sy, rop);
  if (!IsKnownRop(rop)) return FALSE;
  if (!NeedsSource(rop)) return PatternOp(dest, x, y, w, h, rop);
  Target d, s;
  if (!Resolve(dest, &d) || !Resolve(src, &s)) return FALSE;
  // Mirroring by negative extents is not needed by the program.
  if (w < 0 || h < 0 || sw < 0 || sh < 0) return FALSE;
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return TRUE;
  if (s.image.Empty()) return FALSE;
  std::vector<uint32_t> pixels = ReadSource(s, sx, sy, sw, sh);
  std::vector<uint32_t> scaled(static_cast<size_t>(w) * h);
  if (DcOf(dest)->attr.stretchMode == HALFTONE) {
    auto tx = AreaTaps(sw, w), ty = AreaTaps(sh, h);
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        uint64_t acc[3] = {0, 0, 0};
        for (const Tap& v : ty[j])
          for (const Tap& u : tx[i]) {
            uint32_t p = pixels[static_cast<size_t>(v.index) * sw + u.index];
            uint64_t wgt = static_cast<uint64_t>(v.weight) * u.weight;
            acc[0] += (p & 0xFF) * wgt;
            acc[1] += ((p >> 8) & 0xFF) * wgt;
            acc[2] += ((p >> 16) & 0xFF) * wgt;
          }
        const uint64_t half = 1ull << 31;
        scaled[static_cast<size_t>(j) * w + i] = static_cast<uint32_t>(
            ((acc[0] + half) >> 32) | (((acc[1] + half) >> 32) << 8) | (((acc[2] + half) >> 32) << 16));
      }
  } else {
    for (int j = 0; j < h; ++j) {
      int v = static_cast<int>((2LL * j + 1) * sh / (2LL * h));
      for (int i = 0; i < w; ++i) {
        int u = static_cast<int>((2LL * i + 1) * sw / (2LL * w));
        scaled[static_cast<size_t>(j) * w + i] = pixels[static_cast<size_t>(v) * sw + u];
      }
    }
  }
  int ox = x + d.origin.x, oy = y + d.origin.y;
  ForEachClipped(d, RECT{ox, oy, ox + w, oy + h}, [&](int ix, int iy, uint32_t& p) {
    p = Apply(rop, p & 0xFFFFFF, scaled[static_cast<size_t>(iy - oy) * w + (ix - ox)], 0);
  });
  return TRUE;
}

// [pixels and lines] ------------------------------------------------------------------------------

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
  Target t;
  if (!Resolve(hdc, &t)) return CLR_INVALID;
  int ix = x + t.origin.x, iy = y + t.origin.y;
  if (!t.clip.Contains(ix, iy) || ix < 0 || iy < 0 || ix >= t.image.width || iy >= t.image.height)
    return CLR_INVALID;
  t.image.Row32(iy)[ix] = PixelFromColor(color);
  MarkChanged(t, RECT{ix, iy, ix + 1, iy + 1});
  return color & 0xFFFFFF;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  Target t;
  if (!Resolve(hdc, &t)) return CLR_INVALID;
  int ix = x + t.origin.x, iy = y + t.origin.y;
  if (!t.clip.Contains(ix, iy) || ix < 0 || iy < 0 || ix >= t.image.width || iy >= t.image.height)
    return CLR_INVALID;
  return ColorFromPixel(t.image.Row32(iy)[ix]);
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
  Dc* dc = DcOf(hdc);
  if (!dc) return FALSE;
  if (previous) *previous = dc->attr.penPos;
  dc->attr.penPos = POINT{x, y};
  return TRUE;
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  Dc* dc = DcOf(hdc);
  Target t;
  if (!dc || !Resolve(hdc, &t)) return FALSE;
  POINT from = dc->attr.penPos;
  dc->attr.penPos = POINT{x, y};
  GdiObject* pen = Obj(dc->attr.pen, ObjKind::Pen);
  if (!pen || pen->null) return TRUE;
  uint32_t px = PixelFromColor(pen->color);
  // Bresenham from `from` up to, but not including, the end point.
  int x0 = from.x, y0 = from.y, dx = std::abs(x - x0), dy = -std::abs(y - y0);
  int stepX = x0 < x ? 1 : -1, stepY = y0 < y ? 1 : -1, err = dx + dy;
  while (x0 != x || y0 != y) {
    int ix = x0 + t.origin.x, iy = y0 + t.origin.y;
    ForEachClipped(t, RECT{ix, iy, ix + 1, iy + 1}, [&](int, int, uint32_t& p) { p = px; });
    int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += stepX; }
    if (e2 <= dx) { err += dx; y0 += stepY; }
  }
  return TRUE;
}
