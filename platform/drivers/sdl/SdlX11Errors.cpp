#include "drivers/sdl/SdlX11Errors.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <cstring>

namespace quill {

namespace {

using XErrorHandlerFn = int (*)(Display*, XErrorEvent*);
using XSetErrorHandlerFn = XErrorHandlerFn (*)(XErrorHandlerFn);

XErrorHandlerFn previousHandler = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
  if (error->request_code == X_SendEvent && error->error_code == BadWindow) return 0;
  return previousHandler ? previousHandler(display, error) : 0;
}

}  // namespace

void IgnoreMessagesToDestroyedWindows() {
  static bool installed = false;
  const char* video = SDL_GetCurrentVideoDriver();
  if (installed || !video || std::strcmp(video, "x11") != 0) return;
  // SDL loads the X library at run time rather than linking it, and so do we: this finds the copy
  // SDL already uses. The library stays loaded for the life of the process, as the handler does.
  void* xlib = SDL_LoadObject("libX11.so.6");
  auto setHandler = xlib ? reinterpret_cast<XSetErrorHandlerFn>(SDL_LoadFunction(xlib, "XSetErrorHandler")) : nullptr;
  if (!setHandler) return;
  previousHandler = setHandler(OnXError);
  installed = true;
}

}  // namespace quill
