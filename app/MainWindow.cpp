#include "app/MainWindow.h"

#include "app/Keyboard.h"
#include "app/Shell.h"

namespace {

constexpr char kClassName[] = "QuillmarkMainWindow";

void GiveFocusOnActivation(HWND window) {
  WindowRecord& record = Shell().main;
  HWND remembered = record.rememberedFocus;
  record.rememberedFocus = nullptr;
  if (remembered && IsWindow(remembered) && IsChild(window, remembered)) {
    SetFocus(remembered);
    return;
  }
  if (Control* first = FirstInTabOrder()) SetFocus(first->Window());
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // A control's notification goes back to the control, which raises its own event.
      if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) control->OnNotify(HIWORD(wParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (Control* control = FindControl(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = control->OnControlColour(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_SETFOCUS:
      GiveFocusOnActivation(hwnd);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) Shell().main.rememberedFocus = focus;
      }
      break;
    case WM_CLOSE:
      // Neither close query has a handler, so the close always goes ahead.
      DestroyWindow(hwnd);
      return 0;
    case WM_NCDESTROY: {
      ShellState& shell = Shell();
      if (shell.main.window == hwnd) {
        shell.main.window = nullptr;
        shell.main.loaded = false;
      }
      // With no loaded window left, the loop ends with exit code 0.
      if (shell.loopRunning && !shell.main.window) PostQuitMessage(0);
      break;
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateMainWindow(const WindowDefinition& definition) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (!GetClassInfoExA(instance, kClassName, &wc)) {
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = definition.backColour == kButtonFaceColour ? GetSysColorBrush(COLOR_BTNFACE) : nullptr;
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc)) return nullptr;
  }

  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (definition.controlBox) style |= WS_SYSMENU;
  if (definition.minimiseButton) style |= WS_MINIMIZEBOX;
  if (definition.maximiseButton) style |= WS_MAXIMIZEBOX;
  if (!definition.fixedSingleBorder) style |= WS_THICKFRAME;

  int width = definition.outerWidth, height = definition.outerHeight;
  int left = definition.storedLeft, top = definition.storedTop;
  if (definition.centred) {
    // Integer division truncating toward zero; a screen smaller than the window gives negative places.
    left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  HWND window = CreateWindowExA(WS_EX_APPWINDOW, kClassName, definition.title, style, left, top, width, height,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;

  RECT r;
  GetWindowRect(window, &r);
  if (r.right - r.left != width || r.bottom - r.top != height)
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}
