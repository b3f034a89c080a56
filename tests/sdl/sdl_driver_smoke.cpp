// Drives the SDL driver without the layer: one top-level window of the main window's size, a test
// picture, then every input event printed as one line, until a close request or the time is up.
//
// Output lines (smoke.sh reads them):
//   SCREEN left top right bottom SCALE s     the screen the driver reports, and its scale factor
//   CLIENT left top                          where the client area is, in screen coordinates
//   FIRST_FRAME_NS ns  FIRST_FRAME_MS ms     wall clock when the first frame was on screen, and
//                                            the time from main() to then
//   CLIPBOARD ok|bad                         a round trip through the desktop clipboard
//   READY pid                                input may be sent now
//   EVENT ...                                one translated input event
//   MAXRSS_KB n                              peak resident memory at the end
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "drivers/sdl/SdlDriver.h"

namespace {

using quill::InputEvent;

constexpr int kWindowW = 484, kWindowH = 614;      // the main window's outer size
constexpr int kFrameX = 3, kFrameTop = 27;          // the layer's frame and caption
constexpr int kClientW = 478, kClientH = 584;

constexpr uint32_t kMagenta = 0xFF00FF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF,
                   kWhite = 0xFFFFFF, kYellow = 0xFFFF00, kBlack = 0x000000, kCyan = 0x00FFFF;

// Frame in magenta (it must never reach the desktop); the client area in four coloured quarters
// with an 8 x 8 checkerboard of yellow and black at client (200, 260), so a screenshot shows
// whether the right part was presented, and at the right scale.
void PaintPattern(std::vector<uint32_t>& px) {
  for (int y = 0; y < kWindowH; ++y) {
    for (int x = 0; x < kWindowW; ++x) {
      const int cx = x - kFrameX, cy = y - kFrameTop;
      uint32_t c = kMagenta;
      if (cx >= 0 && cy >= 0 && cx < kClientW && cy < kClientH) {
        const bool right = cx >= kClientW / 2, bottom = cy >= kClientH / 2;
        c = bottom ? (right ? kWhite : kBlue) : (right ? kGreen : kRed);
        if (cx >= 200 && cx < 264 && cy >= 260 && cy < 324) {
          c = (((cx - 200) / 8 + (cy - 260) / 8) % 2 == 0) ? kYellow : kBlack;
        }
      }
      px[static_cast<size_t>(y) * kWindowW + x] = c;
    }
  }
}

const char* TypeName(InputEvent::Type t) {
  switch (t) {
    case InputEvent::Type::KeyDown: return "KeyDown";
    case InputEvent::Type::KeyUp: return "KeyUp";
    case InputEvent::Type::Text: return "Text";
    case InputEvent::Type::MouseMove: return "MouseMove";
    case InputEvent::Type::MouseDown: return "MouseDown";
    case InputEvent::Type::MouseUp: return "MouseUp";
    case InputEvent::Type::Activate: return "Activate";
    case InputEvent::Type::Deactivate: return "Deactivate";
    case InputEvent::Type::CloseRequest: return "CloseRequest";
    case InputEvent::Type::Minimize: return "Minimize";
    case InputEvent::Type::Restore: return "Restore";
    case InputEvent::Type::Expose: return "Expose";
  }
  return "?";
}

void Print(const InputEvent& e, HWND main) {
  std::printf("EVENT %s", TypeName(e.type));
  switch (e.type) {
    case InputEvent::Type::KeyDown:
    case InputEvent::Type::KeyUp: std::printf(" vk=0x%02X", e.vk); break;
    case InputEvent::Type::Text: std::printf(" U+%04X", static_cast<unsigned>(e.codepoint)); break;
    case InputEvent::Type::MouseMove: std::printf(" screen=%d,%d", e.screen.x, e.screen.y); break;
    case InputEvent::Type::MouseDown:
    case InputEvent::Type::MouseUp:
      std::printf(" button=%d clicks=%d screen=%d,%d", e.button, e.clicks, e.screen.x, e.screen.y);
      break;
    default: break;
  }
  std::printf(" window=%s\n", e.window == main ? "main" : e.window ? "other" : "none");
}

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  quill::SdlDriver driver;
  RECT screen{};
  if (!driver.Open(&screen)) {
    std::printf("NO_DISPLAY\n");
    return 2;
  }
  std::printf("SCREEN %d %d %d %d SCALE %d\n", static_cast<int>(screen.left), static_cast<int>(screen.top),
              static_cast<int>(screen.right), static_cast<int>(screen.bottom), driver.Scale());

  const HWND main = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x10010));
  quill::TopLevelInfo info;
  const int left = (screen.right - screen.left - kWindowW) / 2, top = (screen.bottom - screen.top - kWindowH) / 2;
  info.windowRect = RECT{left, top, left + kWindowW, top + kWindowH};
  info.clientRect = RECT{left + kFrameX, top + kFrameTop, left + kFrameX + kClientW, top + kFrameTop + kClientH};
  info.titleUtf8 = "Quillmark smoke \xe7\xbb\x8f\xe5\xba\xa6";  // with two Chinese characters
  info.minimizeBox = true;
  info.iconSize = 32;
  info.iconPixels.assign(32 * 32, 0xFF808080);
  std::printf("CLIENT %d %d\n", static_cast<int>(info.clientRect.left), static_cast<int>(info.clientRect.top));

  // Made hidden, then shown the way the layer does it: the driver asks for a whole frame first.
  driver.CreateTopLevel(main, info);
  info.visible = true;
  driver.UpdateTopLevel(main, info);

  std::vector<uint32_t> pixels(static_cast<size_t>(kWindowW) * kWindowH);
  PaintPattern(pixels);
  quill::ImageView surface;
  surface.pixels = reinterpret_cast<uint8_t*>(pixels.data());
  surface.width = kWindowW;
  surface.height = kWindowH;
  surface.stride = kWindowW * 4;
  const std::vector<RECT> whole{RECT{0, 0, kWindowW, kWindowH}};

  std::vector<InputEvent> events;
  driver.PumpInput(events, 0);
  for (const InputEvent& e : events) {
    if (e.type == InputEvent::Type::Expose && e.window == main) driver.Present(main, surface, whole);
  }
  const auto firstFrame = std::chrono::steady_clock::now();
  std::printf("FIRST_FRAME_NS %lld FIRST_FRAME_MS %.1f\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                         std::chrono::system_clock::now().time_since_epoch())
                                         .count()),
              std::chrono::duration<double, std::milli>(firstFrame - started).count());
  events.clear();

  // A partial update: a cyan square at client (10, 10), presented through its dirty rectangle only.
  for (int y = 10; y < 30; ++y) {
    for (int x = 10; x < 30; ++x) pixels[static_cast<size_t>(y + kFrameTop) * kWindowW + x + kFrameX] = kCyan;
  }
  driver.Present(main, surface, {RECT{kFrameX + 10, kFrameTop + 10, kFrameX + 30, kFrameTop + 30}});

  const std::string clip = "\xe7\xbb\x8f\xe5\xba\xa6 35.123456";
  driver.SetClipboardText(clip);
  std::printf("CLIPBOARD %s\n", driver.GetClipboardText() == clip ? "ok" : "bad");
  std::printf("READY %d\n", static_cast<int>(getpid()));

  const uint64_t deadline = driver.NowMs() + static_cast<uint64_t>(seconds) * 1000;
  bool closed = false;
  while (!closed && driver.NowMs() < deadline) {
    events.clear();
    driver.PumpInput(events, 100);
    for (const InputEvent& e : events) {
      if (e.type == InputEvent::Type::MouseMove) continue;  // too many to be worth printing
      Print(e, main);
      if (e.type == InputEvent::Type::Expose) driver.Present(main, surface, whole);
      if (e.type == InputEvent::Type::CloseRequest) closed = true;
    }
  }
  driver.DestroyTopLevel(main);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("MAXRSS_KB %ld\n", usage.ru_maxrss);
  return closed ? 0 : 1;
}
