// Update regions and painting: invalidation (spreading to children unless the parent clips them),
// validation, WM_PAINT for the queue when it is otherwise idle (parents before children, lower
// siblings before higher ones, so a transparent window paints after what lies beneath it), the
// immediate updates of UpdateWindow and RedrawWindow, and BeginPaint/EndPaint.
//
// Sections: [update regions] [finding work] [immediate updates] [public calls] [BeginPaint]
#include <algorithm>

#include "core/Diagnostics.h"
#include "gdi/GdiState.h"
#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

namespace {

RECT WholeWindow(const Window* w) {
  return RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
}

bool HasNonClient(const Window* w) {
  RECT whole = WholeWindow(w);
  return w->client.left > 0 || w->client.top > 0 || w->client.right < whole.right ||
         w->client.bottom < whole.bottom;
}

bool ChildrenIncluded(const Window* w, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  return !(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN);
}

bool NeedsPaintSelf(const Window* w) { return !w->update.Empty() || w->framePending; }

}  // namespace

// [update regions] --------------------------------------------------------------------------------

namespace quill::user {

bool NeedsPaint(const Window* w) { return NeedsPaintSelf(w); }

void InvalidateWindow(HWND hwnd, const RectSet* windowRegion, UINT flags) {
  Window* w = Win(hwnd);
  // A window that is not visible has no update region; showing it invalidates it whole.
  if (!w || !IsVisibleChain(w)) return;
  RectSet region = windowRegion ? *windowRegion : RectSet((flags & RDW_FRAME) ? WholeWindow(w) : w->client);
  region.Intersect(WholeWindow(w));
  RectSet clientPart = region;
  clientPart.Intersect(w->client);
  if (flags & RDW_INVALIDATE) {
    w->update.Add(clientPart);
    if (flags & RDW_ERASE && !clientPart.Empty()) w->erasePending = true;
    if ((flags & RDW_FRAME) && HasNonClient(w)) {
      RectSet frame = region;
      frame.Subtract(w->client);
      if (!frame.Empty()) w->framePending = true;
    }
  }
  if (flags & RDW_VALIDATE) {
    w->update.Subtract(region);
    if (flags & RDW_NOFRAME) w->framePending = false;
    if ((flags & RDW_NOERASE) || w->update.Empty()) w->erasePending = false;
  }
  if (!ChildrenIncluded(w, flags)) return;
  for (HWND child : std::vector<HWND>(w->children)) {
    Window* c = Win(child);
    w = Win(hwnd);
    if (!c || !w || !(c->style & WS_VISIBLE)) continue;
    RectSet sub = clientPart;
    sub.Offset(-(w->client.left + c->rect.left), -(w->client.top + c->rect.top));
    sub.Intersect(WholeWindow(c));
    if (!sub.Empty()) InvalidateWindow(child, &sub, flags);
  }
}

// [finding work] ----------------------------------------------------------------------------------

namespace {

HWND SearchPaint(HWND hwnd, HWND filter) {
  Window* w = Win(hwnd);
  if (!w || !(w->style & WS_VISIBLE)) return nullptr;
  if (NeedsPaintSelf(w) && (!filter || IsInside(hwnd, filter))) return hwnd;
  for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
    if (HWND found = SearchPaint(*it, filter)) return found;
  return nullptr;
}

}  // namespace

HWND FindWindowToPaint(HWND filter) {
  for (HWND top : U().topLevels) {
    Window* w = Win(top);
    if (!w || w->minimized) continue;
    if (HWND found = SearchPaint(top, filter)) return found;
  }
  return nullptr;
}

}  // namespace quill::user

// [immediate updates] -----------------------------------------------------------------------------

namespace {

void EraseNow(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w) return;
  if (w->framePending) {
    w->framePending = false;
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    if (!(w = Win(hwnd))) return;
  }
  if (w->erasePending) {
    w->erasePending = false;
    RectSet region = w->update;
    region.Offset(-w->client.left, -w->client.top);
    HDC hdc = gdi::CreateWindowDc(hwnd, false, gdi::DcKind::Paint, &region);
    SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    gdi::DestroyDc(hdc);
  }
}

// Paints hwnd now if it has pending work, then its children bottom to top when included.
void UpdateNow(HWND hwnd, UINT flags, bool allChildren) {
  Window* w = Win(hwnd);
  if (!w || !IsVisibleChain(w) || Root(w)->minimized) return;
  if (NeedsPaintSelf(w)) {
    if (flags & RDW_UPDATENOW)
      SendMessageA(hwnd, WM_PAINT, 0, 0);
    else
      EraseNow(hwnd);
  }
  if (!(w = Win(hwnd))) return;
  if (!allChildren && !ChildrenIncluded(w, flags)) return;
  std::vector<HWND> children(w->children.rbegin(), w->children.rend());
  for (HWND c : children) UpdateNow(c, flags, allChildren);
}

// Invalidates or validates `rect` of the window's client area (all of it for a null rect).
void InvalidateClientArea(const Window* w, const RECT* rect, UINT flags) {
  if (!rect) {
    InvalidateWindow(w->hwnd, nullptr, flags);
    return;
  }
  RectSet region(RectOffset(*rect, w->client.left, w->client.top));
  InvalidateWindow(w->hwnd, &region, flags);
}

}  // namespace

// [public calls] ----------------------------------------------------------------------------------

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  UINT flags = RDW_INVALIDATE | (erase ? RDW_ERASE : 0);
  if (!hwnd) {
    for (HWND top : std::vector<HWND>(U().topLevels))
      InvalidateWindow(top, nullptr, flags | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
  }
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  InvalidateClientArea(w, rect, flags);
  return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  UINT flags = RDW_VALIDATE | RDW_NOCHILDREN;
  InvalidateClientArea(w, rect, flags);
  return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  RectSet region = w->update;
  region.Intersect(w->client);
  bool any = !region.Empty();
  if (rect) *rect = any ? RectOffset(region.Bounds(), -w->client.left, -w->client.top) : RECT{0, 0, 0, 0};
  if (any && erase && w->erasePending) EraseNow(hwnd);
  return any ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
  if (!Win(hwnd)) return FALSE;
  UpdateNow(hwnd, RDW_UPDATENOW, true);
  return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
  Window* w = Win(hwnd);
  if (!w || region) return FALSE;  // the program passes rectangles, never regions
  if (flags & (RDW_INVALIDATE | RDW_VALIDATE)) {
    if (rect) {
      RectSet r(RectOffset(*rect, w->client.left, w->client.top));
      InvalidateWindow(hwnd, &r, flags);
    } else {
      InvalidateWindow(hwnd, nullptr, flags);
    }
  }
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateNow(hwnd, flags, false);
  return TRUE;
}

// [BeginPaint] ------------------------------------------------------------------------------------

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  Window* w = Win(hwnd);
  if (!w || !ps) return nullptr;
  if (w->framePending) {
    w->framePending = false;
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    if (!(w = Win(hwnd))) return nullptr;
  }
  RectSet region = w->update;
  region.Intersect(w->client);
  region.Offset(-w->client.left, -w->client.top);
  w->update.Clear();
  bool erase = w->erasePending;
  w->erasePending = false;
  HDC hdc = gdi::CreateWindowDc(hwnd, false, gdi::DcKind::Paint, &region);
  *ps = PAINTSTRUCT{};
  ps->hdc = hdc;
  ps->rcPaint = region.Empty() ? RECT{0, 0, 0, 0} : region.Bounds();
  if (erase) ps->fErase = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
  return hdc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  gdi::Dc* dc = gdi::DcOf(ps->hdc);
  if (!dc) {
    // After DestroyWindow the paint DC is already gone with its window; anything else is a slip.
    if (Win(hwnd)) ReportMisuse("EndPaint without a matching BeginPaint (or called twice)");
    return FALSE;
  }
  if (dc->kind != gdi::DcKind::Paint || dc->hwnd != hwnd) {
    ReportMisuse("EndPaint with a DC that BeginPaint did not give for this window");
    return FALSE;
  }
  return gdi::DestroyDc(ps->hdc) ? TRUE : FALSE;
}
