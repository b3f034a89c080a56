// Activation, keyboard focus and mouse capture, in the platform's message order.
//
// Activating a window of ours: WM_ACTIVATEAPP(TRUE) when the application was in the background,
// WM_NCACTIVATE(TRUE), WM_ACTIVATE; DefWindowProcA's WM_ACTIVATE then gives the window the focus
// unless something inside it has it. Deactivating the application: WM_NCACTIVATE(FALSE),
// WM_ACTIVATE(WA_INACTIVE), WM_ACTIVATEAPP(FALSE), then WM_KILLFOCUS to the focus window.
#include <algorithm>

#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

namespace {

WPARAM ActivateParam(int how, HWND hwnd) {
  Window* w = Win(hwnd);
  return MAKEWPARAM(static_cast<WORD>(how), w && w->minimized ? 1 : 0);
}

void BringToTop(HWND hwnd) {
  auto& z = U().topLevels;
  auto it = std::find(z.begin(), z.end(), hwnd);
  if (it == z.end() || it == z.begin()) return;
  z.erase(it);
  z.insert(z.begin(), hwnd);
  UpdateDriverZOrder();
}

}  // namespace

namespace quill::user {

void ActivateTopLevel(HWND hwnd, int how) {
  Window* w = Win(hwnd);
  if (!w || !IsTopLevel(w)) return;
  UserState& u = U();
  if (u.active == hwnd && u.appActive) return;
  HWND old = Win(u.active) ? u.active : nullptr;
  if (old && old != hwnd) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), reinterpret_cast<LPARAM>(hwnd));
  }
  if (!Win(hwnd)) return;
  if (!u.appActive) {
    u.appActive = true;
    for (HWND t : std::vector<HWND>(u.topLevels)) SendMessageA(t, WM_ACTIVATEAPP, TRUE, 0);
    if (!Win(hwnd)) return;
  }
  u.active = hwnd;
  BringToTop(hwnd);
  SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
  SendMessageA(hwnd, WM_ACTIVATE, ActivateParam(how, hwnd), reinterpret_cast<LPARAM>(old));
}

void DeactivateApp() {
  UserState& u = U();
  u.tracking = NcTracking{};
  if (Win(u.capture)) ReleaseCapture();
  HWND old = Win(u.active) ? u.active : nullptr;
  if (old) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, ActivateParam(WA_INACTIVE, old), 0);
  }
  u.active = nullptr;
  if (u.appActive) {
    u.appActive = false;
    for (HWND t : std::vector<HWND>(u.topLevels)) SendMessageA(t, WM_ACTIVATEAPP, FALSE, 0);
  }
  if (HWND f = u.focus) {
    u.focus = nullptr;
    SendMessageA(f, WM_KILLFOCUS, 0, 0);
  }
}

void ActivateNextAfter(HWND leaving) {
  for (HWND t : std::vector<HWND>(U().topLevels)) {
    Window* w = Win(t);
    if (t != leaving && w && (w->style & WS_VISIBLE) && !w->minimized && !(w->style & WS_DISABLED)) {
      ActivateTopLevel(t, WA_ACTIVE);
      return;
    }
  }
  DeactivateApp();
}

void ReleaseCaptureOf(HWND hwnd) {
  if (hwnd && U().capture == hwnd) ReleaseCapture();
}

}  // namespace quill::user

HWND WINAPI SetFocus(HWND hwnd) {
  UserState& u = U();
  if (!hwnd) {
    HWND old = u.focus;
    if (old) {
      u.focus = nullptr;
      SendMessageA(old, WM_KILLFOCUS, 0, 0);
    }
    return old;
  }
  Window* w = Win(hwnd);
  if (!w || IsDisabledChain(w)) return nullptr;
  HWND top = Root(w)->hwnd;
  if (top != u.active || !u.appActive) {
    ActivateTopLevel(top, WA_ACTIVE);
    if (!Win(hwnd)) return nullptr;
  }
  HWND old = u.focus;
  if (old == hwnd) return old;
  if (old && Win(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (!Win(hwnd)) return old;
  u.focus = hwnd;
  SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(Win(old) ? old : nullptr), 0);
  return old;
}

HWND WINAPI GetFocus(void) { return Win(U().focus) ? U().focus : nullptr; }

HWND WINAPI GetActiveWindow(void) { return Win(U().active) ? U().active : nullptr; }

HWND WINAPI SetActiveWindow(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w || !IsTopLevel(w)) return nullptr;
  HWND old = GetActiveWindow();
  ActivateTopLevel(hwnd, WA_ACTIVE);
  return old;
}

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  ActivateTopLevel(Root(w)->hwnd, WA_ACTIVE);
  return TRUE;
}

HWND WINAPI GetForegroundWindow(void) { return U().appActive ? GetActiveWindow() : nullptr; }

HWND WINAPI SetCapture(HWND hwnd) {
  if (!Win(hwnd)) return nullptr;
  UserState& u = U();
  HWND old = Win(u.capture) ? u.capture : nullptr;
  u.capture = hwnd;
  if (old && old != hwnd) SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL WINAPI ReleaseCapture(void) {
  UserState& u = U();
  HWND old = u.capture;
  u.capture = nullptr;
  if (Win(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND WINAPI GetCapture(void) { return Win(U().capture) ? U().capture : nullptr; }
