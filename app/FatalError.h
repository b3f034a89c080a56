// The end of the road for errors the program cannot live with: the definition cannot be read,
// the window cannot be built, or memory for a handler's text or bytes is gone.
#pragma once

// Shows the error box titled "错误" with the message and ends the process with exit code -1.
[[noreturn]] void FatalError(const char* message);
