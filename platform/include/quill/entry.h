// The program's entry point as the platform calls it. The program defines WinMain; the layer's
// process entry (main, in the driver that runs the program on a desktop) calls it.
#pragma once

#include <cstdint>

#include "win/base.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

namespace quill {

// The handle of the program's own module, as WinMain receives it. Module lookups with a null
// name (GetModuleHandleA(nullptr)) are expected to give the same value.
inline HINSTANCE MainInstance() { return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x400000)); }

// The show command the program is started with: a normal window.
constexpr int kShowNormal = 1;

}  // namespace quill
