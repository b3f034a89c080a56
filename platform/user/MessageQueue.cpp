// The thread's message queue: sent messages (direct, nested, re-entrant), posted messages, input
// turned into messages one event at a time, the quit request, WM_PAINT when nothing else is
// waiting, and WM_TIMER last, as the platform orders them.
//
// Sections: [sending and posting] [retrieval] [GetMessage and PeekMessage] [translation and
//           dispatch] [timers] [helpers for tests]
#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/Diagnostics.h"
#include "quill/headless.h"
#include "user/UserState.h"
#include "windows.h"

using namespace quill;
using namespace quill::user;

// [sending and posting] ---------------------------------------------------------------------------

namespace quill::user {

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Win(hwnd);
  if (!w || !w->proc) return 0;
  WNDPROC proc = w->proc;
  return proc(hwnd, msg, wParam, lParam);
}

void PurgeWindow(HWND hwnd) {
  UserState& u = U();
  auto forWindow = [hwnd](const MSG& m) { return m.hwnd == hwnd; };
  u.posted.erase(std::remove_if(u.posted.begin(), u.posted.end(), forWindow), u.posted.end());
  u.inputMessages.erase(std::remove_if(u.inputMessages.begin(), u.inputMessages.end(), forWindow),
                        u.inputMessages.end());
  u.timers.erase(std::remove_if(u.timers.begin(), u.timers.end(),
                                [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                 u.timers.end());
}

}  // namespace quill::user

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Send(hwnd, msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !Win(hwnd)) return FALSE;
  U().posted.push_back(MSG{hwnd, msg, wParam, lParam, GetTickCount(), U().cursorPos});
  return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
  U().quitPending = true;
  U().quitCode = exitCode;
}

// [retrieval] -------------------------------------------------------------------------------------

namespace {

bool InRange(UINT msg, UINT min, UINT max) { return (min == 0 && max == 0) || (msg >= min && msg <= max); }

bool Matches(const MSG& m, HWND filter, UINT min, UINT max) {
  if (filter && m.hwnd != filter && !IsInside(m.hwnd, filter)) return false;
  return InRange(m.message, min, max);
}

void PullInput(int waitMs) {
  Driver* d = Drv();
  if (!d) return;
  std::vector<InputEvent> events;
  d->PumpInput(events, waitMs);
  U().input.insert(U().input.end(), events.begin(), events.end());
}

bool TakeFrom(std::deque<MSG>& queue, MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!Matches(*it, filter, min, max)) continue;
    *out = *it;
    if (remove) queue.erase(it);
    return true;
  }
  return false;
}

bool Retrieve(MSG* out, HWND filter, UINT min, UINT max, bool remove) {
  UserState& u = U();
  PullInput(0);
  for (;;) {
    if (TakeFrom(u.posted, out, filter, min, max, remove)) return true;
    if (TakeFrom(u.inputMessages, out, filter, min, max, remove)) return true;
    // Converting an event may send messages that post more; those come first again.
    if (!ConvertNextInput()) break;
  }
  if (u.quitPending && InRange(WM_QUIT, min, max)) {
    *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(u.quitCode), 0, GetTickCount(), u.cursorPos};
    if (remove) u.quitPending = false;
    return true;
  }
  if (InRange(WM_PAINT, min, max)) {
    if (HWND h = FindWindowToPaint(filter)) {
      *out = MSG{h, WM_PAINT, 0, 0, GetTickCount(), u.cursorPos};
      return true;  // stays until the window validates its update region
    }
  }
  if (InRange(WM_TIMER, min, max)) {
    uint64_t now = Drv() ? Drv()->NowMs() : 0;
    Timer* due = nullptr;
    for (Timer& t : u.timers)
      if (t.due <= now && (!filter || t.hwnd == filter || IsInside(t.hwnd, filter)) &&
          (!due || t.due < due->due))
        due = &t;
    if (due) {
      *out = MSG{due->hwnd, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc),
                 static_cast<DWORD>(now), u.cursorPos};
      // Intervals missed while the thread was busy come as one message, as the platform does.
      if (remove) due->due = now + due->elapse;
      return true;
    }
  }
  return false;
}

void Remember(const MSG& m) {
  U().messageTime = m.time;
  U().messagePos = m.pt;
}

}  // namespace

// [GetMessage and PeekMessage] --------------------------------------------------------------------

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT flags) {
  if (!msg || (hwnd && !Win(hwnd))) return FALSE;
  if (Retrieve(msg, hwnd, min, max, (flags & PM_REMOVE) != 0)) {
    if (flags & PM_REMOVE) Remember(*msg);
    return TRUE;
  }
  PresentAll();
  return FALSE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max) {
  if (!msg || (hwnd && !Win(hwnd))) return -1;
  for (;;) {
    if (Retrieve(msg, hwnd, min, max, true)) {
      Remember(*msg);
      return msg->message == WM_QUIT ? FALSE : TRUE;
    }
    // Nothing to do: show what was drawn, then wait for input or the next timer.
    PresentAll();
    Driver* d = Drv();
    if (!d) {
      ReportMisuse("GetMessageA with no driver installed: nothing could ever arrive");
      return -1;
    }
    int wait = -1;
    if (!U().timers.empty()) {
      uint64_t now = d->NowMs(), next = UINT64_MAX;
      for (const Timer& t : U().timers) next = std::min(next, t.due);
      wait = next <= now ? 1 : static_cast<int>(std::min<uint64_t>(next - now, INT_MAX));
    }
    PullInput(wait);
  }
}

DWORD WINAPI GetMessageTime(void) { return U().messageTime; }

DWORD WINAPI GetMessagePos(void) {
  return static_cast<DWORD>(MAKELONG(static_cast<WORD>(U().messagePos.x), static_cast<WORD>(U().messagePos.y)));
}

// [translation and dispatch] ----------------------------------------------------------------------

BOOL WINAPI TranslateMessage(const MSG* msg) {
  if (!msg) return FALSE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP && msg->message != WM_SYSKEYDOWN &&
      msg->message != WM_SYSKEYUP)
    return FALSE;
  if (msg->message != WM_KEYDOWN) return TRUE;
  // Printable characters arrive from the desktop as text events; only keys that make control
  // characters are translated here.
  const uint8_t* keys = U().keys;
  bool ctrl = keys[VK_CONTROL] & 0x80, alt = keys[VK_MENU] & 0x80;
  WPARAM ch = 0;
  switch (msg->wParam) {
    case VK_BACK: ch = ctrl ? 0x7F : 8; break;
    case VK_TAB: ch = ctrl ? 0 : 9; break;
    case VK_RETURN: ch = ctrl ? 10 : 13; break;
    case VK_ESCAPE: ch = 27; break;
    default:
      if (ctrl && !alt && msg->wParam >= 'A' && msg->wParam <= 'Z') ch = msg->wParam - 'A' + 1;
      break;
  }
  if (ch) U().posted.push_front(MSG{msg->hwnd, WM_CHAR, ch, msg->lParam, msg->time, msg->pt});
  return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    if (msg->hwnd && !Win(msg->hwnd)) return 0;
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  return Send(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// [timers] ----------------------------------------------------------------------------------------

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  if (hwnd && !Win(hwnd)) return 0;
  UserState& u = U();
  if (!hwnd && !id) id = u.nextThreadTimer++;
  elapseMs = std::clamp<UINT>(elapseMs, 10, 0x7FFFFFFF);
  uint64_t now = Drv() ? Drv()->NowMs() : 0;
  for (Timer& t : u.timers)
    if (t.hwnd == hwnd && t.id == id) {
      t = Timer{hwnd, id, elapseMs, now + elapseMs, proc};
      return id ? id : 1;
    }
  u.timers.push_back(Timer{hwnd, id, elapseMs, now + elapseMs, proc});
  return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  auto& timers = U().timers;
  auto it = std::find_if(timers.begin(), timers.end(),
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == timers.end()) return FALSE;
  timers.erase(it);
  return TRUE;
}

// [helpers for tests] -----------------------------------------------------------------------------

namespace quill {

bool PumpUntilIdle() {
  // A window procedure that never validates its update region would keep this busy forever;
  // the bound turns that fault into a message instead of a hang.
  const int kLimit = 100000;
  MSG msg;
  for (int i = 0; i < kLimit; ++i) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the caller's loop
      return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  std::fprintf(stderr, "quill: PumpUntilIdle gave up: messages keep coming (a WM_PAINT never validated?)\n");
  return false;
}

}  // namespace quill
