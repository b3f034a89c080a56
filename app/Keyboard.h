// The window's own keyboard handling, which sees every key before the focused control does:
// Tab and Shift+Tab along the tab order, arrows among radio boxes, Esc closing the window.
#pragma once

#include <windows.h>

class Control;

// True when the window consumed the key message.
bool PreTranslateKey(const MSG& msg);

// The first control of the tab order, or nullptr.
Control* FirstInTabOrder();
