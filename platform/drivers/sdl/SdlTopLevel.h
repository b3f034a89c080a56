// One top-level window of the layer shown as a desktop window through SDL.
//
// The desktop draws the frame and caption, so the SDL window covers only the client area and
// shows the client part of the layer's surface, enlarged by the desktop's whole scale factor.
// A window is first shown only once a whole frame is in its pixels, so it never flashes garbage.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "drivers/Driver.h"

namespace quill {

class SdlTopLevel {
 public:
  SdlTopLevel(HWND hwnd, int scale);
  ~SdlTopLevel();
  SdlTopLevel(const SdlTopLevel&) = delete;
  SdlTopLevel& operator=(const SdlTopLevel&) = delete;

  // Makes the desktop window (hidden until Apply asks for it). False when SDL refuses.
  bool Create(const TopLevelInfo& info);

  // Brings the desktop window in line with the layer's description. True when the window has
  // just been asked to appear and needs a whole frame before it is shown.
  bool Apply(const TopLevelInfo& info, uint64_t nowMs);

  // Copies the dirty parts of the client area from `surface` (the whole window rectangle) to
  // the screen, and shows the window if it was waiting for its first whole frame.
  void Present(const ImageView& surface, const std::vector<RECT>& dirty);

  // The desktop lost what it showed of the window; our own copy of the pixels is intact.
  void Repaint();

  // A window waiting for its first frame that did not come in time is shown as it is.
  bool ShowPending() const { return showPending_; }
  uint64_t ShowDeadline() const { return showRequestedAt_ + kShowWaitMs; }
  void ShowNow();

  // A point in SDL's window coordinates in the layer's screen coordinates.
  POINT ToScreen(int x, int y) const;

  // The desktop minimised or restored the window by itself.
  void NoteMinimized(bool minimized) { minimized_ = minimized; }
  bool Minimized() const { return minimized_; }

  HWND Hwnd() const { return hwnd_; }
  Uint32 Id() const { return window_ ? SDL_GetWindowID(window_) : 0; }

 private:
  static constexpr uint64_t kShowWaitMs = 250;

  void ApplyIcon(const TopLevelInfo& info);
  void CopyRect(SDL_Surface* target, const ImageView& surface, SDL_Rect client);
  bool CoversClient(const std::vector<RECT>& dirty) const;

  HWND hwnd_;
  int scale_;
  SDL_Window* window_ = nullptr;
  TopLevelInfo info_;
  bool shown_ = false;        // mapped on the desktop by us
  bool minimized_ = false;    // as last applied or reported by the desktop
  bool showPending_ = false;  // asked to appear, waiting for a whole frame
  uint64_t showRequestedAt_ = 0;
  std::vector<uint32_t> row_;  // one scaled row in XRGB8888, reused between presents
};

}  // namespace quill
