// The BUTTON window procedure. A button works out its own state here (pushed, checked, focused,
// whether the focus came from the keyboard) and leaves the drawing to ButtonPaint.
//
// Sections: [helpers] [clicks] [mouse] [keyboard and focus] [window procedure] [class]
#include "controls/ButtonControl.h"

#include "controls/ButtonGroup.h"
#include "controls/ButtonPaint.h"
#include "controls/ButtonState.h"
#include "win/controls.h"
#include "win/user.h"

namespace quill::controls {
namespace {

// [helpers] ---------------------------------------------------------------------------------------

DWORD ButtonType(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK; }
bool IsRadio(HWND hwnd) { return ButtonType(hwnd) == BS_AUTORADIOBUTTON; }

// State changes show at once, as the platform's buttons draw them before the message returns.
void Repaint(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
}

void SetPushed(HWND hwnd, ButtonState& state, bool pushed) {
  if (state.pushed == pushed) return;
  state.pushed = pushed;
  Repaint(hwnd);
}

bool InClient(HWND hwnd, LPARAM lParam) {
  RECT client;
  if (!GetClientRect(hwnd, &client)) return false;
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}

// Ends a mouse or Space press without a click (focus lost, disabled, capture taken away).
void CancelPress(HWND hwnd, ButtonState& state) {
  const bool hadCapture = state.tracking;
  state.tracking = false;
  state.spaceDown = false;
  if (hadCapture && GetCapture() == hwnd) ReleaseCapture();
  if (ButtonState* live = FindButtonState(hwnd)) SetPushed(hwnd, *live, false);
}

// [clicks] ----------------------------------------------------------------------------------------

void NotifyParent(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

// One activation: an automatic radio button checks itself and clears the rest of its group first,
// so the parent sees the new state when BN_CLICKED arrives. Already checked still reports.
void Click(HWND hwnd) {
  if (!IsWindowEnabled(hwnd)) return;
  if (IsRadio(hwnd)) {
    UncheckGroupSiblings(hwnd);
    if (!IsWindow(hwnd)) return;
    SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
    if (!IsWindow(hwnd)) return;
  }
  NotifyParent(hwnd, BN_CLICKED);
}

// [mouse] -----------------------------------------------------------------------------------------

LRESULT OnButtonDown(HWND hwnd, ButtonState& state) {
  if (!IsWindowEnabled(hwnd)) return 0;
  // A click hides the focus rectangle until a key is used; the flag tells WM_SETFOCUS that this
  // focus comes from the mouse even where the key state has not caught up.
  state.keyboardCues = false;
  if (GetFocus() != hwnd) {
    state.mouseFocusing = true;
    SetFocus(hwnd);
    ButtonState* live = FindButtonState(hwnd);
    if (!live) return 0;  // destroyed while the focus moved
    live->mouseFocusing = false;
  }
  ButtonState* live = FindButtonState(hwnd);
  if (!live) return 0;
  SetCapture(hwnd);
  live->tracking = true;
  live->spaceDown = false;
  SetPushed(hwnd, *live, true);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, ButtonState& state, LPARAM lParam) {
  // Leaving the button while holding the button shows it raised; coming back presses it again.
  if (state.tracking) SetPushed(hwnd, state, InClient(hwnd, lParam));
  return 0;
}

LRESULT OnButtonUp(HWND hwnd, ButtonState& state, LPARAM lParam) {
  if (!state.tracking) return 0;
  const bool over = InClient(hwnd, lParam);
  state.tracking = false;
  SetPushed(hwnd, state, false);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (over && FindButtonState(hwnd)) Click(hwnd);
  return 0;
}

// [keyboard and focus] ----------------------------------------------------------------------------

LRESULT OnKeyDown(HWND hwnd, ButtonState& state, WPARAM key) {
  if (!state.keyboardCues) {
    state.keyboardCues = true;
    if (state.focused) Repaint(hwnd);
  }
  ButtonState* live = FindButtonState(hwnd);
  if (live && key == VK_SPACE && !live->tracking && !live->spaceDown && IsWindowEnabled(hwnd)) {
    live->spaceDown = true;
    SetPushed(hwnd, *live, true);
  }
  return 0;
}

LRESULT OnKeyUp(HWND hwnd, ButtonState& state, WPARAM key) {
  if (key != VK_SPACE || !state.spaceDown) return 0;
  state.spaceDown = false;
  SetPushed(hwnd, state, false);
  if (FindButtonState(hwnd)) Click(hwnd);
  return 0;
}

LRESULT OnSetFocus(HWND hwnd, ButtonState& state) {
  const bool byMouse = state.mouseFocusing || GetKeyState(VK_LBUTTON) < 0;
  state.focused = true;
  state.keyboardCues = !byMouse;
  Repaint(hwnd);
  // The platform's rule: an automatic radio button that gets the focus other than by a click checks
  // itself and reports a click, from inside this message.
  ButtonState* live = FindButtonState(hwnd);
  if (live && IsRadio(hwnd) && !live->checked && !byMouse) Click(hwnd);
  return 0;
}

LRESULT OnKillFocus(HWND hwnd, ButtonState& state) {
  state.focused = false;
  if (state.tracking || state.spaceDown) CancelPress(hwnd, state);
  if (FindButtonState(hwnd)) Repaint(hwnd);
  return 0;
}

// [window procedure] ------------------------------------------------------------------------------

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) AddButtonState(hwnd);
  ButtonState* state = FindButtonState(hwnd);
  if (!state) return DefWindowProcA(hwnd, message, wParam, lParam);
  ButtonState& s = *state;

  switch (message) {
    case WM_NCDESTROY:
      RemoveButtonState(hwnd);
      break;
    case WM_DESTROY:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;

    case WM_GETDLGCODE:
      if (IsRadio(hwnd)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      return DLGC_BUTTON | (ButtonType(hwnd) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);

    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole client area itself
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC hdc = BeginPaint(hwnd, &ps)) {
        PaintButton(hwnd, hdc, s);
        EndPaint(hwnd, &ps);
      }
      return 0;
    }

    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
      if (FindButtonState(hwnd)) Repaint(hwnd);
      return result;
    }
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) Repaint(hwnd);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s.font);
    case WM_ENABLE:
      if (!wParam && (s.tracking || s.spaceDown)) CancelPress(hwnd, s);
      if (FindButtonState(hwnd)) Repaint(hwnd);
      return 0;

    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return OnButtonDown(hwnd, s);
    case WM_MOUSEMOVE:
      return OnMouseMove(hwnd, s, lParam);
    case WM_LBUTTONUP:
      return OnButtonUp(hwnd, s, lParam);
    case WM_CAPTURECHANGED:
      if (s.tracking && reinterpret_cast<HWND>(lParam) != hwnd) CancelPress(hwnd, s);
      return 0;

    case WM_KEYDOWN:
      return OnKeyDown(hwnd, s, wParam);
    case WM_KEYUP:
      return OnKeyUp(hwnd, s, wParam);
    case WM_SETFOCUS:
      return OnSetFocus(hwnd, s);
    case WM_KILLFOCUS:
      return OnKillFocus(hwnd, s);

    case BM_GETCHECK:
      return IsRadio(hwnd) && s.checked ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETCHECK:
      if (IsRadio(hwnd) && s.checked != (wParam == BST_CHECKED)) {
        s.checked = wParam == BST_CHECKED;
        Repaint(hwnd);
      }
      return 0;
    case BM_GETSTATE:
      return (IsRadio(hwnd) && s.checked ? BST_CHECKED : 0) | (s.pushed ? BST_PUSHED : 0) |
             (s.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(hwnd, s, wParam != 0);
      return 0;
    case BM_CLICK:
      // As the platform documents it: the button receives a press and a release over itself.
      if (IsWindowEnabled(hwnd)) {
        SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
      }
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

// [class] -----------------------------------------------------------------------------------------

bool RegisterButtonClass() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, WC_BUTTONA, &wc)) return true;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ButtonProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = WC_BUTTONA;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace quill::controls
