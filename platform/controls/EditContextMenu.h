// The edit control's right-click menu: a small popup window drawn by the control itself, with
// its own modal message loop, so it behaves the same on every driver.
#pragma once

#include "win/user.h"

namespace quill::controls {

enum class EditMenuCommand { None, Undo, Cut, Copy, Paste, Delete, SelectAll };

// Which items can be chosen; the others are shown greyed.
struct EditMenuItems {
  bool undo = false;
  bool cut = false;
  bool copy = false;
  bool paste = false;
  bool del = false;
  bool selectAll = false;
};

// Shows the menu with its top-left corner at `screen` and returns once the user chose an item
// (Enter, a click, or the item's underlined letter) or dismissed the menu (Escape, a click outside
// it, or `owner` going away). Returns None when dismissed.
EditMenuCommand TrackEditContextMenu(HWND owner, POINT screen, const EditMenuItems& enabled);

}  // namespace quill::controls
