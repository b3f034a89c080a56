// What a BUTTON window knows about itself. The record is kept beside the window, keyed by its
// handle, rather than in GWLP_USERDATA: that slot belongs to whoever created the button (a program
// that subclasses it keeps its own pointer there).
#pragma once

#include "win/base.h"

namespace quill::controls {

struct ButtonState {
  HFONT font = nullptr;        // WM_SETFONT; null draws with the default GUI font
  bool checked = false;        // radio buttons: BST_CHECKED
  bool pushed = false;         // the pressed look (BST_PUSHED)
  bool tracking = false;       // the left button went down on us and we hold the mouse capture
  bool spaceDown = false;      // Space went down while we had the focus and has not come up
  bool focused = false;        // between WM_SETFOCUS and WM_KILLFOCUS
  bool keyboardCues = true;    // the focus came, or a key was used, from the keyboard
  bool mouseFocusing = false;  // inside our own button-down handling: a focus arriving now is by mouse
};

// The state of a live BUTTON window, or nullptr (not a button, or already destroyed).
ButtonState* FindButtonState(HWND hwnd);
// Creates the record when the window is being created; returns the existing one if any.
ButtonState* AddButtonState(HWND hwnd);
// Forgets the window (WM_NCDESTROY).
void RemoveButtonState(HWND hwnd);

}  // namespace quill::controls
