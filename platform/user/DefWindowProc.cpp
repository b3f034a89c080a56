// The default window procedure: the behaviour every window has unless its procedure handles the
// message itself.
#include <utility>
#include <algorithm>
#include <cstring>

#include "gdi/GdiState.h"
#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

namespace {

LRESULT OnSetText(HWND hwnd, LPCSTR text) {
  Window* w = Win(hwnd);
  if (!w) return FALSE;
  w->text = text ? text : "";
  if (IsTopLevel(w)) {
    UpdateDriverTopLevel(hwnd);
    RedrawFrameNow(hwnd);
  }
  return TRUE;
}

LRESULT OnGetText(Window* w, WPARAM size, LPSTR buffer) {
  if (!buffer || size == 0) return 0;
  size_t n = std::min(w->text.size(), static_cast<size_t>(size) - 1);
  std::memcpy(buffer, w->text.data(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT OnEraseBackground(HWND hwnd, HDC hdc) {
  Window* w = Win(hwnd);
  if (!w) return 0;
  HBRUSH brush = w->cls->background;
  COLORREF color;
  // A class without a brush, or with the null brush, erases nothing.
  if (!brush || !gdi::BrushColor(brush, &color)) return 0;
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(hdc, &r, brush);
  return 1;
}

LRESULT OnSetIcon(HWND hwnd, WPARAM which, HICON icon) {
  Window* w = Win(hwnd);
  if (!w) return 0;
  HICON& slot = which == ICON_BIG ? w->iconBig : w->iconSmall;
  HICON old = std::exchange(slot, icon);
  if (IsTopLevel(w)) {
    UpdateDriverTopLevel(hwnd);
    RedrawFrameNow(hwnd);
  }
  return reinterpret_cast<LRESULT>(old);
}

LRESULT OnSysCommand(HWND hwnd, WPARAM cmd) {
  switch (cmd & 0xFFF0) {
    case SC_CLOSE: SendMessageA(hwnd, WM_CLOSE, 0, 0); break;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
    default: break;  // SC_MOVE by keyboard and maximising are not offered
  }
  return 0;
}

LRESULT OnNcLButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam) {
  Window* w = Win(hwnd);
  if (!w) return 0;
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  UserState& u = U();
  switch (hit) {
    case HTCAPTION: {
      POINT o = ScreenOrigin(w);
      u.tracking = NcTracking{hwnd, HTCAPTION, false, POINT{pt.x - o.x, pt.y - o.y}};
      break;
    }
    case HTCLOSE:
    case HTMINBUTTON:
    case HTMAXBUTTON: {
      // A caption button acts when the button is released over it; a disabled one does nothing.
      if (hit == HTMAXBUTTON && !(w->style & WS_MAXIMIZEBOX)) break;
      if (hit == HTMINBUTTON && !(w->style & WS_MINIMIZEBOX)) break;
      u.tracking = NcTracking{hwnd, static_cast<int>(hit), true, POINT{0, 0}};
      RedrawFrameNow(hwnd);
      break;
    }
    default:
      break;
  }
  return 0;
}

LRESULT OnCtlColor(UINT msg, HDC hdc) {
  bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(hdc, GetSysColor(field ? COLOR_WINDOW : COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(field ? COLOR_WINDOW : COLOR_BTNFACE));
}

}  // namespace

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Win(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && reinterpret_cast<uintptr_t>(cs->lpszName) > 0xFFFF) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      if (!r) return 0;
      RECT in = NcInsets(w->style, w->exStyle);
      r->left += in.left;
      r->top += in.top;
      r->right = std::max(r->left, r->right - in.right);
      r->bottom = std::max(r->top, r->bottom - in.bottom);
      return 0;
    }
    case WM_NCHITTEST: return NcHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: PaintNonClient(hwnd); return 0;
    case WM_NCACTIVATE:
      w->ncActive = wParam != 0;
      RedrawFrameNow(hwnd);
      return TRUE;
    case WM_ACTIVATE:
      // Activation gives the window the focus unless something inside it already has it.
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && !IsInside(U().focus, hwnd)) SetFocus(hwnd);
      return 0;
    case WM_MOUSEACTIVATE:
      if (w->parent) {
        LRESULT r = SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_SETTEXT: return OnSetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT: return OnGetText(w, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return OnEraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return OnSysCommand(hwnd, wParam);
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (1 << 29)))
        SendMessageA(Root(w)->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(hwnd, wParam, lParam);
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &p);
      SendMessageA(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd),
                   MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
      return 0;
    }
    case WM_CONTEXTMENU:
      if (w->parent) return SendMessageA(w->parent, WM_CONTEXTMENU, wParam, lParam);
      return 0;
    case WM_SETICON: return OnSetIcon(hwnd, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOMOVE))
        SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
      if (!(wp->flags & SWP_NOSIZE) && (w = Win(hwnd)))
        SendMessageA(hwnd, WM_SIZE, w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED,
                     MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
      return 0;
    }
    case WM_CANCELMODE:
      if (U().tracking.hwnd == hwnd) U().tracking = NcTracking{};
      if (U().capture == hwnd) ReleaseCapture();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
      return OnCtlColor(msg, reinterpret_cast<HDC>(wParam));
    default:
      return 0;
  }
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(hwnd, msg, wParam, lParam);
}
