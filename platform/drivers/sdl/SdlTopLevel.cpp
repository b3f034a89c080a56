#include "drivers/sdl/SdlTopLevel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace quill {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Division that rounds toward minus infinity, so points left of or above the window (a drag that
// left it) stay outside it after the scale is taken off.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

SdlTopLevel::SdlTopLevel(HWND hwnd, int scale) : hwnd_(hwnd), scale_(scale) {}

SdlTopLevel::~SdlTopLevel() {
  if (window_) SDL_DestroyWindow(window_);
}

bool SdlTopLevel::Create(const TopLevelInfo& info) {
  // The desktop's own frame replaces the layer's, which is why only the client area counts here.
  // Not resizable is also what takes the maximise button away on the window managers that honour
  // fixed size hints; SDL cannot remove that button in any other way.
  const RECT& c = info.clientRect;
  window_ = SDL_CreateWindow(info.titleUtf8.c_str(), c.left * scale_, c.top * scale_,
                             std::max(1, Width(c)) * scale_, std::max(1, Height(c)) * scale_,
                             SDL_WINDOW_HIDDEN);
  if (!window_) return false;
  ApplyIcon(info);
  info_ = info;
  info_.visible = false;
  info_.minimized = false;
  return true;
}

bool SdlTopLevel::Apply(const TopLevelInfo& info, uint64_t nowMs) {
  if (!window_) return false;
  if (info.titleUtf8 != info_.titleUtf8) SDL_SetWindowTitle(window_, info.titleUtf8.c_str());
  if (info.iconSize != info_.iconSize || info.iconPixels != info_.iconPixels) ApplyIcon(info);
  const RECT& c = info.clientRect;
  if (Width(c) != Width(info_.clientRect) || Height(c) != Height(info_.clientRect)) {
    SDL_SetWindowSize(window_, std::max(1, Width(c)) * scale_, std::max(1, Height(c)) * scale_);
  }
  if (c.left != info_.clientRect.left || c.top != info_.clientRect.top) {
    SDL_SetWindowPosition(window_, c.left * scale_, c.top * scale_);
  }

  bool needsFrame = false;
  if (info.visible && !info_.visible) {
    // Showing waits for a whole frame (or a short while), so what appears is the window itself
    // and not whatever the desktop had in that place.
    showPending_ = true;
    showRequestedAt_ = nowMs;
    needsFrame = true;
  } else if (!info.visible && info_.visible) {
    showPending_ = false;
    if (shown_) SDL_HideWindow(window_);
    shown_ = false;
  }
  info_ = info;
  if (shown_ && info.minimized != minimized_) {
    if (info.minimized) {
      SDL_MinimizeWindow(window_);
    } else {
      SDL_RestoreWindow(window_);
    }
    minimized_ = info.minimized;
  }
  return needsFrame;
}

void SdlTopLevel::ShowNow() {
  showPending_ = false;
  if (!window_ || shown_) return;
  SDL_ShowWindow(window_);
  shown_ = true;
  SDL_UpdateWindowSurface(window_);
  // Start-up measurements end the process as soon as the first whole frame is on the desktop.
  // The surface update above has already waited for the display server to take the pixels.
  static const bool exitAfterFirstFrame = SDL_getenv("QUILL_EXIT_AFTER_FIRST_FRAME") != nullptr;
  if (exitAfterFirstFrame) std::_Exit(0);
  if (info_.minimized) {
    SDL_MinimizeWindow(window_);
    minimized_ = true;
  }
}

void SdlTopLevel::Repaint() {
  if (window_ && shown_) SDL_UpdateWindowSurface(window_);
}

POINT SdlTopLevel::ToScreen(int x, int y) const {
  return POINT{FloorDiv(x, scale_) + info_.clientRect.left, FloorDiv(y, scale_) + info_.clientRect.top};
}

void SdlTopLevel::ApplyIcon(const TopLevelInfo& info) {
  const int n = info.iconSize;
  if (n <= 0 || info.iconPixels.size() < static_cast<size_t>(n) * static_cast<size_t>(n)) return;
  // The icon's 32-bit values are 0xAARRGGBB (blue first in memory); SDL copies them at once.
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(info.iconPixels.data()), n, n,
                                                         32, n * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return;
  SDL_SetWindowIcon(window_, icon);
  SDL_FreeSurface(icon);
}

bool SdlTopLevel::CoversClient(const std::vector<RECT>& dirty) const {
  const int ox = info_.clientRect.left - info_.windowRect.left;
  const int oy = info_.clientRect.top - info_.windowRect.top;
  const int cw = Width(info_.clientRect), ch = Height(info_.clientRect);
  return std::any_of(dirty.begin(), dirty.end(), [&](const RECT& r) {
    return r.left <= ox && r.top <= oy && r.right >= ox + cw && r.bottom >= oy + ch;
  });
}

void SdlTopLevel::Present(const ImageView& surface, const std::vector<RECT>& dirty) {
  if (!window_ || surface.Empty() || BytesPerPixel(surface.format) != 4) return;
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (!target) return;

  // The client area's place in the surface, and the part of it both images hold (a window
  // manager that ignores our size hints may have made the desktop window smaller).
  const int ox = info_.clientRect.left - info_.windowRect.left;
  const int oy = info_.clientRect.top - info_.windowRect.top;
  const int right = std::min({Width(info_.clientRect), target->w / scale_, surface.width - ox});
  const int bottom = std::min({Height(info_.clientRect), target->h / scale_, surface.height - oy});
  const int left = std::max(0, -ox), top = std::max(0, -oy);

  std::vector<SDL_Rect> updated;
  updated.reserve(dirty.size());
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
  for (const RECT& r : dirty) {
    const int l = std::max(r.left - ox, left), t = std::max(r.top - oy, top);
    const int rr = std::min(r.right - ox, right), b = std::min(r.bottom - oy, bottom);
    if (l >= rr || t >= b) continue;
    const SDL_Rect client{l, t, rr - l, b - t};
    CopyRect(target, surface, client);
    updated.push_back(SDL_Rect{l * scale_, t * scale_, client.w * scale_, client.h * scale_});
  }
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);

  if (showPending_ && CoversClient(dirty)) {
    ShowNow();
  } else if (shown_ && !updated.empty()) {
    SDL_UpdateWindowSurfaceRects(window_, updated.data(), static_cast<int>(updated.size()));
  }
}

void SdlTopLevel::CopyRect(SDL_Surface* target, const ImageView& surface, SDL_Rect client) {
  const int s = scale_;
  const int ox = info_.clientRect.left - info_.windowRect.left;
  const int oy = info_.clientRect.top - info_.windowRect.top;
  const int rowPixels = client.w * s;
  const Uint32 targetFormat = target->format->format;
  const int targetBpp = target->format->BytesPerPixel;
  // The layer's Bgrx32 pixels are XRGB8888 in SDL's terms; the usual 24-bit desktop takes them
  // as they are, any other window format gets a row conversion.
  const bool direct = targetFormat == SDL_PIXELFORMAT_XRGB8888;
  if (s > 1) row_.resize(static_cast<size_t>(rowPixels));

  for (int y = 0; y < client.h; ++y) {
    const uint32_t* src = surface.Row32(oy + client.y + y) + ox + client.x;
    const uint32_t* row = src;
    if (s > 1) {
      // Nearest-neighbour enlargement: every pixel becomes an s x s block.
      uint32_t* out = row_.data();
      for (int x = 0; x < client.w; ++x) out = std::fill_n(out, s, src[x]);
      row = row_.data();
    }
    for (int k = 0; k < s; ++k) {
      uint8_t* dst = static_cast<uint8_t*>(target->pixels) +
                     static_cast<ptrdiff_t>((client.y + y) * s + k) * target->pitch +
                     static_cast<ptrdiff_t>(client.x) * s * targetBpp;
      if (direct) {
        std::memcpy(dst, row, static_cast<size_t>(rowPixels) * 4);
      } else {
        SDL_ConvertPixels(rowPixels, 1, SDL_PIXELFORMAT_XRGB8888, row, rowPixels * 4, targetFormat, dst,
                          target->pitch);
      }
    }
  }
}

}  // namespace quill
