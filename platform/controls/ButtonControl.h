// The platform's standard BUTTON window class: push buttons and automatic radio buttons.
#pragma once

namespace quill::controls {

// Registers the "BUTTON" class (a global class) unless it already exists. False when the window
// manager refuses it.
bool RegisterButtonClass();

}  // namespace quill::controls
