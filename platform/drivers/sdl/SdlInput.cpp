// SdlDriver, continued: waiting for desktop events and turning them into the layer's input.
#include <algorithm>

#include "drivers/sdl/SdlDriver.h"
#include "drivers/sdl/SdlKeyMap.h"
#include "kernel/CodePage.h"

namespace quill {

namespace {

InputEvent Make(InputEvent::Type type, HWND window) {
  InputEvent e;
  e.type = type;
  e.window = window;
  return e;
}

// SDL's left, middle and right buttons as the layer numbers them; 0 for the others.
int ButtonIndex(Uint8 button, bool* known) {
  *known = true;
  switch (button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: *known = false; return 0;
  }
}

}  // namespace

void SdlDriver::PumpInput(std::vector<InputEvent>& out, int waitMs) {
  const size_t before = out.size();
  out.insert(out.end(), pending_.begin(), pending_.end());
  pending_.clear();
  if (!open_) return;

  const uint64_t start = NowMs();
  SDL_Event event;
  for (;;) {
    ShowOverdueWindows();
    while (SDL_PollEvent(&event)) Translate(event, out);
    // Events that mean nothing to the layer (composition in progress, a repaint we did
    // ourselves) do not end a wait.
    if (out.size() > before || waitMs == 0) return;
    int wait = -1;
    if (waitMs > 0) {
      const uint64_t elapsed = NowMs() - start;
      if (elapsed >= static_cast<uint64_t>(waitMs)) return;
      wait = waitMs - static_cast<int>(elapsed);
    }
    // A window waiting for its first frame must not wait on the input as well.
    for (const auto& w : windows_) {
      if (!w->ShowPending()) continue;
      const uint64_t now = NowMs();
      const int left = w->ShowDeadline() > now ? static_cast<int>(w->ShowDeadline() - now) : 0;
      wait = wait < 0 ? left : std::min(wait, left);
    }
    const bool got = wait < 0 ? SDL_WaitEvent(&event) == 1 : SDL_WaitEventTimeout(&event, wait) == 1;
    if (got) Translate(event, out);
  }
}

void SdlDriver::ShowOverdueWindows() {
  const uint64_t now = NowMs();
  for (const auto& w : windows_) {
    if (w->ShowPending() && now >= w->ShowDeadline()) w->ShowNow();
  }
}

void SdlDriver::Translate(const SDL_Event& event, std::vector<InputEvent>& out) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const UINT vk = VirtualKeyFromSdl(event.key.keysym);
      if (vk == 0) return;
      SdlTopLevel* w = FindById(event.key.windowID);
      InputEvent e = Make(event.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp,
                          w ? w->Hwnd() : nullptr);
      e.vk = vk;
      out.push_back(e);
      return;
    }
    case SDL_TEXTINPUT: {
      // Committed text, possibly several characters from one input-method conversion.
      SdlTopLevel* w = FindById(event.text.windowID);
      for (char32_t ch : cp936::Utf8ToUtf32(event.text.text)) {
        InputEvent e = Make(InputEvent::Type::Text, w ? w->Hwnd() : nullptr);
        e.codepoint = ch;
        out.push_back(e);
      }
      return;
    }
    case SDL_MOUSEMOTION: {
      SdlTopLevel* w = FindById(event.motion.windowID);
      if (!w) return;
      InputEvent e = Make(InputEvent::Type::MouseMove, w->Hwnd());
      e.screen = w->ToScreen(event.motion.x, event.motion.y);
      out.push_back(e);
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      SdlTopLevel* w = FindById(event.button.windowID);
      bool known = false;
      const int button = ButtonIndex(event.button.button, &known);
      if (!w || !known) return;
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      InputEvent e = Make(down ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp, w->Hwnd());
      e.screen = w->ToScreen(event.button.x, event.button.y);
      e.button = button;
      // SDL counts on (3, 4, ...) while the clicks stay quick; the platform makes every second
      // press a double click and the one after it a plain press again.
      e.clicks = down && event.button.clicks >= 2 && event.button.clicks % 2 == 0 ? 2 : 1;
      out.push_back(e);
      return;
    }
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window, out);
      return;
    case SDL_QUIT:
      // Asked to end from outside (a signal, the session ending): treat it as the main window's
      // close button, so the program closes in its own way rather than vanishing.
      if (!windows_.empty()) out.push_back(Make(InputEvent::Type::CloseRequest, windows_.front()->Hwnd()));
      return;
    default:
      return;
  }
}

void SdlDriver::TranslateWindowEvent(const SDL_WindowEvent& event, std::vector<InputEvent>& out) {
  SdlTopLevel* w = FindById(event.windowID);
  if (!w) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.push_back(Make(InputEvent::Type::Activate, w->Hwnd()));
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      out.push_back(Make(InputEvent::Type::Deactivate, w->Hwnd()));
      break;
    case SDL_WINDOWEVENT_CLOSE:
      out.push_back(Make(InputEvent::Type::CloseRequest, w->Hwnd()));
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      if (!w->Minimized()) out.push_back(Make(InputEvent::Type::Minimize, w->Hwnd()));
      w->NoteMinimized(true);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (w->Minimized()) out.push_back(Make(InputEvent::Type::Restore, w->Hwnd()));
      w->NoteMinimized(false);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      // SDL's copy of the window's pixels survives an expose; pushing it again is enough.
      w->Repaint();
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      // The desktop changed the window's size after all, and SDL replaces its pixel buffer with
      // an empty one: the layer must present the whole window again.
      out.push_back(Make(InputEvent::Type::Expose, w->Hwnd()));
      break;
    default:
      break;
  }
}

}  // namespace quill
