// The text, caret, selection, length limit and undo of a single-line edit control, without any
// window. The window procedure turns messages into calls on this model and draws what it holds; a
// fuzz target can drive it directly with arbitrary input.
//
// Texts are bytes in the ANSI code page (GBK). Positions are byte offsets, and every position the
// model hands out lies on a character boundary, so a double-byte character is never split by the
// caret, the selection, a deletion, an undo or the limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quill::controls {

class EditModel {
 public:
  // The platform's own maximum for a single-line edit, used when the limit is set to 0.
  static constexpr size_t kMaxLimit = 0x7FFFFFFE;

  // What an operation did, so the control knows which notifications to send.
  struct Outcome {
    bool changed = false;  // the text changed (EN_UPDATE, then EN_CHANGE)
    bool limited = false;  // the limit refused or cut what the user added (EN_MAXTEXT)
  };

  // [text and selection] ------------------------------------------------------------------------
  const std::string& Text() const { return text_; }
  size_t Caret() const { return caret_; }    // the moving end of the selection
  size_t Anchor() const { return anchor_; }  // the fixed end
  size_t SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  size_t SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
  bool HasSelection() const { return caret_ != anchor_; }
  std::string SelectedText() const;

  // Text set by the program: never limited; the caret goes to the start, undo is emptied and the
  // text counts as unmodified.
  void SetText(std::string_view text);

  // Both ends are clamped to the text and moved back to a character boundary.
  void Select(size_t anchor, size_t caret);
  void SelectAll() { Select(0, text_.size()); }
  // Moves the caret; with `extend` the anchor stays, so the selection grows or shrinks.
  void MoveCaret(size_t to, bool extend);
  // Selects the word under `pos` together with the blanks after it (a double click).
  void SelectWordAt(size_t pos);

  // [character and word boundaries] --------------------------------------------------------------
  size_t BoundaryAtOrBefore(size_t pos) const;
  size_t NextBoundary(size_t pos) const;  // pos itself at the end of the text
  size_t PrevBoundary(size_t pos) const;  // 0 at the start
  size_t WordLeft(size_t pos) const;      // the start of the word before (or under) pos
  size_t WordRight(size_t pos) const;     // the start of the next word, or the end of the text

  // [limit] --------------------------------------------------------------------------------------
  size_t Limit() const { return limit_; }
  // 0, and anything above the platform maximum, means the platform maximum. Text already longer
  // than the new limit stays whole.
  void SetLimit(size_t bytes);

  // [editing by the user] ------------------------------------------------------------------------
  // One byte of a typed character (WM_CHAR, code 32 or more). A double-byte character arrives as
  // its lead byte, then its trail byte; the lead byte waits for its partner, and a lead byte that
  // is followed by anything but a trail byte is dropped.
  Outcome TypeByte(unsigned char byte);
  // Forgets a lead byte still waiting for its trail byte (any other input in between).
  void CancelPendingLead() { pendingLead_ = 0; }
  // One whole character (1 or 2 bytes) replacing the selection; refused whole when the text would
  // grow past the limit.
  Outcome TypeCharacter(std::string_view character);
  // Pasted text: only its first line, cut at a character boundary to what the limit leaves room for.
  Outcome Paste(std::string_view text);
  Outcome Backspace();
  Outcome DeleteForward();
  Outcome DeleteSelection();

  // [editing by the program] ---------------------------------------------------------------------
  // EM_REPLACESEL: cut to fit the limit like a paste, but line breaks are kept as given.
  Outcome ReplaceSelection(std::string_view text, bool undoable);

  // [undo: one level] ----------------------------------------------------------------------------
  bool CanUndo() const { return undo_.valid; }
  // Reverts the last edit; undoing again reverts the undo, as the platform's one-level undo does.
  Outcome Undo();
  void EmptyUndo();

  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

 private:
  enum class Run { None, Typing, Backspacing, Deleting };
  struct UndoRecord {
    bool valid = false;
    size_t pos = 0;
    std::string removed;   // the bytes the edit took out at pos
    std::string inserted;  // the bytes it put in their place
  };

  // Replaces [from, to) with `with` and records the edit for undo, merging it into the previous
  // record while the user keeps typing or deleting in one place.
  Outcome Replace(size_t from, size_t to, std::string_view with, Run run);
  // How many bytes of the selection's replacement still fit under the limit.
  size_t Room() const;
  bool IsBlankAt(size_t pos) const;

  std::string text_;
  size_t caret_ = 0;
  size_t anchor_ = 0;
  size_t limit_ = kMaxLimit;
  unsigned char pendingLead_ = 0;
  bool modified_ = false;
  UndoRecord undo_;
  Run lastRun_ = Run::None;
};

}  // namespace quill::controls
