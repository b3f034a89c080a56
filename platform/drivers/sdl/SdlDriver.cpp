#include "drivers/sdl/SdlDriver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "drivers/sdl/SdlX11Errors.h"
#include "win/user.h"

namespace quill {

namespace {

// The desktop's whole scale factor: how many desktop pixels show one of the program's pixels.
int DesktopScale() {
  if (const char* forced = SDL_getenv("QUILL_SCALE")) {
    int value = std::atoi(forced);
    if (value >= 1 && value <= 8) return value;
  }
  float hdpi = 0;
  if (SDL_GetDisplayDPI(0, nullptr, &hdpi, nullptr) != 0 || !(hdpi > 0)) return 1;
  // Densities worked out from a monitor's size in whole millimetres come out a little low
  // (191.9 for a desktop meant to be 192), so a small allowance keeps those at their factor.
  return std::clamp(static_cast<int>(std::floor(hdpi / 96.0f + 0.05f)), 1, 8);
}

}  // namespace

SdlDriver::~SdlDriver() {
  windows_.clear();
  if (open_) SDL_Quit();
}

bool SdlDriver::Open(RECT* primaryScreen) {
  if (!open_) {
    // A software framebuffer: the layer draws every pixel itself, and leaving OpenGL out makes
    // the first window appear several times sooner with a tenth of the memory.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A desktop tool must neither keep the screen awake nor ask to bypass the compositor.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The input method shows its own candidate list and composition; only committed text
    // reaches us.
    SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
    SDL_SetHint(SDL_HINT_IME_INTERNAL_EDITING, "1");
    // Closing the last window is the program's decision (it may ask first), never SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A click on an inactive window activates it and still counts as a click.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_APP_NAME, "Quillmark");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    // Without a desktop, SDL may fall back to a video driver that shows nothing (an off-screen
    // buffer, or the console's framebuffer): the window would exist where nobody can see or close
    // it. Only a desktop counts as a display, unless the user chose a driver explicitly.
    const char* chosen = SDL_getenv("SDL_VIDEODRIVER");
    const char* current = SDL_GetCurrentVideoDriver();
    bool desktop = current && (SDL_strcmp(current, "x11") == 0 || SDL_strcmp(current, "wayland") == 0);
    if (!desktop && !(chosen && *chosen)) {
      SDL_Quit();
      return false;
    }
    open_ = true;
    IgnoreMessagesToDestroyedWindows();
    scale_ = DesktopScale();
    SDL_StartTextInput();
  }
  SDL_Rect bounds{0, 0, 0, 0};
  if (SDL_GetDisplayBounds(0, &bounds) != 0) return false;
  if (primaryScreen) {
    *primaryScreen = RECT{bounds.x / scale_, bounds.y / scale_, (bounds.x + bounds.w) / scale_,
                          (bounds.y + bounds.h) / scale_};
  }
  return true;
}

SdlTopLevel* SdlDriver::Find(HWND hwnd) {
  for (auto& w : windows_) {
    if (w->Hwnd() == hwnd) return w.get();
  }
  return nullptr;
}

SdlTopLevel* SdlDriver::FindById(Uint32 id) {
  for (auto& w : windows_) {
    if (w->Id() == id) return w.get();
  }
  return nullptr;
}

void SdlDriver::CreateTopLevel(HWND hwnd, const TopLevelInfo& info) {
  if (!open_ || Find(hwnd)) return;
  auto window = std::make_unique<SdlTopLevel>(hwnd, scale_);
  if (!window->Create(info)) {
    std::fprintf(stderr, "quill: cannot create a desktop window: %s\n", SDL_GetError());
    return;
  }
  windows_.push_back(std::move(window));
  UpdateTopLevel(hwnd, info);
}

void SdlDriver::UpdateTopLevel(HWND hwnd, const TopLevelInfo& info) {
  SdlTopLevel* window = Find(hwnd);
  if (window && window->Apply(info, NowMs())) {
    // The window waits for a whole frame before it appears; ask the layer for one.
    InputEvent expose;
    expose.type = InputEvent::Type::Expose;
    expose.window = hwnd;
    pending_.push_back(expose);
  }
}

void SdlDriver::DestroyTopLevel(HWND hwnd) {
  windows_.erase(std::remove_if(windows_.begin(), windows_.end(), [&](const auto& w) { return w->Hwnd() == hwnd; }),
                 windows_.end());
  pending_.erase(std::remove_if(pending_.begin(), pending_.end(), [&](const InputEvent& e) { return e.window == hwnd; }),
                 pending_.end());
}

void SdlDriver::Present(HWND hwnd, const ImageView& surface, const std::vector<RECT>& dirty) {
  if (SdlTopLevel* window = Find(hwnd)) window->Present(surface, dirty);
}

uint64_t SdlDriver::NowMs() { return SDL_GetTicks64(); }

std::string SdlDriver::GetClipboardText() {
  if (!open_) return {};
  char* text = SDL_GetClipboardText();
  std::string result = text ? text : "";
  SDL_free(text);
  return result;
}

void SdlDriver::SetClipboardText(const std::string& utf8) {
  if (open_) SDL_SetClipboardText(utf8.c_str());
}

void SdlDriver::ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8, UINT type) {
  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  // The icon is a field of its own in the type: warning (0x30) shares a bit with error (0x10).
  switch (type & 0xF0) {
    case MB_ICONERROR: flags = SDL_MESSAGEBOX_ERROR; break;
    case MB_ICONWARNING: flags = SDL_MESSAGEBOX_WARNING; break;
    default: break;
  }
  if (open_ && SDL_ShowSimpleMessageBox(flags, titleUtf8.c_str(), textUtf8.c_str(), nullptr) == 0) return;
  // Without a display (or when the desktop cannot show the box) standard error still tells.
  std::fprintf(stderr, "%s: %s\n", titleUtf8.c_str(), textUtf8.c_str());
  std::fflush(stderr);
}

}  // namespace quill
