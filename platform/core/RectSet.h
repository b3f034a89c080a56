// A set of pixels kept as disjoint rectangles: update regions, visible regions and clip regions.
#pragma once

#include <vector>

#include "win/base.h"

namespace quill {

bool RectEmpty(const RECT& r);
RECT RectIntersect(const RECT& a, const RECT& b);  // empty (all zero) when they do not meet
bool RectsOverlap(const RECT& a, const RECT& b);
RECT RectOffset(const RECT& r, int dx, int dy);
// The smallest rectangle holding both; an empty one adds nothing.
RECT RectBoundingUnion(const RECT& a, const RECT& b);

class RectSet {
 public:
  RectSet() = default;
  explicit RectSet(const RECT& r) { Add(r); }

  void Clear() { rects_.clear(); }
  bool Empty() const { return rects_.empty(); }
  const std::vector<RECT>& Rects() const { return rects_; }
  RECT Bounds() const;

  void Add(const RECT& r);          // union with r
  void Add(const RectSet& other);
  void Subtract(const RECT& r);
  void Subtract(const RectSet& other);
  void Intersect(const RECT& r);
  void Intersect(const RectSet& other);
  void Offset(int dx, int dy);

  bool Contains(int x, int y) const;
  bool Overlaps(const RECT& r) const;
  long long Area() const;

 private:
  std::vector<RECT> rects_;
};

}  // namespace quill
