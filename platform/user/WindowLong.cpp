// Per-window values (GetWindowLongPtrA and friends), the window text, and the visible, enabled and
// minimised states.
#include <algorithm>
#include <cstring>

#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

namespace {

bool ExtraRange(const Window* w, int index, size_t size) {
  return index >= 0 && static_cast<size_t>(index) + size <= w->extra.size();
}

}  // namespace

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) {
  Window* w = Win(hwnd);
  if (!w) return 0;
  if (index >= 0) {
    LONG_PTR v = 0;
    if (ExtraRange(w, index, sizeof v)) std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    default: return 0;
  }
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Win(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtrA(hwnd, index);
  if (index >= 0) {
    if (!ExtraRange(w, index, sizeof value)) return 0;
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
  }
  switch (index) {
    case GWLP_WNDPROC:
      if (!value) return 0;
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_ID: w->id = value; break;
    case GWLP_USERDATA: w->userData = value; break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWL_STYLE: {
      // Visibility, the minimised state and the child flag change only through their own calls.
      const DWORD fixed = WS_VISIBLE | WS_MINIMIZE | WS_CHILD;
      w->style = (w->style & fixed) | (static_cast<DWORD>(value) & ~fixed);
      break;
    }
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); break;
    default: return 0;
  }
  return old;
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
  Window* w = Win(hwnd);
  if (!w) return 0;
  if (index >= 0) {
    LONG v = 0;
    if (ExtraRange(w, index, sizeof v)) std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}

LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
  Window* w = Win(hwnd);
  if (!w) return 0;
  if (index >= 0) {
    if (!ExtraRange(w, index, sizeof value)) return 0;
    LONG old;
    std::memcpy(&old, w->extra.data() + index, sizeof old);
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
  }
  return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value));
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!Win(hwnd)) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int size) {
  if (!Win(hwnd) || !buffer || size <= 0) return 0;
  buffer[0] = '\0';
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXT, size, reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
  if (!Win(hwnd)) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI IsWindow(HWND hwnd) { return Win(hwnd) ? TRUE : FALSE; }

BOOL WINAPI IsWindowVisible(HWND hwnd) {
  Window* w = Win(hwnd);
  return w && IsVisibleChain(w) ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
  Window* w = Win(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (wasDisabled == !enable) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    // A disabled window keeps neither the focus nor the mouse.
    if (IsInside(U().focus, hwnd)) SetFocus(nullptr);
    if (IsInside(U().capture, hwnd)) ReleaseCaptureOf(U().capture);
  }
  SendMessageA(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL WINAPI IsIconic(HWND hwnd) {
  Window* w = Win(hwnd);
  return w && w->minimized ? TRUE : FALSE;
}
