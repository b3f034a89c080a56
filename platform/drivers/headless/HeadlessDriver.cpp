// The headless driver: see quill/headless.h for what it implements.
//
// Sections: [driver seam] [screen] [input] [clock, clipboard, message boxes] [harness link]
#include "quill/headless.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Surface.h"
#include "kernel/CodePage.h"
#include "windows.h"

namespace quill {

namespace {

bool WritePng(const std::string& path, const uint32_t* bgrx, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
    rgb[i * 3] = (bgrx[i] >> 16) & 0xFF;
    rgb[i * 3 + 1] = (bgrx[i] >> 8) & 0xFF;
    rgb[i * 3 + 2] = bgrx[i] & 0xFF;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

}  // namespace

HeadlessDriver::HeadlessDriver(int screenWidth, int screenHeight)
    : screenWidth_(std::max(screenWidth, 1)), screenHeight_(std::max(screenHeight, 1)) {
  if (const char* dump = std::getenv("QUILL_HEADLESS_DUMP"); dump && *dump) dumpFolder_ = dump;
}

HeadlessDriver::~HeadlessDriver() = default;

// [driver seam] -----------------------------------------------------------------------------------

bool HeadlessDriver::Open(RECT* primaryScreen) {
  std::lock_guard<std::mutex> lock(mutex_);
  *primaryScreen = RECT{0, 0, screenWidth_, screenHeight_};
  return true;
}

void HeadlessDriver::CreateTopLevel(HWND hwnd, const TopLevelInfo& info) {
  std::lock_guard<std::mutex> lock(mutex_);
  windows_[hwnd].info = info;
  screenStale_ = true;
}

void HeadlessDriver::UpdateTopLevel(HWND hwnd, const TopLevelInfo& info) {
  std::lock_guard<std::mutex> lock(mutex_);
  windows_[hwnd].info = info;
  screenStale_ = true;
}

void HeadlessDriver::DestroyTopLevel(HWND hwnd) {
  std::lock_guard<std::mutex> lock(mutex_);
  windows_.erase(hwnd);
  screenStale_ = true;
}

void HeadlessDriver::Present(HWND hwnd, const ImageView& surface, const std::vector<RECT>& dirty) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Presented& p = windows_[hwnd];
    if (p.width != surface.width || p.height != surface.height) {
      p.width = surface.width;
      p.height = surface.height;
      p.pixels.assign(static_cast<size_t>(p.width) * p.height, 0);
      // A new size means every pixel is new, whatever the dirty list says.
      for (int y = 0; y < p.height; ++y)
        std::memcpy(&p.pixels[static_cast<size_t>(y) * p.width], surface.Row(y), p.width * 4u);
    } else {
      for (const RECT& d : dirty) {
        RECT r{std::max<LONG>(d.left, 0), std::max<LONG>(d.top, 0), std::min<LONG>(d.right, p.width),
               std::min<LONG>(d.bottom, p.height)};
        for (int y = r.top; y < r.bottom; ++y)
          std::memcpy(&p.pixels[static_cast<size_t>(y) * p.width + r.left], surface.Row(y) + r.left * 4,
                      static_cast<size_t>(r.right - r.left) * 4);
      }
    }
    screenStale_ = true;
  }
  DumpFrameIfAsked();
}

// [screen] ----------------------------------------------------------------------------------------

void HeadlessDriver::ComposeScreen() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!screenStale_ && !screen_.empty()) return;
  screen_.assign(static_cast<size_t>(screenWidth_) * screenHeight_, PixelFromColor(GetSysColor(COLOR_BACKGROUND)));
  std::vector<const Presented*> order;
  for (auto& [hwnd, p] : windows_)
    if (p.info.visible && !p.info.minimized && !p.pixels.empty()) order.push_back(&p);
  // Back to front: the largest Z index first.
  std::sort(order.begin(), order.end(),
            [](const Presented* a, const Presented* b) { return a->info.zOrder > b->info.zOrder; });
  for (const Presented* p : order) {
    const RECT& r = p->info.windowRect;
    for (int y = 0; y < p->height; ++y) {
      int sy = r.top + y;
      if (sy < 0 || sy >= screenHeight_) continue;
      for (int x = 0; x < p->width; ++x) {
        int sx = r.left + x;
        if (sx < 0 || sx >= screenWidth_) continue;
        screen_[static_cast<size_t>(sy) * screenWidth_ + sx] = p->pixels[static_cast<size_t>(y) * p->width + x];
      }
    }
  }
  screenStale_ = false;
}

COLORREF HeadlessDriver::ScreenPixel(int x, int y) {
  ComposeScreen();
  std::lock_guard<std::mutex> lock(mutex_);
  if (x < 0 || y < 0 || x >= screenWidth_ || y >= screenHeight_) return CLR_INVALID;
  return ColorFromPixel(screen_[static_cast<size_t>(y) * screenWidth_ + x]);
}

COLORREF HeadlessDriver::WindowPixel(HWND hwnd, int x, int y) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return CLR_INVALID;
  const Presented& p = it->second;
  if (x < 0 || y < 0 || x >= p.width || y >= p.height) return CLR_INVALID;
  return ColorFromPixel(p.pixels[static_cast<size_t>(y) * p.width + x]);
}

bool HeadlessDriver::HasTopLevel(HWND hwnd) {
  std::lock_guard<std::mutex> lock(mutex_);
  return windows_.count(hwnd) != 0;
}

TopLevelInfo HeadlessDriver::TopLevel(HWND hwnd) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? TopLevelInfo{} : it->second.info;
}

bool HeadlessDriver::DumpScreenPng(const std::string& path) {
  ComposeScreen();
  std::lock_guard<std::mutex> lock(mutex_);
  return WritePng(path, screen_.data(), screenWidth_, screenHeight_);
}

bool HeadlessDriver::DumpWindowPng(HWND hwnd, const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return false;
  return WritePng(path, it->second.pixels.data(), it->second.width, it->second.height);
}

void HeadlessDriver::DumpFrameIfAsked() {
  if (dumpFolder_.empty()) return;
  char name[32];
  int frame;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    frame = dumpCounter_++;
  }
  std::snprintf(name, sizeof name, "/frame-%05d.png", frame);
  DumpScreenPng(dumpFolder_ + name);
}

// [input] -----------------------------------------------------------------------------------------

void HeadlessDriver::Push(const InputEvent& e) {
  std::lock_guard<std::mutex> lock(mutex_);
  pending_.push_back(e);
}

void HeadlessDriver::KeyDown(UINT vk) {
  InputEvent e;
  e.type = InputEvent::Type::KeyDown;
  e.vk = vk;
  Push(e);
}

void HeadlessDriver::KeyUp(UINT vk) {
  InputEvent e;
  e.type = InputEvent::Type::KeyUp;
  e.vk = vk;
  Push(e);
}

void HeadlessDriver::Key(UINT vk, unsigned modifiers) {
  if (modifiers & kCtrl) KeyDown(VK_CONTROL);
  if (modifiers & kAlt) KeyDown(VK_MENU);
  if (modifiers & kShift) KeyDown(VK_SHIFT);
  KeyDown(vk);
  KeyUp(vk);
  if (modifiers & kShift) KeyUp(VK_SHIFT);
  if (modifiers & kAlt) KeyUp(VK_MENU);
  if (modifiers & kCtrl) KeyUp(VK_CONTROL);
}

void HeadlessDriver::Type(const std::string& utf8) {
  for (char32_t c : cp936::Utf8ToUtf32(utf8)) {
    InputEvent e;
    e.type = InputEvent::Type::Text;
    e.codepoint = c;
    Push(e);
  }
}

void HeadlessDriver::MouseMove(int x, int y) {
  InputEvent e;
  e.type = InputEvent::Type::MouseMove;
  e.screen = POINT{x, y};
  Push(e);
}

void HeadlessDriver::MouseDown(int x, int y, int button) {
  InputEvent e;
  e.type = InputEvent::Type::MouseDown;
  e.screen = POINT{x, y};
  e.button = button;
  Push(e);
}

void HeadlessDriver::MouseUp(int x, int y, int button) {
  InputEvent e;
  e.type = InputEvent::Type::MouseUp;
  e.screen = POINT{x, y};
  e.button = button;
  Push(e);
}

void HeadlessDriver::Click(int x, int y, int button) {
  MouseMove(x, y);
  MouseDown(x, y, button);
  MouseUp(x, y, button);
}

void HeadlessDriver::DoubleClick(int x, int y) {
  Click(x, y);
  InputEvent e;
  e.type = InputEvent::Type::MouseDown;
  e.screen = POINT{x, y};
  e.clicks = 2;
  Push(e);
  MouseUp(x, y);
}

static InputEvent WindowEvent(InputEvent::Type type, HWND hwnd) {
  InputEvent e;
  e.type = type;
  e.window = hwnd;
  return e;
}

void HeadlessDriver::Deactivate() { Push(WindowEvent(InputEvent::Type::Deactivate, nullptr)); }
void HeadlessDriver::Activate(HWND hwnd) { Push(WindowEvent(InputEvent::Type::Activate, hwnd)); }
void HeadlessDriver::CloseRequest(HWND hwnd) { Push(WindowEvent(InputEvent::Type::CloseRequest, hwnd)); }
void HeadlessDriver::Minimize(HWND hwnd) { Push(WindowEvent(InputEvent::Type::Minimize, hwnd)); }
void HeadlessDriver::Restore(HWND hwnd) { Push(WindowEvent(InputEvent::Type::Restore, hwnd)); }

// [clock, clipboard, message boxes] ---------------------------------------------------------------

uint64_t HeadlessDriver::NowMs() {
  std::lock_guard<std::mutex> lock(mutex_);
  return now_;
}

void HeadlessDriver::AdvanceTime(uint64_t ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  now_ += ms;
}

std::string HeadlessDriver::GetClipboardText() {
  std::lock_guard<std::mutex> lock(mutex_);
  return clipboard_;
}

void HeadlessDriver::SetClipboardText(const std::string& utf8) {
  std::lock_guard<std::mutex> lock(mutex_);
  clipboard_ = utf8;
}

void HeadlessDriver::ShowMessageBox(const std::string& title, const std::string& text, UINT type) {
  std::lock_guard<std::mutex> lock(mutex_);
  boxes_.push_back(RecordedMessageBox{title, text, type});
}

std::vector<RecordedMessageBox> HeadlessDriver::MessageBoxes() {
  std::lock_guard<std::mutex> lock(mutex_);
  return boxes_;
}

// [harness link] ----------------------------------------------------------------------------------

void HeadlessDriver::AttachHarness(HarnessLink* link) {
  std::lock_guard<std::mutex> lock(mutex_);
  harness_ = link;
}

void HeadlessDriver::PumpInput(std::vector<InputEvent>& out, int waitMs) {
  HarnessLink* link;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    out.insert(out.end(), pending_.begin(), pending_.end());
    pending_.clear();
    link = harness_;
    if (!link) {
      if (waitMs != 0 && out.empty()) {
        // Single-threaded: nobody can ever inject what the caller would wait for.
        std::fprintf(stderr,
                     "quill: GetMessageA would wait forever: the headless driver has no harness "
                     "attached. Drive single-threaded tests with PeekMessageA or PumpUntilIdle.\n");
        std::abort();
      }
      return;
    }
  }
  for (;;) {
    std::function<void()> closure;
    {
      std::unique_lock<std::mutex> lock(link->mutex);
      if (!link->closures.empty()) {
        closure = std::move(link->closures.front());
        link->closures.pop_front();
      } else {
        bool nothing;
        {
          std::lock_guard<std::mutex> own(mutex_);
          out.insert(out.end(), pending_.begin(), pending_.end());
          pending_.clear();
          nothing = out.empty();
        }
        if (!nothing || waitMs == 0) return;
        if (link->wake) {
          link->wake = false;
          return;  // the clock moved: the caller looks at its timers again
        }
        // Idle: nothing queued, nothing to paint, no timer due. Park until the controller acts.
        link->parked = true;
        link->parkedAt = link->requests;
        link->cv.notify_all();
        uint64_t seen = link->requests;
        link->cv.wait(lock, [&] { return link->requests != seen; });
        link->parked = false;
        continue;
      }
    }
    closure();
    // A closure may have posted or drawn something; let the caller look before waiting.
    waitMs = 0;
  }
}

}  // namespace quill
