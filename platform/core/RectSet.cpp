#include "core/RectSet.h"

#include <algorithm>

namespace quill {

bool RectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT RectIntersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (RectEmpty(r)) return RECT{0, 0, 0, 0};
  return r;
}

bool RectsOverlap(const RECT& a, const RECT& b) { return !RectEmpty(RectIntersect(a, b)); }

RECT RectOffset(const RECT& r, int dx, int dy) {
  return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

RECT RectBoundingUnion(const RECT& a, const RECT& b) {
  if (RectEmpty(a)) return b;
  if (RectEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT RectSet::Bounds() const {
  if (rects_.empty()) return RECT{0, 0, 0, 0};
  RECT b = rects_.front();
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

// Appends the parts of r not covered by cut to out (at most four pieces).
static void SplitAround(const RECT& r, const RECT& cut, std::vector<RECT>& out) {
  RECT c = RectIntersect(r, cut);
  if (RectEmpty(c)) {
    out.push_back(r);
    return;
  }
  if (r.top < c.top) out.push_back(RECT{r.left, r.top, r.right, c.top});
  if (c.bottom < r.bottom) out.push_back(RECT{r.left, c.bottom, r.right, r.bottom});
  if (r.left < c.left) out.push_back(RECT{r.left, c.top, c.left, c.bottom});
  if (c.right < r.right) out.push_back(RECT{c.right, c.top, r.right, c.bottom});
}

void RectSet::Add(const RECT& r) {
  if (RectEmpty(r)) return;
  std::vector<RECT> pieces{r}, next;
  for (const RECT& have : rects_) {
    next.clear();
    for (const RECT& p : pieces) SplitAround(p, have, next);
    pieces.swap(next);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void RectSet::Add(const RectSet& other) {
  for (const RECT& r : other.rects_) Add(r);
}

void RectSet::Subtract(const RECT& r) {
  if (RectEmpty(r) || rects_.empty()) return;
  std::vector<RECT> out;
  out.reserve(rects_.size() + 4);
  for (const RECT& have : rects_) SplitAround(have, r, out);
  rects_.swap(out);
}

void RectSet::Subtract(const RectSet& other) {
  for (const RECT& r : other.rects_) Subtract(r);
}

void RectSet::Intersect(const RECT& r) {
  std::vector<RECT> out;
  for (const RECT& have : rects_) {
    RECT c = RectIntersect(have, r);
    if (!RectEmpty(c)) out.push_back(c);
  }
  rects_.swap(out);
}

void RectSet::Intersect(const RectSet& other) {
  std::vector<RECT> out;
  for (const RECT& a : rects_)
    for (const RECT& b : other.rects_) {
      RECT c = RectIntersect(a, b);
      if (!RectEmpty(c)) out.push_back(c);
    }
  rects_.swap(out);
}

void RectSet::Offset(int dx, int dy) {
  for (RECT& r : rects_) r = RectOffset(r, dx, dy);
}

bool RectSet::Contains(int x, int y) const {
  for (const RECT& r : rects_)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

bool RectSet::Overlaps(const RECT& r) const {
  for (const RECT& have : rects_)
    if (RectsOverlap(have, r)) return true;
  return false;
}

long long RectSet::Area() const {
  long long a = 0;
  for (const RECT& r : rects_) a += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
  return a;
}

}  // namespace quill
