// Window classes: registration, lookup by name or atom, and the class name of a window.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "user/UserState.h"
#include "windows.h"

using namespace quill::user;

namespace {

std::string Key(const char* name) {
  std::string k(name);
  for (char& c : k) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return k;
}

bool IsAtom(LPCSTR name) { return reinterpret_cast<uintptr_t>(name) <= 0xFFFF; }

}  // namespace

namespace quill::user {

std::shared_ptr<WindowClass> FindClass(LPCSTR name) {
  if (!name) return nullptr;
  auto& classes = U().classes;
  if (IsAtom(name)) {
    ATOM atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
    for (auto& [key, cls] : classes)
      if (cls->atom == atom) return cls;
    return nullptr;
  }
  auto it = classes.find(Key(name));
  return it == classes.end() ? nullptr : it->second;
}

}  // namespace quill::user

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpfnWndProc || !wc->lpszClassName ||
      IsAtom(wc->lpszClassName) || !*wc->lpszClassName || wc->cbWndExtra < 0 || wc->cbClsExtra < 0 ||
      wc->cbWndExtra > 40 || wc->cbClsExtra > 40)
    return 0;
  UserState& u = U();
  std::string key = Key(wc->lpszClassName);
  if (u.classes.count(key)) return 0;  // already registered
  auto cls = std::make_shared<WindowClass>();
  cls->name = wc->lpszClassName;
  cls->atom = u.nextAtom++;
  cls->style = wc->style;
  cls->proc = wc->lpfnWndProc;
  cls->clsExtra = wc->cbClsExtra;
  cls->wndExtra = wc->cbWndExtra;
  cls->instance = wc->hInstance;
  cls->icon = wc->hIcon;
  cls->iconSmall = wc->hIconSm;
  cls->cursor = wc->hCursor;
  cls->background = wc->hbrBackground;
  u.classes[key] = cls;
  return cls->atom;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return 0;
  WNDCLASSEXA ex{};
  ex.cbSize = sizeof ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return RegisterClassExA(&ex);
}

BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE) {
  std::shared_ptr<WindowClass> cls = FindClass(name);
  if (!cls) return FALSE;
  UserState& u = U();
  // A class still used by a live window stays registered.
  bool used = false;
  u.windows.ForEach([&](uintptr_t, const Window& w) { used = used || w.cls == cls; });
  if (used) return FALSE;
  u.classes.erase(Key(cls->name.c_str()));
  return TRUE;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE, LPCSTR name, WNDCLASSEXA* out) {
  std::shared_ptr<WindowClass> cls = FindClass(name);
  if (!cls || !out) return FALSE;
  out->cbSize = sizeof *out;
  out->style = cls->style;
  out->lpfnWndProc = cls->proc;
  out->cbClsExtra = cls->clsExtra;
  out->cbWndExtra = cls->wndExtra;
  out->hInstance = cls->instance;
  out->hIcon = cls->icon;
  out->hCursor = cls->cursor;
  out->hbrBackground = cls->background;
  out->lpszMenuName = nullptr;
  out->lpszClassName = cls->name.c_str();
  out->hIconSm = cls->iconSmall;
  return cls->atom;
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int size) {
  Window* w = Win(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  int n = std::min(static_cast<int>(w->cls->name.size()), size - 1);
  std::memcpy(buffer, w->cls->name.data(), n);
  buffer[n] = '\0';
  return n;
}
