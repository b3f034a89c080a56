#include "controls/EditModel.h"

#include <algorithm>
#include <vector>

#include "kernel/CodePage.h"

namespace quill::controls {

namespace {

using cp936::IsLeadByte;

// The bytes that may follow a lead byte in a typed double-byte character.
bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// The longest prefix of `text` that is at most `room` bytes and ends on a character boundary.
std::string_view CutToFit(std::string_view text, size_t room) {
  size_t end = 0;
  while (end < text.size()) {
    size_t next = end + cp936::CharLength(text, end);
    if (next > room) break;
    end = next;
  }
  return text.substr(0, end);
}

// Drops a lead byte left without its trail byte at the end of inserted text: kept, it would pair
// with the byte after the insertion point and shift every character boundary behind it.
std::string_view WithoutDanglingLead(std::string_view text) {
  size_t i = 0, last = 0;
  while (i < text.size()) {
    last = i;
    i += cp936::CharLength(text, i);
  }
  if (!text.empty() && last == text.size() - 1 && IsLeadByte(static_cast<unsigned char>(text[last])))
    text.remove_suffix(1);
  return text;
}

// A text is zero-terminated, so nothing after an embedded zero byte can be part of it.
std::string_view UpToZero(std::string_view text) {
  size_t zero = text.find('\0');
  return zero == std::string_view::npos ? text : text.substr(0, zero);
}

}  // namespace

// [text and selection] ---------------------------------------------------------------------------

std::string EditModel::SelectedText() const {
  return text_.substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

void EditModel::SetText(std::string_view text) {
  text_.assign(UpToZero(text));
  caret_ = anchor_ = 0;
  pendingLead_ = 0;
  modified_ = false;
  EmptyUndo();
}

void EditModel::Select(size_t anchor, size_t caret) {
  anchor_ = BoundaryAtOrBefore(anchor);
  caret_ = BoundaryAtOrBefore(caret);
  pendingLead_ = 0;
  lastRun_ = Run::None;
}

void EditModel::MoveCaret(size_t to, bool extend) { Select(extend ? anchor_ : to, to); }

bool EditModel::IsBlankAt(size_t pos) const {
  return pos < text_.size() && (text_[pos] == ' ' || text_[pos] == '\t') && NextBoundary(pos) == pos + 1;
}

void EditModel::SelectWordAt(size_t pos) {
  pos = BoundaryAtOrBefore(pos);
  if (pos == text_.size() && pos > 0) pos = PrevBoundary(pos);
  const bool blank = IsBlankAt(pos);
  // Walk back over characters of the same kind as the one under the pointer.
  size_t start = pos;
  while (start > 0) {
    size_t prev = PrevBoundary(start);
    if (IsBlankAt(prev) != blank) break;
    start = prev;
  }
  size_t end = pos;
  while (end < text_.size() && IsBlankAt(end) == blank) end = NextBoundary(end);
  if (!blank)
    while (end < text_.size() && IsBlankAt(end)) end = NextBoundary(end);
  Select(start, end);
}

// [character and word boundaries] ----------------------------------------------------------------

// A byte that is not a lead byte always ends a character (as a character of its own or as the
// trail of a pair), so the boundaries can be found by scanning forward from just after the
// nearest such byte instead of from the start of the text.
size_t EditModel::BoundaryAtOrBefore(size_t pos) const {
  pos = std::min(pos, text_.size());
  size_t i = pos;
  while (i > 0 && IsLeadByte(static_cast<unsigned char>(text_[i - 1]))) --i;
  size_t boundary = i;
  while (i < pos) {
    boundary = i;
    i += cp936::CharLength(text_, i);
  }
  return i == pos ? pos : boundary;
}

size_t EditModel::NextBoundary(size_t pos) const {
  if (pos >= text_.size()) return text_.size();
  return pos + cp936::CharLength(text_, pos);
}

size_t EditModel::PrevBoundary(size_t pos) const {
  if (pos == 0) return 0;
  return BoundaryAtOrBefore(pos - 1);
}

size_t EditModel::WordLeft(size_t pos) const {
  pos = BoundaryAtOrBefore(pos);
  // One forward pass collects the boundaries, so a long run of double-byte text costs no more
  // than one scan.
  std::vector<size_t> starts;
  for (size_t i = 0; i < pos; i = NextBoundary(i)) starts.push_back(i);
  size_t k = starts.size();
  while (k > 0 && IsBlankAt(starts[k - 1])) --k;
  while (k > 0 && !IsBlankAt(starts[k - 1])) --k;
  return k < starts.size() ? starts[k] : pos;
}

size_t EditModel::WordRight(size_t pos) const {
  pos = BoundaryAtOrBefore(pos);
  while (pos < text_.size() && !IsBlankAt(pos)) pos = NextBoundary(pos);
  while (pos < text_.size() && IsBlankAt(pos)) pos = NextBoundary(pos);
  return pos;
}

// [limit] ----------------------------------------------------------------------------------------

void EditModel::SetLimit(size_t bytes) { limit_ = (bytes == 0 || bytes > kMaxLimit) ? kMaxLimit : bytes; }

size_t EditModel::Room() const {
  const size_t kept = text_.size() - (SelectionEnd() - SelectionStart());
  return kept < limit_ ? limit_ - kept : 0;
}

// [editing] --------------------------------------------------------------------------------------

EditModel::Outcome EditModel::TypeByte(unsigned char byte) {
  if (pendingLead_) {
    const unsigned char lead = pendingLead_;
    pendingLead_ = 0;
    if (IsTrailByte(byte)) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(byte)};
      return TypeCharacter(std::string_view(pair, 2));
    }
    // The lead byte had no partner; it is dropped and this byte is taken on its own.
  }
  if (byte < 32 || byte == 0x7F) return {};
  if (IsLeadByte(byte)) {
    pendingLead_ = byte;
    return {};
  }
  const char single = static_cast<char>(byte);
  return TypeCharacter(std::string_view(&single, 1));
}

EditModel::Outcome EditModel::TypeCharacter(std::string_view character) {
  if (character.empty()) return {};
  // The selection counts as removed before the new character is weighed against the limit.
  if (character.size() > Room()) return {false, true};
  return Replace(SelectionStart(), SelectionEnd(), character, Run::Typing);
}

EditModel::Outcome EditModel::Paste(std::string_view text) {
  // A single-line edit keeps only the first line of what is pasted.
  text = UpToZero(text);
  size_t lineEnd = text.find_first_of("\r\n");
  if (lineEnd != std::string_view::npos) text = text.substr(0, lineEnd);
  return ReplaceSelection(text, true);
}

EditModel::Outcome EditModel::ReplaceSelection(std::string_view text, bool undoable) {
  text = WithoutDanglingLead(UpToZero(text));
  std::string_view fitted = CutToFit(text, Room());
  const bool limited = fitted.size() < text.size();
  Outcome outcome;
  // When nothing of the new text fits, the selection stays as it was: the user asked for a
  // replacement, not for a deletion.
  if (!fitted.empty() || text.empty()) outcome = Replace(SelectionStart(), SelectionEnd(), fitted, Run::None);
  if (!undoable) EmptyUndo();
  outcome.limited = limited;
  return outcome;
}

EditModel::Outcome EditModel::Backspace() {
  if (HasSelection()) return DeleteSelection();
  if (caret_ == 0) return {};
  return Replace(PrevBoundary(caret_), caret_, {}, Run::Backspacing);
}

EditModel::Outcome EditModel::DeleteForward() {
  if (HasSelection()) return DeleteSelection();
  if (caret_ == text_.size()) return {};
  return Replace(caret_, NextBoundary(caret_), {}, Run::Deleting);
}

EditModel::Outcome EditModel::DeleteSelection() {
  if (!HasSelection()) return {};
  return Replace(SelectionStart(), SelectionEnd(), {}, Run::None);
}

EditModel::Outcome EditModel::Replace(size_t from, size_t to, std::string_view with, Run run) {
  pendingLead_ = 0;
  if (from == to && with.empty()) return {};
  std::string removed = text_.substr(from, to - from);
  text_.replace(from, to - from, with);

  const bool continues = undo_.valid && run != Run::None && run == lastRun_;
  if (continues && run == Run::Typing && from == to && from == undo_.pos + undo_.inserted.size()) {
    undo_.inserted.append(with);
  } else if (continues && run == Run::Backspacing && undo_.inserted.empty() && to == undo_.pos) {
    undo_.removed.insert(0, removed);
    undo_.pos = from;
  } else if (continues && run == Run::Deleting && undo_.inserted.empty() && from == undo_.pos) {
    undo_.removed.append(removed);
  } else {
    undo_ = UndoRecord{true, from, std::move(removed), std::string(with)};
  }
  lastRun_ = run;
  caret_ = anchor_ = BoundaryAtOrBefore(from + with.size());
  modified_ = true;
  return {true, false};
}

// [undo] -----------------------------------------------------------------------------------------

EditModel::Outcome EditModel::Undo() {
  if (!undo_.valid) return {};
  const size_t pos = std::min(undo_.pos, text_.size());
  const size_t count = std::min(undo_.inserted.size(), text_.size() - pos);
  text_.replace(pos, count, undo_.removed);
  // The record now describes the undo itself, so the next undo restores what was just reverted.
  std::swap(undo_.removed, undo_.inserted);
  lastRun_ = Run::None;
  pendingLead_ = 0;
  // What came back is selected, as after an undo on the platform.
  anchor_ = BoundaryAtOrBefore(pos);
  caret_ = BoundaryAtOrBefore(pos + undo_.inserted.size());
  modified_ = true;
  return {true, false};
}

void EditModel::EmptyUndo() {
  undo_ = UndoRecord{};
  lastRun_ = Run::None;
}

}  // namespace quill::controls
