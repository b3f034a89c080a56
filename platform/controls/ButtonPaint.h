// Drawing a BUTTON window: the background its parent chooses, then the themed push button face or
// radio mark through the StylePainter, the caption, and the focus rectangle.
#pragma once

#include "controls/ButtonState.h"
#include "win/base.h"

namespace quill::controls {

// The gap between the radio mark and its caption.
constexpr int kRadioTextGap = 4;
// The focus rectangle of a push button lies this far inside its edge.
constexpr int kPushFocusInset = 3;

// Paints the whole client area of `hwnd` into `hdc` (a paint or window DC of the button).
void PaintButton(HWND hwnd, HDC hdc, const ButtonState& state);

}  // namespace quill::controls
