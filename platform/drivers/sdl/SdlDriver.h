// The SDL driver: the layer's top-level windows as windows on a real desktop.
//
// It implements:
//   Open             SDL video on a software framebuffer (no OpenGL, so start-up stays quick and
//                    small); the primary display as the screen; the desktop's whole scale factor.
//   CreateTopLevel,  one desktop window per top-level window, covering its client area, with the
//   UpdateTopLevel,  desktop's own frame, the window's title and icon, place, visibility and
//   DestroyTopLevel  minimised state. Shown only once a whole frame is ready.
//   Present          the dirty part of the client area, enlarged by the scale factor.
//   PumpInput        keys as virtual-key codes, typed characters after the input method, the mouse
//                    in the layer's screen coordinates, activation, close requests, minimise and
//                    restore, and Expose when the desktop window lost its pixels.
//   NowMs            SDL's millisecond clock.
//   Clipboard        the desktop clipboard as UTF-8 text.
//   ShowMessageBox   the desktop's message box, or standard error when there is no display.
//   (On X11 it also keeps SDL's own wake-up messages to a just-destroyed window from ending the
//   process: SdlX11Errors.h.)
//
// The program declares no awareness of display scaling, so on a scaled desktop everything is shown
// enlarged by the whole factor (nearest neighbour) and the screen and the mouse are reported in
// unscaled pixels. QUILL_SCALE overrides the factor (1 to 8), for testing.
// QUILL_EXIT_AFTER_FIRST_FRAME, when set, ends the process (exit code 0) right after the first
// whole frame has been shown, for measuring start-up.
#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

#include "drivers/Driver.h"
#include "drivers/sdl/SdlTopLevel.h"

namespace quill {

class SdlDriver : public Driver {
 public:
  SdlDriver() = default;
  ~SdlDriver() override;

  const char* Name() const override { return "sdl"; }
  bool Open(RECT* primaryScreen) override;

  void CreateTopLevel(HWND hwnd, const TopLevelInfo& info) override;
  void UpdateTopLevel(HWND hwnd, const TopLevelInfo& info) override;
  void DestroyTopLevel(HWND hwnd) override;
  void Present(HWND hwnd, const ImageView& surface, const std::vector<RECT>& dirty) override;

  void PumpInput(std::vector<InputEvent>& out, int waitMs) override;
  uint64_t NowMs() override;

  std::string GetClipboardText() override;
  void SetClipboardText(const std::string& utf8) override;
  void ShowMessageBox(const std::string& titleUtf8, const std::string& textUtf8, UINT type) override;

  // The factor between the layer's pixels and the desktop's; 1 until Open.
  int Scale() const { return scale_; }

 private:
  // Input translation lives in SdlInput.cpp.
  void Translate(const SDL_Event& event, std::vector<InputEvent>& out);
  void TranslateWindowEvent(const SDL_WindowEvent& event, std::vector<InputEvent>& out);
  bool WaitForEvent(SDL_Event* event, int waitMs);
  void ShowOverdueWindows();

  SdlTopLevel* Find(HWND hwnd);
  SdlTopLevel* FindById(Uint32 id);

  bool open_ = false;
  int scale_ = 1;
  std::vector<std::unique_ptr<SdlTopLevel>> windows_;  // in creation order
  std::vector<InputEvent> pending_;  // events the driver raises itself, handed out with the next pump
};

}  // namespace quill
