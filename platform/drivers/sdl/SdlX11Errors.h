// On X11, SDL wakes its own wait for events by sending a message to one of the program's windows
// over a second connection to the X server. The server may take that message only after the
// window has been destroyed on the main connection (closing the window, or Esc, right after input
// arrived), and Xlib's default answer to the resulting BadWindow error is to end the process with
// exit code 1. A message that finds its window gone has nothing left to do, so that error alone
// is ignored; every other error still goes to the handler that was there before.
#pragma once

namespace quill {

// Installs the handler once SDL's video is up on X11; does nothing on any other video driver.
void IgnoreMessagesToDestroyedWindows();

}  // namespace quill
