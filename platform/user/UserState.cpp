#include "user/UserState.h"

#include <algorithm>

#include "core/Layer.h"
#include "kernel/CodePage.h"
#include "user/Icons.h"

namespace quill::user {

namespace {

void ResetUser();
void CountUser(LiveObjects& into);
const LayerModule kUserModule{"user", &ResetUser, &CountUser};

std::unique_ptr<UserState>& Slot() {
  static std::unique_ptr<UserState> state;
  return state;
}

// A reset sends no messages: the procedures of the windows may belong to a test that has ended.
void ResetUser() { Slot().reset(); }

void CountUser(LiveObjects& into) {
  if (Slot()) into.windows += Slot()->windows.Live();
}

}  // namespace

UserState& U() {
  auto& s = Slot();
  if (!s) {
    s = std::make_unique<UserState>();
    RegisterModule(&kUserModule);
  }
  return *s;
}

Window* Win(HWND hwnd) { return U().windows.Get(reinterpret_cast<uintptr_t>(hwnd)); }

Driver* Drv() {
  Driver* d = CurrentDriver();
  UserState& u = U();
  if (d && d != u.openedDriver) {
    RECT screen{0, 0, 1024, 768};
    u.displayOpen = d->Open(&screen);
    if (u.displayOpen) u.screen = screen;
    u.openedDriver = d;
  }
  // Without a display there is nothing to show windows on or take input from.
  return u.displayOpen ? d : nullptr;
}

POINT ScreenOrigin(const Window* w) {
  POINT p{w->rect.left, w->rect.top};
  for (const Window* c = w; c->parent;) {
    const Window* p2 = Win(c->parent);
    if (!p2) break;
    p.x += p2->rect.left + p2->client.left;
    p.y += p2->rect.top + p2->client.top;
    c = p2;
  }
  return p;
}

RECT ScreenWindowRect(const Window* w) {
  POINT o = ScreenOrigin(w);
  return RECT{o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
}

RECT ScreenClientRect(const Window* w) {
  POINT o = ScreenOrigin(w);
  return RectOffset(w->client, o.x, o.y);
}

Window* Root(Window* w) {
  while (w && w->parent) {
    Window* p = Win(w->parent);
    if (!p) break;
    w = p;
  }
  return w;
}

bool IsVisibleChain(const Window* w) {
  for (; w; w = w->parent ? Win(w->parent) : nullptr)
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

bool IsDisabledChain(const Window* w) {
  for (; w; w = w->parent ? Win(w->parent) : nullptr)
    if (w->style & WS_DISABLED) return true;
  return false;
}

bool IsTopLevel(const Window* w) { return w->parent == nullptr; }

std::vector<HWND>& Siblings(Window* w) {
  if (w->parent)
    if (Window* p = Win(w->parent)) return p->children;
  return U().topLevels;
}

bool IsInside(HWND hwnd, HWND ancestor) {
  if (!ancestor) return false;
  for (Window* w = Win(hwnd); w; w = w->parent ? Win(w->parent) : nullptr)
    if (w->hwnd == ancestor) return true;
  return false;
}

TopLevelInfo InfoFor(const Window* w) {
  TopLevelInfo info;
  info.windowRect = ScreenWindowRect(w);
  info.clientRect = ScreenClientRect(w);
  info.visible = (w->style & WS_VISIBLE) != 0;
  info.minimized = w->minimized;
  info.minimizeBox = (w->style & WS_MINIMIZEBOX) != 0;
  info.maximizeBox = (w->style & WS_MAXIMIZEBOX) != 0;
  info.resizable = (w->style & WS_THICKFRAME) != 0;
  info.titleUtf8 = cp936::ToUtf8(w->text);
  HICON big = w->iconBig ? w->iconBig : (w->cls ? w->cls->icon : nullptr);
  if (const Icon* icon = IconOf(big)) {
    info.iconPixels = icon->pixels;
    info.iconSize = icon->width;
  }
  auto& z = U().topLevels;
  info.zOrder = static_cast<int>(std::find(z.begin(), z.end(), w->hwnd) - z.begin());
  return info;
}

void UpdateDriverTopLevel(HWND hwnd) {
  Window* w = Win(hwnd);
  Driver* d = Drv();
  if (w && d && IsTopLevel(w)) d->UpdateTopLevel(hwnd, InfoFor(w));
}

void UpdateDriverZOrder() {
  for (HWND h : std::vector<HWND>(U().topLevels)) UpdateDriverTopLevel(h);
}

void PresentAll() {
  Driver* d = Drv();
  if (!d) return;
  for (HWND h : std::vector<HWND>(U().topLevels)) {
    Window* w = Win(h);
    if (!w || !w->surface || RectEmpty(w->surface->dirty)) continue;
    RECT dirty = w->surface->dirty;
    w->surface->dirty = RECT{0, 0, 0, 0};
    d->Present(h, w->surface->View(), std::vector<RECT>{dirty});
  }
}

}  // namespace quill::user
