// The platform's standard window classes ("BUTTON", "EDIT"), registered on first use.
#pragma once

namespace quill::controls {

// Registers every standard class that is not registered yet. Cheap when they all exist, so the
// window manager calls it before each class look-up (a reset of the layer forgets the classes).
void EnsureStandardClasses();

}  // namespace quill::controls
