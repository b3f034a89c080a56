#include "controls/EditView.h"

#include <algorithm>
#include <cstdlib>

namespace quill::controls {

namespace {

int TextWidthOf(int clientWidth) { return std::max(clientWidth - 2 * EditView::kMargin, 1); }

// The index of `pos` among the visible boundaries, or -1.
int IndexOf(const std::vector<size_t>& positions, size_t pos) {
  auto it = std::lower_bound(positions.begin(), positions.end(), pos);
  return (it != positions.end() && *it == pos) ? static_cast<int>(it - positions.begin()) : -1;
}

}  // namespace

int EditView::Width(HDC dc, const EditModel& model, size_t from, size_t to) {
  if (to <= from) return 0;
  SIZE size{0, 0};
  if (!GetTextExtentPoint32A(dc, model.Text().data() + from, static_cast<int>(to - from), &size)) return 0;
  return size.cx;
}

int EditView::TextHeight(HDC dc) {
  TEXTMETRICA metrics{};
  return GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 16;
}

EditView::Visible EditView::LayOut(HDC dc, const EditModel& model, int width) const {
  const size_t first = model.BoundaryAtOrBefore(first_);
  Visible visible;
  visible.pos.push_back(first);
  visible.x.push_back(0);
  // Each boundary is measured from the first visible one, so kerning or rounding between
  // characters cannot drift the caret away from where the text is drawn.
  for (size_t p = first; p < model.Text().size();) {
    p = model.NextBoundary(p);
    const int x = Width(dc, model, first, p);
    visible.pos.push_back(p);
    visible.x.push_back(x);
    if (x > width) break;
  }
  return visible;
}

bool EditView::ScrollToCaret(HDC dc, const EditModel& model, int clientWidth) {
  const size_t old = first_;
  const size_t caret = model.Caret();
  const int width = TextWidthOf(clientWidth) - 1;  // the caret itself needs a pixel
  first_ = model.BoundaryAtOrBefore(first_);

  if (caret < first_) {
    first_ = caret;
    while (first_ > 0) {
      const size_t prev = model.PrevBoundary(first_);
      if (Width(dc, model, prev, caret) > width / 4) break;
      first_ = prev;
    }
  } else {
    // Walk back from the caret; only the characters that fit in the box are ever measured.
    std::vector<size_t> starts;
    for (size_t p = first_; p < caret; p = model.NextBoundary(p)) starts.push_back(p);
    size_t keep = starts.size();  // the leftmost start that leaves a quarter of the box free
    bool fits = true;
    for (size_t k = starts.size(); k > 0; --k) {
      const int w = Width(dc, model, starts[k - 1], caret);
      if (w > width) {
        fits = false;
        break;
      }
      if (w <= width * 3 / 4) keep = k - 1;
    }
    if (!fits) first_ = keep < starts.size() ? starts[keep] : caret;
  }

  // When the end of the text is in view, hidden text on the left comes back into the free space.
  if (first_ > 0) {
    const Visible visible = LayOut(dc, model, width);
    if (visible.pos.back() == model.Text().size() && visible.x.back() <= width) {
      while (first_ > 0) {
        const size_t prev = model.PrevBoundary(first_);
        if (Width(dc, model, prev, model.Text().size()) > width) break;
        first_ = prev;
      }
    }
  }
  return first_ != old;
}

size_t EditView::HitTest(HDC dc, const EditModel& model, int clientWidth, int x) const {
  const int rel = x - kMargin;
  if (rel < 0 && first_ > 0) return model.PrevBoundary(first_);
  const Visible visible = LayOut(dc, model, TextWidthOf(clientWidth));
  size_t best = 0;
  for (size_t i = 1; i < visible.pos.size(); ++i)
    if (std::abs(rel - visible.x[i]) < std::abs(rel - visible.x[best])) best = i;
  return visible.pos[best];
}

size_t EditView::CharacterAt(HDC dc, const EditModel& model, int clientWidth, int x) const {
  const int rel = x - kMargin;
  const Visible visible = LayOut(dc, model, TextWidthOf(clientWidth));
  size_t at = 0;
  for (size_t i = 1; i < visible.pos.size(); ++i)
    if (visible.x[i] <= rel && visible.pos[i] < model.Text().size()) at = i;
  return visible.pos[at];
}

int EditView::CaretX(HDC dc, const EditModel& model, int clientWidth) const {
  const Visible visible = LayOut(dc, model, TextWidthOf(clientWidth));
  const int i = IndexOf(visible.pos, model.Caret());
  return i < 0 ? -1 : kMargin + visible.x[i];
}

void EditView::Paint(HDC dc, const RECT& client, const EditModel& model, const PaintState& state) const {
  FillRect(dc, &client, state.background);
  const int height = TextHeight(dc);
  const int top = client.top + (client.bottom - client.top - height) / 2;
  const Visible visible = LayOut(dc, model, TextWidthOf(client.right - client.left));
  const size_t first = visible.pos.front(), end = visible.pos.back();
  const char* text = model.Text().data();

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, state.textColor);
  TextOutA(dc, client.left + kMargin, top, text + first, static_cast<int>(end - first));

  if (state.showSelection && model.HasSelection()) {
    const size_t from = std::max(model.SelectionStart(), first), to = std::min(model.SelectionEnd(), end);
    const int a = IndexOf(visible.pos, from), b = IndexOf(visible.pos, to);
    if (from < to && a >= 0 && b >= 0) {
      const int left = client.left + kMargin + visible.x[a];
      const RECT band{left, top, client.left + kMargin + visible.x[b], top + height};
      FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      TextOutA(dc, left, top, text + from, static_cast<int>(to - from));
    }
  }

  if (state.showCaret) {
    const int i = IndexOf(visible.pos, model.Caret());
    if (i >= 0) {
      const int x = client.left + kMargin + visible.x[i];
      const RECT bar{x, top, x + 1, top + height};
      HBRUSH brush = CreateSolidBrush(state.textColor);
      FillRect(dc, &bar, brush);
      DeleteObject(brush);
    }
  }
}

}  // namespace quill::controls
