// Translation of SDL's key reports into the platform's virtual-key codes.
#pragma once

#include <SDL.h>

#include "win/base.h"

namespace quill {

// The virtual-key code for a pressed or released key, or 0 for a key the program has no use for.
// Letters and punctuation follow the user's keyboard layout (as the platform's codes do); the
// digit row, named keys and the numeric keypad follow the key's position.
UINT VirtualKeyFromSdl(const SDL_Keysym& key);

}  // namespace quill
