// Creating and destroying windows, in the platform's message order: WM_NCCREATE, WM_NCCALCSIZE,
// WM_CREATE, WM_SIZE, WM_MOVE, then showing; on destruction the window is hidden, WM_DESTROY goes
// to the window before its children, and WM_NCDESTROY to the children before the window.
#include "controls/StandardClasses.h"
#include <algorithm>

#include "gdi/GdiState.h"
#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

namespace {

void SendDestroyTree(HWND hwnd) {
  SendMessageA(hwnd, WM_DESTROY, 0, 0);
  Window* w = Win(hwnd);
  if (!w) return;
  for (HWND child : std::vector<HWND>(w->children)) {
    if (Window* c = Win(child)) {
      c->destroying = true;
      SendDestroyTree(child);
    }
  }
}

void FreeTree(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w) return;
  for (HWND child : std::vector<HWND>(w->children)) FreeTree(child);
  SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  w = Win(hwnd);
  if (!w) return;
  UserState& u = U();
  auto& siblings = Siblings(w);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
  PurgeWindow(hwnd);
  gdi::DestroyDcsOfWindow(hwnd);
  if (u.focus == hwnd) u.focus = nullptr;
  if (u.active == hwnd) u.active = nullptr;
  if (u.capture == hwnd) u.capture = nullptr;
  if (u.tracking.hwnd == hwnd) u.tracking = NcTracking{};
  bool topLevel = IsTopLevel(w);
  u.windows.Remove(reinterpret_cast<uintptr_t>(hwnd));
  if (topLevel)
    if (Driver* d = Drv()) d->DestroyTopLevel(hwnd);
}

}  // namespace

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  std::shared_ptr<WindowClass> cls = FindClass(className);
  if (!cls) {
    // The standard controls' classes exist from the first time a program asks for them.
    quill::controls::EnsureStandardClasses();
    cls = FindClass(className);
  }
  if (!cls) return nullptr;
  UserState& u = U();
  Driver* driver = Drv();
  HWND owner = nullptr;
  if (style & WS_CHILD) {
    if (!Win(parent)) return nullptr;
  } else if (parent) {
    Window* o = Win(parent);
    if (!o) return nullptr;
    owner = Root(o)->hwnd;
    parent = nullptr;
  }
  if (style & WS_CHILD) {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
  } else {
    if (x == CW_USEDEFAULT) {
      x = u.screen.left + 26;
      y = u.screen.top + 26;
    }
    if (width == CW_USEDEFAULT) {
      width = std::min(640, static_cast<int>(u.screen.right - u.screen.left));
      height = std::min(480, static_cast<int>(u.screen.bottom - u.screen.top));
    }
    // An overlapped window always has a caption and clips its siblings.
    if (!(style & WS_POPUP)) style |= WS_CAPTION | WS_CLIPSIBLINGS;
  }
  width = std::max(width, 0);
  height = std::max(height, 0);
  bool visible = (style & WS_VISIBLE) != 0;

  auto win = std::make_unique<Window>();
  win->cls = cls;
  win->proc = cls->proc;
  win->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
  win->exStyle = exStyle;
  win->parent = parent;
  win->owner = owner;
  win->rect = RECT{x, y, x + width, y + height};
  win->client = RECT{0, 0, width, height};
  win->id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
  win->instance = instance;
  win->extra.assign(cls->wndExtra, 0);
  if (!parent) {
    win->surface = std::make_unique<Surface>();
    win->surface->Resize(width, height);
  }
  HWND hwnd = reinterpret_cast<HWND>(u.windows.Add(std::move(win)));
  Window* w = Win(hwnd);
  w->hwnd = hwnd;
  auto& siblings = Siblings(w);
  siblings.insert(siblings.begin(), hwnd);  // a new window starts at the top of its siblings
  if (!parent && driver) driver->CreateTopLevel(hwnd, InfoFor(w));

  CREATESTRUCTA cs{param, instance, menu, parent ? parent : owner, height, width, y, x,
                   static_cast<LONG>(style), windowName, className, exStyle};
  if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (Win(hwnd)) FreeTree(hwnd);
    return nullptr;
  }
  if (!(w = Win(hwnd))) return nullptr;
  RECT r = w->rect;
  SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  if (!(w = Win(hwnd))) return nullptr;
  w->client = RectOffset(r, -w->rect.left, -w->rect.top);
  if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (!(w = Win(hwnd))) return nullptr;
  SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  if (!(w = Win(hwnd))) return nullptr;
  SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
  if (!Win(hwnd)) return nullptr;
  if (visible) ShowWindow(hwnd, (style & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
  UpdateDriverTopLevel(hwnd);
  return Win(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  if (w->destroying) return TRUE;  // already on its way out (a WM_DESTROY handler asked again)
  w->destroying = true;
  UserState& u = U();

  // Windows owned by this one go first, as the platform does.
  std::vector<HWND> owned;
  for (HWND t : u.topLevels)
    if (Window* o = Win(t); o && o->owner == hwnd) owned.push_back(t);
  for (HWND t : owned) DestroyWindow(t);

  // Hiding first deactivates a top-level and repaints what lay beneath a child.
  if (Win(hwnd) && (Win(hwnd)->style & WS_VISIBLE))
    SetPos(hwnd, nullptr, 0, 0, 0, 0,
           SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!(w = Win(hwnd))) return TRUE;
  if (IsInside(u.focus, hwnd)) {
    // The focus falls back to the parent of a destroyed child, and to nothing for a top-level.
    SetFocus(w->parent);
  }
  if (IsInside(u.capture, hwnd)) ReleaseCaptureOf(u.capture);
  if (IsInside(u.tracking.hwnd, hwnd)) u.tracking = NcTracking{};
  if (u.active == hwnd) ActivateNextAfter(hwnd);

  SendDestroyTree(hwnd);
  bool topLevel = Win(hwnd) && IsTopLevel(Win(hwnd));
  FreeTree(hwnd);
  if (topLevel) UpdateDriverZOrder();
  return TRUE;
}
