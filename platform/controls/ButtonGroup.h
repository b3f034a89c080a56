// Radio button groups as the platform defines them: the siblings in Z order from the window that
// starts the group (WS_GROUP, or the first child) up to, not including, the next WS_GROUP sibling.
#pragma once

#include "win/base.h"

namespace quill::controls {

// Whether `hwnd` is a live BUTTON window of the automatic radio-button kind.
bool IsAutoRadioButton(HWND hwnd);

// Unchecks every other checked automatic radio button of the group `hwnd` belongs to.
void UncheckGroupSiblings(HWND hwnd);

}  // namespace quill::controls
