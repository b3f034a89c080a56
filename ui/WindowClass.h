// Registration of the program's own control window classes, and the link from a window back to
// its control object (kept in the window's user data from WM_NCCREATE on).
#pragma once

#include <windows.h>

#include "ui/WindowDefinition.h"

// Registers the class once per process (with CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, the arrow
// cursor and the given background brush) and returns its name, or nullptr on failure.
const char* RegisterControlClass(const char* name, WNDPROC proc, HBRUSH background);

// Creates a control's window hidden, at its stored place, with `self` in its user data.
HWND CreateControlWindow(DWORD exStyle, const char* cls, const char* text, DWORD style,
                         const ControlDefinition& definition, HWND parent, void* self);

// The control object behind a window; stores it on WM_NCCREATE.
template <class T>
T* ControlFromWindow(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// Puts `proc` in front of a platform control's own window procedure, with `self` in the window's
// user data, and returns the control's procedure for CallWindowProcA.
WNDPROC SubclassControl(HWND hwnd, void* self, WNDPROC proc);
