// The USER module's state: window classes, windows behind checked handles, the thread's message
// queue, timers, input state, focus and activation. The layer serves one user-interface thread at
// a time, so this state is one instance; a test harness hands the thread over with a mutex.
//
// Rule for everyone here: a Window* is never kept across a call that sends a message, because the
// window procedure may destroy that window. Look the handle up again afterwards.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/Handles.h"
#include "core/RectSet.h"
#include "core/Surface.h"
#include "drivers/Driver.h"
#include "win/user.h"

namespace quill::user {

struct WindowClass {
  std::string name;  // as registered; looked up case-insensitively
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSmall = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

struct Window {
  HWND hwnd = nullptr;
  std::shared_ptr<WindowClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND parent = nullptr;  // WS_CHILD windows only
  HWND owner = nullptr;   // top-level windows only
  std::vector<HWND> children;  // Z order: front() is the top-most child
  RECT rect{};    // window rectangle in the parent's client coordinates (screen for top-levels)
  RECT client{};  // client rectangle in window coordinates (origin at the window's top-left)
  std::string text;
  LONG_PTR userData = 0;
  LONG_PTR id = 0;
  HINSTANCE instance = nullptr;
  std::vector<uint8_t> extra;  // cbWndExtra bytes
  HICON iconBig = nullptr;
  HICON iconSmall = nullptr;
  bool minimized = false;
  bool destroying = false;
  bool ncActive = false;  // the caption shows the active colours

  // Painting state, in window coordinates.
  RectSet update;
  bool erasePending = false;
  bool framePending = false;

  std::unique_ptr<Surface> surface;  // top-level windows only
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  uint64_t due = 0;
  TIMERPROC proc = nullptr;
};

// A caption button pressed with the mouse, or the caption being dragged.
struct NcTracking {
  HWND hwnd = nullptr;
  int hit = HTNOWHERE;  // HTCAPTION: dragging; HTCLOSE, HTMINBUTTON, HTMAXBUTTON: a button
  bool over = false;    // the pointer is over the pressed button
  POINT grab{0, 0};     // HTCAPTION: pointer position relative to the window's top-left
};

struct UserState {
  HandleTable<Window> windows{HandleKind::Window};
  std::map<std::string, std::shared_ptr<WindowClass>> classes;  // key: lower-case name
  ATOM nextAtom = 0xC000;
  std::vector<HWND> topLevels;  // Z order: front() is the top-most

  // The queue.
  std::deque<MSG> posted;
  std::deque<InputEvent> input;  // driver input not yet turned into messages
  std::deque<MSG> inputMessages; // messages made from input, waiting to be retrieved
  bool quitPending = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  UINT_PTR nextThreadTimer = 0x7F00;
  DWORD messageTime = 0;
  POINT messagePos{0, 0};

  // Input, focus and activation.
  uint8_t keys[256] = {};
  POINT cursorPos{0, 0};
  HCURSOR cursor = nullptr;
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  bool appActive = false;
  NcTracking tracking;

  // The display.
  Driver* openedDriver = nullptr;
  bool displayOpen = false;  // whether openedDriver could open its display
  RECT screen{0, 0, 1024, 768};
};

UserState& U();
Window* Win(HWND hwnd);  // nullptr for a stale, foreign or null handle
Driver* Drv();           // the driver, opened on first use; may be null

// Classes (WindowClass.cpp): by name (case-insensitive) or by atom (MAKEINTATOM).
std::shared_ptr<WindowClass> FindClass(LPCSTR name);

// Geometry.
POINT ScreenOrigin(const Window* w);     // the window's top-left in screen coordinates
RECT ScreenWindowRect(const Window* w);
RECT ScreenClientRect(const Window* w);
Window* Root(Window* w);
bool IsVisibleChain(const Window* w);    // the window and every ancestor have WS_VISIBLE
bool IsDisabledChain(const Window* w);   // the window or an ancestor is disabled
bool IsTopLevel(const Window* w);
std::vector<HWND>& Siblings(Window* w);  // the Z-ordered list holding w
bool IsInside(HWND hwnd, HWND ancestor); // hwnd is ancestor or one of its descendants

// Driver bookkeeping for top-level windows.
TopLevelInfo InfoFor(const Window* w);
void UpdateDriverTopLevel(HWND hwnd);
void UpdateDriverZOrder();
void PresentAll();

// Messages (MessageQueue.cpp).
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PurgeWindow(HWND hwnd);  // drops queued messages and timers of a window being destroyed

// Input (InputRouter.cpp).
bool ConvertNextInput();  // turns one pending driver event into messages; false when none is left
// The window under a screen point as the mouse finds it (WM_NCHITTEST top-down), and its hit code.
HWND HitTestPoint(POINT screen, int* hit);

// Focus and activation (Focus.cpp).
void ActivateTopLevel(HWND hwnd, int how);  // WA_ACTIVE or WA_CLICKACTIVE
void DeactivateApp();
void ActivateNextAfter(HWND leaving);  // the active window went away: activate another or none
void ReleaseCaptureOf(HWND hwnd);

// Painting (Paint.cpp).
void InvalidateWindow(HWND hwnd, const RectSet* windowRegion, UINT flags);  // null region: all
HWND FindWindowToPaint(HWND filter);
bool NeedsPaint(const Window* w);

// The non-client area (NonClient.cpp).
RECT NcInsets(DWORD style, DWORD exStyle);
bool HasCaption(DWORD style);
int NcHitTest(Window* w, POINT screen);
void PaintNonClient(HWND hwnd);
RECT CaptionButtonRect(const Window* w, int hit);  // window coordinates; empty when absent
void RedrawFrameNow(HWND hwnd);

// Window positions (WindowPos.cpp).
BOOL SetPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

}  // namespace quill::user
