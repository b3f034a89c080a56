// Window positions, sizes, Z order and visibility, and coordinate conversion.
//
// Sections: [SetWindowPos] [ShowWindow] [rectangles] [coordinates]
#include <algorithm>

#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

// [SetWindowPos] ----------------------------------------------------------------------------------

namespace {

// Moves hwnd within its siblings; true when its place changed.
bool Restack(Window* w, HWND insertAfter) {
  auto& list = Siblings(w);
  auto it = std::find(list.begin(), list.end(), w->hwnd);
  if (it == list.end()) return false;
  size_t oldIndex = it - list.begin();
  if (insertAfter != HWND_TOP && insertAfter != HWND_BOTTOM && insertAfter != HWND_TOPMOST &&
      insertAfter != HWND_NOTOPMOST) {
    // Placing a window after itself, or after a window that is no sibling, changes nothing.
    if (insertAfter == w->hwnd || std::find(list.begin(), list.end(), insertAfter) == list.end())
      return false;
  }
  list.erase(it);
  if (insertAfter == HWND_BOTTOM) {
    list.push_back(w->hwnd);
  } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    list.insert(list.begin(), w->hwnd);
  } else {
    list.insert(std::find(list.begin(), list.end(), insertAfter) + 1, w->hwnd);
  }
  return static_cast<size_t>(std::find(list.begin(), list.end(), w->hwnd) - list.begin()) != oldIndex;
}

}  // namespace

namespace quill::user {

BOOL SetPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
  if (!(flags & SWP_NOSENDCHANGING)) {
    SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = Win(hwnd))) return FALSE;
    flags = wp.flags;
  }
  const RECT oldRect = w->rect;
  const bool wasVisible = IsVisibleChain(w);
  RECT newRect = oldRect;
  if (!(flags & SWP_NOMOVE)) newRect = RectOffset(oldRect, wp.x - oldRect.left, wp.y - oldRect.top);
  if (!(flags & SWP_NOSIZE)) {
    newRect.right = newRect.left + std::max(wp.cx, 0);
    newRect.bottom = newRect.top + std::max(wp.cy, 0);
  }
  const bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
  const bool sized = (newRect.right - newRect.left) != (oldRect.right - oldRect.left) ||
                     (newRect.bottom - newRect.top) != (oldRect.bottom - oldRect.top);
  if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  const bool restacked = !(flags & SWP_NOZORDER) && Restack(w, wp.hwndInsertAfter);
  w->rect = newRect;
  if (sized || (flags & SWP_FRAMECHANGED)) {
    RECT r = newRect;
    SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    if (!(w = Win(hwnd))) return FALSE;
    w->client = RectOffset(r, -newRect.left, -newRect.top);
    if (w->surface) w->surface->Resize(newRect.right - newRect.left, newRect.bottom - newRect.top);
  }
  const bool isVisible = IsVisibleChain(w);
  const bool topLevel = IsTopLevel(w);

  if (!(flags & SWP_NOREDRAW)) {
    const bool changed = moved || sized || restacked || wasVisible != isVisible || (flags & SWP_FRAMECHANGED);
    if (topLevel) {
      // A top-level window has its own surface: moving it keeps its pixels.
      if (isVisible && (sized || !wasVisible || (flags & SWP_FRAMECHANGED)))
        InvalidateWindow(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (changed && (wasVisible || isVisible)) {
      // What the child covered and now covers is repainted by its parent and the siblings there.
      if (Window* p = Win(w->parent)) {
        RectSet area;
        if (wasVisible) area.Add(oldRect);
        if (isVisible) area.Add(newRect);
        area.Offset(p->client.left, p->client.top);
        InvalidateWindow(p->hwnd, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
      if (isVisible)
        InvalidateWindow(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }

  if (!(w = Win(hwnd))) return FALSE;
  wp.x = newRect.left;
  wp.y = newRect.top;
  wp.cx = newRect.right - newRect.left;
  wp.cy = newRect.bottom - newRect.top;
  wp.flags = flags | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
  SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  if (!Win(hwnd)) return TRUE;

  if (topLevel) {
    if (restacked)
      UpdateDriverZOrder();
    else
      UpdateDriverTopLevel(hwnd);
    if ((flags & SWP_SHOWWINDOW) && !wasVisible && !(flags & SWP_NOACTIVATE))
      ActivateTopLevel(hwnd, WA_ACTIVE);
    if ((flags & SWP_HIDEWINDOW) && wasVisible && U().active == hwnd) ActivateNextAfter(hwnd);
  } else if (wasVisible && !isVisible) {
    // A hidden child gives the focus back to its parent and lets the mouse go.
    if (IsInside(U().focus, hwnd)) SetFocus(Win(hwnd)->parent);
    if (IsInside(U().capture, hwnd)) ReleaseCaptureOf(U().capture);
  }
  return TRUE;
}

}  // namespace quill::user

BOOL WINAPI SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return SetPos(hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetPos(hwnd, nullptr, x, y, width, height,
                SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

// [ShowWindow] ------------------------------------------------------------------------------------

namespace {

void Minimize(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w || w->minimized || !IsTopLevel(w)) return;
  w->minimized = true;
  w->style |= WS_MINIMIZE;
  SendMessageA(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
  UpdateDriverTopLevel(hwnd);
  // The desktop activates another application's window when ours goes to the taskbar.
  if (U().active == hwnd) ActivateNextAfter(hwnd);
}

void Restore(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w || !w->minimized) return;
  w->minimized = false;
  w->style &= ~WS_MINIMIZE;
  SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  InvalidateWindow(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  UpdateDriverTopLevel(hwnd);
}

}  // namespace

BOOL WINAPI ShowWindow(HWND hwnd, int cmd) {
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  const BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
  const bool topLevel = IsTopLevel(w);
  bool activate = topLevel, restore = false, minimize = false;
  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
      SetPos(hwnd, nullptr, 0, 0, 0, 0,
             SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
      minimize = true;
      activate = false;
      break;
    case SW_SHOWNA:
      activate = false;
      break;
    case SW_SHOWNOACTIVATE:
      activate = false;
      restore = true;
      break;
    case SW_SHOW:
      break;
    default:  // SW_SHOWNORMAL, SW_RESTORE, SW_SHOWDEFAULT, SW_SHOWMAXIMIZED
      restore = true;
      break;
  }
  if (!wasVisible) {
    SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
    SetPos(hwnd, nullptr, 0, 0, 0, 0,
           SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (minimize) Minimize(hwnd);
  if (restore) Restore(hwnd);
  if (activate && Win(hwnd) && !Win(hwnd)->minimized) ActivateTopLevel(hwnd, WA_ACTIVE);
  return wasVisible;
}

// [rectangles] ------------------------------------------------------------------------------------

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
  Window* w = Win(hwnd);
  if (!w || !rect) return FALSE;
  *rect = ScreenWindowRect(w);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
  Window* w = Win(hwnd);
  if (!w || !rect) return FALSE;
  *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle) {
  if (!rect) return FALSE;
  RECT in = NcInsets(style, exStyle);
  rect->left -= in.left;
  rect->top -= in.top;
  rect->right += in.right;
  rect->bottom += in.bottom;
  return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
  return AdjustWindowRectEx(rect, style, menu, 0);
}

// [coordinates] -----------------------------------------------------------------------------------

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) {
  Window* w = Win(hwnd);
  if (!w || !point) return FALSE;
  RECT c = ScreenClientRect(w);
  point->x += c.left;
  point->y += c.top;
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) {
  Window* w = Win(hwnd);
  if (!w || !point) return FALSE;
  RECT c = ScreenClientRect(w);
  point->x -= c.left;
  point->y -= c.top;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from && !ClientToScreen(from, &a)) return 0;
  if (to && !ClientToScreen(to, &b)) return 0;
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

HWND WINAPI WindowFromPoint(POINT screen) {
  int hit;
  return HitTestPoint(screen, &hit);
}

HWND WINAPI ChildWindowFromPoint(HWND parent, POINT client) {
  Window* p = Win(parent);
  if (!p) return nullptr;
  RECT c{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
  if (client.x < c.left || client.y < c.top || client.x >= c.right || client.y >= c.bottom)
    return nullptr;
  for (HWND h : p->children) {
    Window* ch = Win(h);
    if (ch && client.x >= ch->rect.left && client.x < ch->rect.right && client.y >= ch->rect.top &&
        client.y < ch->rect.bottom)
      return h;
  }
  return parent;
}
