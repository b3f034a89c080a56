// KERNEL: the process, its heap, files on the mapped drive, and the ANSI code page.
#pragma once

#include "base.h"

// Ends the process with the given exit code, after the layer has released the display.
[[noreturn]] void WINAPI ExitProcess(UINT exitCode);
