// Turns the driver's input events into window messages, one event at a time, at the moment the
// queue reaches them: keys to the focus window (or the active window when nothing has the focus),
// typed text as WM_CHAR (GBK double-byte characters as two messages), the mouse to the window
// under the pointer or to the capture, activating an inactive window on a button press.
//
// Sections: [keyboard] [text] [mouse] [desktop events] [state queries]
#include <string>

#include "kernel/CodePage.h"
#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

namespace {

void Queue(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  UserState& u = U();
  u.inputMessages.push_back(MSG{hwnd, msg, wParam, lParam, GetTickCount(), u.cursorPos});
}

bool Down(int vk) { return (U().keys[vk & 0xFF] & 0x80) != 0; }

HWND KeyboardTarget() {
  UserState& u = U();
  if (Win(u.focus)) return u.focus;
  if (u.appActive && Win(u.active)) return u.active;
  return nullptr;
}

// [keyboard] --------------------------------------------------------------------------------------

// Scan codes of the usual keyboard (set 1), for the key messages' lParam.
UINT ScanCode(UINT vk) {
  static const char kTop[] = "QWERTYUIOP", kMiddle[] = "ASDFGHJKL", kBottom[] = "ZXCVBNM";
  for (int i = 0; kTop[i]; ++i) if (vk == static_cast<UINT>(kTop[i])) return 0x10 + i;
  for (int i = 0; kMiddle[i]; ++i) if (vk == static_cast<UINT>(kMiddle[i])) return 0x1E + i;
  for (int i = 0; kBottom[i]; ++i) if (vk == static_cast<UINT>(kBottom[i])) return 0x2C + i;
  if (vk >= '1' && vk <= '9') return 0x02 + (vk - '1');
  if (vk >= VK_F1 && vk <= VK_F10) return 0x3B + (vk - VK_F1);
  switch (vk) {
    case '0': return 0x0B;
    case VK_ESCAPE: return 0x01;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_RETURN: return 0x1C;
    case VK_CONTROL: return 0x1D;
    case VK_SHIFT: return 0x2A;
    case VK_MENU: return 0x38;
    case VK_SPACE: return 0x39;
    case VK_F11: return 0x57;
    case VK_F12: return 0x58;
    case VK_HOME: return 0x47;
    case VK_UP: return 0x48;
    case VK_PRIOR: return 0x49;
    case VK_LEFT: return 0x4B;
    case VK_RIGHT: return 0x4D;
    case VK_END: return 0x4F;
    case VK_DOWN: return 0x50;
    case VK_NEXT: return 0x51;
    case VK_INSERT: return 0x52;
    case VK_DELETE: return 0x53;
    case VK_APPS: return 0x5D;
    default: return 0;
  }
}

bool IsExtended(UINT vk) {
  switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_APPS: case VK_DIVIDE:
      return true;
    default:
      return false;
  }
}

void HandleKey(UINT vk, bool down) {
  vk &= 0xFF;
  uint8_t& state = U().keys[vk];
  bool wasDown = state & 0x80;
  if (down) {
    if (!wasDown) state ^= 0x01;  // the toggle state flips on each press
    state |= 0x80;
  } else {
    state &= ~0x80;
  }
  HWND target = KeyboardTarget();
  if (!target) return;
  bool alt = Down(VK_MENU) || vk == VK_MENU, ctrl = Down(VK_CONTROL);
  bool sys = (alt && !ctrl) || vk == VK_F10;
  LPARAM lp = 1 | (static_cast<LPARAM>(ScanCode(vk)) << 16);
  if (IsExtended(vk)) lp |= 1 << 24;
  if (alt && !ctrl && (Down(VK_MENU) || !down)) lp |= 1 << 29;
  if (!down || wasDown) lp |= 1 << 30;
  if (!down) lp |= static_cast<LPARAM>(1u << 31);
  UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  Queue(target, msg, vk, static_cast<LPARAM>(static_cast<DWORD>(lp)));
}

// [text] ------------------------------------------------------------------------------------------

void HandleText(char32_t cp) {
  HWND target = KeyboardTarget();
  if (!target || cp == 0) return;
  if (cp < 0x80) {
    Queue(target, WM_CHAR, cp, 1);
    return;
  }
  // An ANSI window receives a double-byte character as its lead byte, then its trail byte.
  std::string bytes = cp936::FromUnicode(std::u32string(1, cp));
  for (char b : bytes) Queue(target, WM_CHAR, static_cast<unsigned char>(b), 1);
}

// [mouse] -----------------------------------------------------------------------------------------

WPARAM MouseKeys() {
  WPARAM mk = 0;
  if (Down(VK_LBUTTON)) mk |= MK_LBUTTON;
  if (Down(VK_RBUTTON)) mk |= MK_RBUTTON;
  if (Down(VK_MBUTTON)) mk |= MK_MBUTTON;
  if (Down(VK_SHIFT)) mk |= MK_SHIFT;
  if (Down(VK_CONTROL)) mk |= MK_CONTROL;
  return mk;
}

bool Contains(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

HWND HitTestIn(HWND hwnd, POINT pt, int* hit) {
  int ht = static_cast<int>(static_cast<short>(
      SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)))));
  Window* w = Win(hwnd);
  if (ht == HTTRANSPARENT || !w) return nullptr;
  if (ht == HTCLIENT) {
    for (HWND child : std::vector<HWND>(w->children)) {
      Window* c = Win(child);
      // A transparent child lets the mouse through to the windows beneath it.
      if (!c || !(c->style & WS_VISIBLE) || (c->exStyle & WS_EX_TRANSPARENT)) continue;
      if (!Contains(ScreenWindowRect(c), pt)) continue;
      if (HWND found = HitTestIn(child, pt, hit)) return found;
    }
  }
  *hit = ht;
  return hwnd;
}

LPARAM ClientPoint(HWND hwnd, POINT screen) {
  POINT p = screen;
  ScreenToClient(hwnd, &p);
  return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

LPARAM ScreenPoint(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

void HandleMouseMove(POINT pt) {
  UserState& u = U();
  u.cursorPos = pt;
  if (Window* t = Win(u.tracking.hwnd)) {
    if (u.tracking.hit == HTCAPTION) {
      SetPos(t->hwnd, nullptr, pt.x - u.tracking.grab.x, pt.y - u.tracking.grab.y, 0, 0,
             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
      POINT o = ScreenOrigin(t);
      bool over = Contains(CaptionButtonRect(t, u.tracking.hit), POINT{pt.x - o.x, pt.y - o.y});
      if (over != u.tracking.over) {
        u.tracking.over = over;
        RedrawFrameNow(t->hwnd);
      }
    }
    return;
  }
  int hit = HTCLIENT;
  HWND target = Win(u.capture) ? u.capture : HitTestPoint(pt, &hit);
  Window* w = Win(target);
  if (!w || IsDisabledChain(w)) return;
  if (hit == HTCLIENT)
    Queue(target, WM_MOUSEMOVE, MouseKeys(), ClientPoint(target, pt));
  else
    Queue(target, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), ScreenPoint(pt));
}

// Ends a caption-button press or a caption drag begun by DefWindowProcA's WM_NCLBUTTONDOWN.
void FinishTracking(POINT pt) {
  UserState& u = U();
  NcTracking t = u.tracking;
  u.tracking = NcTracking{};
  Window* w = Win(t.hwnd);
  if (!w || t.hit == HTCAPTION) return;
  POINT o = ScreenOrigin(w);
  bool over = Contains(CaptionButtonRect(w, t.hit), POINT{pt.x - o.x, pt.y - o.y});
  RedrawFrameNow(t.hwnd);
  if (!over) return;
  WPARAM cmd = t.hit == HTCLOSE ? SC_CLOSE : t.hit == HTMINBUTTON ? SC_MINIMIZE : SC_MAXIMIZE;
  SendMessageA(t.hwnd, WM_SYSCOMMAND, cmd, ScreenPoint(pt));
}

void HandleButton(const InputEvent& e, bool down) {
  UserState& u = U();
  u.cursorPos = e.screen;
  int vk = e.button == 1 ? VK_RBUTTON : e.button == 2 ? VK_MBUTTON : VK_LBUTTON;
  if (down) u.keys[vk] |= 0x80; else u.keys[vk] &= ~0x80;
  if (!down && e.button == 0 && u.tracking.hwnd) {
    FinishTracking(e.screen);
    return;
  }
  int hit = HTCLIENT;
  HWND target = Win(u.capture) ? u.capture : HitTestPoint(e.screen, &hit);
  Window* w = Win(target);
  if (!w || IsDisabledChain(w)) return;  // a disabled window gets no input
  static const UINT kDown[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
  static const UINT kDbl[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
  static const UINT kUp[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
  int b = e.button < 0 || e.button > 2 ? 0 : e.button;
  if (down && !Win(u.capture)) {
    Window* top = Root(w);
    if (top->hwnd != u.active || !u.appActive) {
      HWND topHwnd = top->hwnd;
      LRESULT r = SendMessageA(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(topHwnd),
                               MAKELPARAM(static_cast<WORD>(hit), kDown[b]));
      if (r != MA_NOACTIVATE && r != MA_NOACTIVATEANDEAT) ActivateTopLevel(topHwnd, WA_CLICKACTIVE);
      if (r == MA_ACTIVATEANDEAT || r == MA_NOACTIVATEANDEAT) return;
      if (!(w = Win(target))) return;
    }
  }
  if (hit == HTCLIENT) {
    UINT msg = kUp[b];
    if (down) msg = e.clicks == 2 && (w->cls->style & CS_DBLCLKS) ? kDbl[b] : kDown[b];
    Queue(target, msg, MouseKeys(), ClientPoint(target, e.screen));
  } else if (b != 2) {
    UINT msg = b == 0 ? (down ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP)
                      : (down ? WM_NCRBUTTONDOWN : WM_NCRBUTTONUP);
    Queue(target, msg, static_cast<WPARAM>(hit), ScreenPoint(e.screen));
  }
}

}  // namespace

namespace quill::user {

HWND HitTestPoint(POINT pt, int* hit) {
  *hit = HTNOWHERE;
  for (HWND top : std::vector<HWND>(U().topLevels)) {
    Window* w = Win(top);
    if (!w || !(w->style & WS_VISIBLE) || w->minimized || !Contains(ScreenWindowRect(w), pt)) continue;
    if (HWND found = HitTestIn(top, pt, hit)) return found;
  }
  return nullptr;
}

// [desktop events] --------------------------------------------------------------------------------

bool ConvertNextInput() {
  UserState& u = U();
  if (u.input.empty()) return false;
  InputEvent e = u.input.front();
  u.input.pop_front();
  switch (e.type) {
    case InputEvent::Type::KeyDown: HandleKey(e.vk, true); break;
    case InputEvent::Type::KeyUp: HandleKey(e.vk, false); break;
    case InputEvent::Type::Text: HandleText(e.codepoint); break;
    case InputEvent::Type::MouseMove: HandleMouseMove(e.screen); break;
    case InputEvent::Type::MouseDown: HandleButton(e, true); break;
    case InputEvent::Type::MouseUp: HandleButton(e, false); break;
    case InputEvent::Type::Activate:
      if (Window* w = Win(e.window); w && IsTopLevel(w)) {
        if (w->minimized)
          ShowWindow(e.window, SW_RESTORE);
        else
          ActivateTopLevel(e.window, WA_ACTIVE);
      }
      break;
    case InputEvent::Type::Deactivate: DeactivateApp(); break;
    case InputEvent::Type::CloseRequest:
      SendMessageA(e.window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case InputEvent::Type::Minimize:
      SendMessageA(e.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case InputEvent::Type::Restore:
      SendMessageA(e.window, WM_SYSCOMMAND, SC_RESTORE, 0);
      break;
    case InputEvent::Type::Expose:
      if (Window* w = Win(e.window); w && w->surface)
        w->surface->MarkDirty(RECT{0, 0, w->surface->width, w->surface->height});
      break;
  }
  return true;
}

}  // namespace quill::user

// [state queries] ---------------------------------------------------------------------------------

SHORT WINAPI GetKeyState(int vk) {
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) vk = VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) vk = VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) vk = VK_MENU;
  uint8_t k = U().keys[vk & 0xFF];
  return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT WINAPI GetAsyncKeyState(int vk) {
  return static_cast<SHORT>(GetKeyState(vk) & 0x8000 ? 0x8000 : 0);
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = U().cursorPos;
  return TRUE;
}
