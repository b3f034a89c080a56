// The seam between the layer and what is really under it. The layer owns every pixel (each
// top-level window has its own backing surface); a driver only presents surfaces, reports input,
// and offers the few desktop services the layer needs. Two drivers exist: headless (tests and
// benchmarks, an in-memory screen) and sdl (a real desktop window).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Image.h"
#include "win/base.h"

namespace quill {

// One piece of input, in the desktop's terms. The layer turns these into window messages.
struct InputEvent {
  enum class Type : uint8_t {
    KeyDown,        // vk pressed (modifier keys are keys too: VK_SHIFT, VK_CONTROL, VK_MENU)
    KeyUp,          // vk released
    Text,           // one typed Unicode character (after any input-method composition)
    MouseMove,      // pointer at `screen`
    MouseDown,      // `button` pressed at `screen`; `clicks` is 2 for the second press of a double click
    MouseUp,        // `button` released at `screen`
    Activate,       // the desktop made `window` the active window (our application in front)
    Deactivate,     // the desktop switched to another application
    CloseRequest,   // the desktop's close button of `window`
    Minimize,       // the desktop minimised `window`
    Restore,        // the desktop restored `window`
    Expose,         // the desktop lost the presented pixels of `window`: present it again whole
  };
  Type type = Type::MouseMove;
  HWND window = nullptr;  // the top-level window concerned, where the event names one
  UINT vk = 0;
  char32_t codepoint = 0;
  POINT screen{0, 0};
  int button = 0;  // 0 left, 1 right, 2 middle
  int clicks = 1;
};

// What the driver needs to know to show one top-level window.
struct TopLevelInfo {
  RECT windowRect{};  // screen coordinates, whole window with its frame
  RECT clientRect{};  // screen coordinates of the client area
  bool visible = false;
  bool minimized = false;
  bool minimizeBox = false;
  bool maximizeBox = false;
  bool resizable = false;
  std::string titleUtf8;
  // Large icon as 32-bit BGRA pixels, top row first; empty when the window has none.
  std::vector<uint32_t> iconPixels;
  int iconSize = 0;
  // Stacking among the program's top-level windows: 0 is the top-most, larger values lie behind.
  int zOrder = 0;
};

class Driver {
 public:
  virtual ~Driver() = default;
  virtual const char* Name() const = 0;

  // Opens the display. False when there is none. Reports the primary screen's rectangle.
  virtual bool Open(RECT* primaryScreen) = 0;

  virtual void CreateTopLevel(HWND hwnd, const TopLevelInfo& info) = 0;
  virtual void UpdateTopLevel(HWND hwnd, const TopLevelInfo& info) = 0;
  virtual void DestroyTopLevel(HWND hwnd) = 0;

  // `surface` holds the whole window rectangle (frame included); `dirty` lists the changed
  // rectangles in surface coordinates.
  virtual void Present(HWND hwnd, const ImageView& surface, const std::vector<RECT>& dirty) = 0;

  // Appends pending input to `out`. waitMs 0 only polls; a positive value waits up to that long
  // for input; -1 waits until there is some.
  virtual void PumpInput(std::vector<InputEvent>& out, int waitMs) = 0;

  // Milliseconds on the driver's clock (the headless driver's clock is virtual).
  virtual uint64_t NowMs() = 0;

  virtual std::string GetClipboardText() = 0;  // UTF-8; empty when there is no text
  virtual void SetClipboardText(const std::string& utf8) = 0;

  // A modal message box; returns when the user dismissed it.
  virtual void ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8, UINT type) = 0;
};

}  // namespace quill
