// The window tree: parents, owners, children and the Z order of siblings.
#include <algorithm>

#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

HWND WINAPI GetParent(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w) return nullptr;
  if (w->style & WS_CHILD) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT flags) {
  Window* w = Win(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return Root(w)->hwnd;
    case GA_ROOTOWNER: {
      Window* r = Root(w);
      while (r->owner && Win(r->owner)) r = Win(r->owner);
      return r->hwnd;
    }
    default: return nullptr;
  }
}

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w || !Win(parent) || parent == hwnd) return FALSE;
  return IsInside(hwnd, parent) ? TRUE : FALSE;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
  Window* w = Win(hwnd);
  return w && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

HWND WINAPI GetDlgItem(HWND parent, int id) {
  Window* p = Win(parent);
  if (!p) return nullptr;
  for (HWND c : p->children)
    if (Win(c) && Win(c)->id == id) return c;
  return nullptr;
}

HWND WINAPI GetTopWindow(HWND hwnd) {
  if (!hwnd) return U().topLevels.empty() ? nullptr : U().topLevels.front();
  Window* w = Win(hwnd);
  if (!w || w->children.empty()) return nullptr;
  return w->children.front();
}

HWND WINAPI GetWindow(HWND hwnd, UINT cmd) {
  Window* w = Win(hwnd);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (cmd == GW_OWNER) return w->owner;
  auto& list = Siblings(w);
  auto it = std::find(list.begin(), list.end(), hwnd);
  if (it == list.end()) return nullptr;
  switch (cmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return it + 1 == list.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == list.begin() ? nullptr : *(it - 1);
    default: return nullptr;
  }
}

HWND WINAPI SetParent(HWND child, HWND newParent) {
  Window* w = Win(child);
  Window* p = Win(newParent);
  // Only child windows move between parents; a window cannot go inside itself.
  if (!w || !p || !(w->style & WS_CHILD) || IsInside(newParent, child)) return nullptr;
  HWND old = w->parent;
  if (old == newParent) return old;
  bool visible = (w->style & WS_VISIBLE) != 0;
  if (visible)
    SetPos(child, nullptr, 0, 0, 0, 0,
           SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!(w = Win(child)) || !Win(newParent)) return nullptr;
  auto& from = Siblings(w);
  from.erase(std::remove(from.begin(), from.end(), child), from.end());
  w->parent = newParent;
  // The window keeps its coordinates, now relative to the new parent, at the top of the Z order.
  auto& to = Win(newParent)->children;
  to.insert(to.begin(), child);
  if (visible)
    SetPos(child, nullptr, 0, 0, 0, 0,
           SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return old;
}
