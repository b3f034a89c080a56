// The platform's standard single-line edit control, the window class "EDIT".
#pragma once

namespace quill::controls {

// Registers the global window class "EDIT" (double clicks, the I-beam cursor, no class brush).
// Registering again while the class exists is harmless and returns true.
bool RegisterEditClass();

}  // namespace quill::controls
