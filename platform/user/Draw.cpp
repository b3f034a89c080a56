// USER's drawing helpers: rectangles with brushes, 3-D edges and the focus rectangle.
#include "gdi/GdiState.h"
#include "windows.h"

using namespace quill;

int WINAPI FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
  if (!rect || !gdi::DcOf(hdc)) return 0;
  COLORREF c;
  if (!gdi::BrushColor(brush, &c)) return gdi::Obj(brush, gdi::ObjKind::Brush) ? 1 : 0;
  gdi::FillLogical(hdc, *rect, c);
  return 1;
}

int WINAPI FrameRect(HDC hdc, const RECT* r, HBRUSH brush) {
  if (!r || !gdi::DcOf(hdc)) return 0;
  COLORREF c;
  if (!gdi::BrushColor(brush, &c)) return gdi::Obj(brush, gdi::ObjKind::Brush) ? 1 : 0;
  if (RectEmpty(*r)) return 1;
  gdi::FillLogical(hdc, RECT{r->left, r->top, r->right, r->top + 1}, c);
  gdi::FillLogical(hdc, RECT{r->left, r->bottom - 1, r->right, r->bottom}, c);
  gdi::FillLogical(hdc, RECT{r->left, r->top, r->left + 1, r->bottom}, c);
  gdi::FillLogical(hdc, RECT{r->right - 1, r->top, r->right, r->bottom}, c);
  return 1;
}

namespace {

// One ring of an edge: top and left in one colour, bottom and right in another.
void Ring(HDC hdc, RECT& r, COLORREF topLeft, COLORREF bottomRight, UINT sides) {
  if (sides & BF_TOP) gdi::FillLogical(hdc, RECT{r.left, r.top, r.right, r.top + 1}, topLeft);
  if (sides & BF_LEFT) gdi::FillLogical(hdc, RECT{r.left, r.top, r.left + 1, r.bottom}, topLeft);
  if (sides & BF_BOTTOM) gdi::FillLogical(hdc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
  if (sides & BF_RIGHT) gdi::FillLogical(hdc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  if (sides & BF_LEFT) ++r.left;
  if (sides & BF_TOP) ++r.top;
  if (sides & BF_RIGHT) --r.right;
  if (sides & BF_BOTTOM) --r.bottom;
}

}  // namespace

BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  if (!rect || !gdi::DcOf(hdc)) return FALSE;
  RECT r = *rect;
  if (edge & BDR_RAISEDOUTER)
    Ring(hdc, r, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW), flags);
  else if (edge & BDR_SUNKENOUTER)
    Ring(hdc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT), flags);
  if (edge & BDR_RAISEDINNER)
    Ring(hdc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW), flags);
  else if (edge & BDR_SUNKENINNER)
    Ring(hdc, r, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT), flags);
  if (flags & BF_MIDDLE) gdi::FillLogical(hdc, r, GetSysColor(COLOR_BTNFACE));
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* r) {
  if (!r || !gdi::DcOf(hdc)) return FALSE;
  // A dotted outline drawn by inverting every other pixel, so drawing it twice removes it.
  auto dot = [&](int x, int y) {
    if (((x + y) & 1) == 0) PatBlt(hdc, x, y, 1, 1, DSTINVERT);
  };
  for (int x = r->left; x < r->right; ++x) {
    dot(x, r->top);
    if (r->bottom - 1 > r->top) dot(x, r->bottom - 1);
  }
  for (int y = r->top + 1; y < r->bottom - 1; ++y) {
    dot(r->left, y);
    if (r->right - 1 > r->left) dot(r->right - 1, y);
  }
  return TRUE;
}
