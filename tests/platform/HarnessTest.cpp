// The whole-program harness: a tiny program with its own GetMessageA loop on a UI thread.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/ProgramHarness.h"

namespace quill {
namespace {

HWND g_main;
int g_timerTicks;

LRESULT CALLBACK TinyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
      }
      break;
    case WM_TIMER:
      ++g_timerTicks;
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int TinyProgram() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = TinyProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "Tiny";
  if (!RegisterClassExA(&wc)) return -1;
  g_main = CreateWindowExA(0, "Tiny", "Tiny", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           100, 100, 200, 150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(g_main, SW_SHOWNORMAL);
  SetTimer(g_main, 1, 530, nullptr);
  MSG msg;
  int r;
  while ((r = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return r == 0 ? static_cast<int>(msg.wParam) : -1;
}

TEST(Harness, TinyProgramEndsWithExitCodeZeroOnEscape) {
  ProgramHarness h;
  g_timerTicks = 0;
  h.Start(TinyProgram);
  ASSERT_FALSE(h.Exited());
  // The program painted its client area in the button face before going idle.
  EXPECT_EQ(h.Driver().ScreenPixel(150, 170), GetSysColor(COLOR_BTNFACE));
  HWND focus = nullptr;
  h.RunOnUi([&] { focus = GetFocus(); });
  EXPECT_EQ(focus, g_main);
  h.AdvanceTime(529);
  int ticks = -1;
  h.RunOnUi([&] { ticks = g_timerTicks; });
  EXPECT_EQ(ticks, 0);
  h.AdvanceTime(1);
  h.RunOnUi([&] { ticks = g_timerTicks; });
  EXPECT_EQ(ticks, 1);
  h.Key(VK_ESCAPE);
  EXPECT_EQ(h.ExitCode(), 0);
}

TEST(Harness, TinyProgramEndsOnTheCloseButton) {
  ProgramHarness h;
  h.Start(TinyProgram);
  h.Click(100 + 200 - 3 - 17, 100 + 3 + 12);
  EXPECT_EQ(h.ExitCode(), 0);
}

TEST(Harness, AProgramStillRunningAtTheEndIsAskedToQuit) {
  ProgramHarness h;
  h.Start(TinyProgram);
  h.Type("abc");
  EXPECT_FALSE(h.Exited());
}

}  // namespace
}  // namespace quill
