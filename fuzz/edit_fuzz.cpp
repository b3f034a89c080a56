// The single-line edit model driven by an arbitrary script of typed bytes, whole characters,
// pastes, deletions, selections, limits and undos. After every step the caret and the anchor lie
// on character boundaries; typing and pasting never take the text past the limit; an edit keeps
// every character outside the range it replaced whole; and text that starts well formed never
// ends in a lead byte left without its trail byte.
//
// Script: one opcode byte, then the opcode's operands (a length byte and that many bytes for texts,
// two bytes for positions and limits).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "controls/EditModel.h"
#include "kernel/CodePage.h"

namespace {

using quill::controls::EditModel;

class Script {
 public:
  Script(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Done() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  size_t Number() { return Byte() | static_cast<size_t>(Byte()) << 8; }
  std::string_view Text() {
    size_t length = Byte();
    if (length > size_ - pos_) length = size_ - pos_;
    std::string_view text(reinterpret_cast<const char*>(data_ + pos_), length);
    pos_ += length;
    return text;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

[[noreturn]] void Fail(const char* what, size_t step) {
  std::fprintf(stderr, "edit_fuzz: %s (step %zu)\n", what, step);
  std::abort();
}

// The character boundaries of a text, found by reading it from the start.
std::vector<size_t> Boundaries(const std::string& text) {
  std::vector<size_t> at;
  size_t i = 0;
  while (i < text.size()) {
    at.push_back(i);
    i += quill::cp936::CharLength(text, i);
  }
  at.push_back(text.size());
  return at;
}

bool IsBoundary(const std::vector<size_t>& boundaries, size_t pos) {
  return std::binary_search(boundaries.begin(), boundaries.end(), pos);
}

bool EndsInLoneLead(const std::string& text) {
  std::vector<size_t> at = Boundaries(text);
  if (at.size() < 2) return false;
  size_t last = at[at.size() - 2];
  return last == text.size() - 1 && quill::cp936::IsLeadByte(static_cast<unsigned char>(text[last]));
}

enum Op : uint8_t {
  kTypeByte, kTypeCharacter, kPaste, kReplace, kBackspace, kDelete, kDeleteSelection, kSelect, kMoveCaret,
  kSelectAll, kSelectWord, kSetLimit, kUndo, kSetText, kCancelLead, kOpCount
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Script script(data, size);
  EditModel model;
  model.SetLimit(script.Byte());  // a small limit (0 is the platform maximum) keeps the limit in play
  bool wellFormed = true;         // the text has been free of a dangling lead byte from the start

  for (size_t step = 0; !script.Done() && step < 4096; ++step) {
    const std::string before = model.Text();
    const std::vector<size_t> oldBounds = Boundaries(before);
    // Where an edit may touch the text: from the selection's start (or the character before the
    // caret) to the selection's end (or the character after it).
    const size_t editFrom = std::min(model.SelectionStart(), model.PrevBoundary(model.Caret()));
    const size_t editTo = std::max(model.SelectionEnd(), model.NextBoundary(model.Caret()));
    bool adds = false;      // typing or pasting: bound by the limit
    bool isEdit = false;    // changes only [editFrom, editTo)
    bool trusted = true;    // the input cannot itself bring a dangling lead byte

    switch (static_cast<Op>(script.Byte() % kOpCount)) {
      case kTypeByte: model.TypeByte(script.Byte()); adds = isEdit = true; break;
      case kTypeCharacter: {
        std::string_view c = script.Text().substr(0, 2);
        // A whole character: one byte that is not a lead byte, or a lead and a trail byte. A zero
        // byte is no character of a zero-terminated text (the control never passes one).
        if (c.find('\0') != std::string_view::npos) break;
        if (c.size() == 1 && quill::cp936::IsLeadByte(static_cast<unsigned char>(c[0]))) break;
        if (c.size() == 2 && quill::cp936::CharLength(c, 0) != 2) break;
        model.TypeCharacter(c);
        adds = isEdit = true;
        break;
      }
      case kPaste: model.Paste(script.Text()); adds = isEdit = true; break;
      case kReplace: model.ReplaceSelection(script.Text(), script.Byte() & 1); adds = isEdit = true; break;
      case kBackspace: model.Backspace(); isEdit = true; break;
      case kDelete: model.DeleteForward(); isEdit = true; break;
      case kDeleteSelection: model.DeleteSelection(); isEdit = true; break;
      case kSelect: { size_t a = script.Number(); model.Select(a, script.Number()); break; }
      case kMoveCaret: { size_t to = script.Number(); model.MoveCaret(to, script.Byte() & 1); break; }
      case kSelectAll: model.SelectAll(); break;
      case kSelectWord: model.SelectWordAt(script.Number()); break;
      case kSetLimit: model.SetLimit(script.Number() % 64); break;
      case kUndo: model.Undo(); break;
      case kSetText: {
        std::string_view text = script.Text();
        model.SetText(text);
        trusted = false;
        break;
      }
      case kCancelLead: model.CancelPendingLead(); break;
      case kOpCount: break;
    }

    const std::string& after = model.Text();
    const std::vector<size_t> newBounds = Boundaries(after);
    if (model.Caret() > after.size() || model.Anchor() > after.size()) Fail("caret or anchor beyond the text", step);
    if (!IsBoundary(newBounds, model.Caret()) || !IsBoundary(newBounds, model.Anchor()))
      Fail("caret or anchor inside a double-byte character", step);
    if (adds && after.size() > before.size() && after.size() > model.Limit()) Fail("typing or pasting passed the limit", step);
    if (isEdit && after != before) {
      // Characters before and after the edited range keep their boundaries.
      for (size_t b : oldBounds) {
        if (b <= editFrom && !IsBoundary(newBounds, b)) Fail("an edit split a character before it", step);
        if (b >= editTo && !IsBoundary(newBounds, b + after.size() - before.size()))
          Fail("an edit split a character after it", step);
      }
      if (after.compare(0, editFrom, before, 0, editFrom) != 0) Fail("an edit changed text before its range", step);
    }
    if (!trusted) wellFormed = !EndsInLoneLead(after);
    else if (wellFormed && EndsInLoneLead(after)) Fail("an edit left a lead byte without its trail byte", step);
  }
  return 0;
}
