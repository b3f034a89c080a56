// How a single-line edit control shows its model: the horizontal scroll position, where each
// visible character boundary lies in pixels, hit-testing, and painting the text, the selection
// and the caret. Measuring goes through the device context's text calls, so what is measured is
// what is drawn.
#pragma once

#include <cstddef>
#include <vector>

#include "controls/EditModel.h"
#include "win/gdi.h"
#include "win/text.h"
#include "win/user.h"

namespace quill::controls {

class EditView {
 public:
  // Space between the client edge and the text, on either side.
  static constexpr int kMargin = 1;

  struct PaintState {
    HBRUSH background = nullptr;  // from the parent's WM_CTLCOLOREDIT answer, or the default
    COLORREF textColor = 0;
    bool showSelection = false;   // focused, or ES_NOHIDESEL
    bool showCaret = false;       // focused and in the visible phase of its blink
  };

  size_t FirstVisible() const { return first_; }
  void ScrollHome() { first_ = 0; }

  // Keeps the caret inside the client area (ES_AUTOHSCROLL): a caret that left on the right
  // scrolls the text so a quarter of the width is free for typing, one that left on the left
  // brings a quarter of the width of text before it into view. When the text ends inside the
  // box, text hidden on the left is pulled back into view. True when the position changed.
  bool ScrollToCaret(HDC dc, const EditModel& model, int clientWidth);

  // The character boundary nearest to client x. Past the left or right edge this is the boundary
  // just outside the visible text, so dragging beyond an edge scrolls one character at a time.
  size_t HitTest(HDC dc, const EditModel& model, int clientWidth, int x) const;
  // The start of the character under client x (for a double click).
  size_t CharacterAt(HDC dc, const EditModel& model, int clientWidth, int x) const;

  // The caret's client x, or -1 when it lies outside the visible text.
  int CaretX(HDC dc, const EditModel& model, int clientWidth) const;

  // Draws the whole client area. The DC's font is already selected.
  void Paint(HDC dc, const RECT& client, const EditModel& model, const PaintState& state) const;

 private:
  // The boundaries from first_ up to the first one right of `width`, with their x offsets from
  // the start of the visible text.
  struct Visible {
    std::vector<size_t> pos;
    std::vector<int> x;
  };
  Visible LayOut(HDC dc, const EditModel& model, int width) const;
  static int Width(HDC dc, const EditModel& model, size_t from, size_t to);
  static int TextHeight(HDC dc);

  size_t first_ = 0;  // the first visible byte, always on a character boundary
};

}  // namespace quill::controls
