#include "core/RectSet.h"
#include "windows.h"

BOOL WINAPI IntersectRect(LPRECT out, const RECT* a, const RECT* b) {
  if (!out) return FALSE;
  if (!a || !b) {
    *out = RECT{0, 0, 0, 0};
    return FALSE;
  }
  *out = quill::RectIntersect(*a, *b);
  return !quill::RectEmpty(*out);
}
