#include "ui/WindowClass.h"

const char* RegisterControlClass(const char* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXA wc{};
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (GetClassInfoExA(instance, name, &wc)) return name;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) ? name : nullptr;
}

HWND CreateControlWindow(DWORD exStyle, const char* cls, const char* text, DWORD style,
                         const ControlDefinition& definition, HWND parent, void* self) {
  return CreateWindowExA(exStyle, cls, text, style, definition.left, definition.top, definition.width,
                         definition.height, parent, nullptr, GetModuleHandleA(nullptr), self);
}

WNDPROC SubclassControl(HWND hwnd, void* self, WNDPROC proc) {
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}
