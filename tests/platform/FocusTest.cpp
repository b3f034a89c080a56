// Activation and focus messages in the platform's order.
#include "LayerTest.h"

namespace quill::test {
namespace {

class Focus : public LayerTest {};

using P = std::pair<HWND, UINT>;
const std::vector<UINT> kFocusMessages = {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS};

TEST_F(Focus, ShowingActivatesAndFocusesTheWindowThenSetFocusMovesIt) {
  HWND top = TopLevel();
  HWND a = Child(top, 0, 0, 10, 10), b = Child(top, 20, 0, 10, 10);
  MessageLog().clear();
  ShowWindow(top, SW_SHOWNORMAL);
  EXPECT_EQ(Sequence(kFocusMessages), (std::vector<P>{{top, WM_ACTIVATEAPP}, {top, WM_NCACTIVATE},
                                                      {top, WM_ACTIVATE}, {top, WM_SETFOCUS}}));
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetForegroundWindow(), top);
  EXPECT_EQ(GetFocus(), top);

  MessageLog().clear();
  EXPECT_EQ(SetFocus(a), top);
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(Sequence(kFocusMessages), (std::vector<P>{{top, WM_KILLFOCUS}, {a, WM_SETFOCUS},
                                                      {a, WM_KILLFOCUS}, {b, WM_SETFOCUS}}));
  // wParam names the other window of each change.
  const auto& log = MessageLog();
  auto find = [&](HWND h, UINT m) {
    for (const Logged& l : log) if (l.hwnd == h && l.msg == m) return l.wParam;
    return WPARAM(~0u);
  };
  EXPECT_EQ(find(a, WM_KILLFOCUS), reinterpret_cast<WPARAM>(b));
  EXPECT_EQ(find(b, WM_SETFOCUS), reinterpret_cast<WPARAM>(a));
}

TEST_F(Focus, SwitchingToAnotherApplicationAndBack) {
  HWND top = TopLevel(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  HWND edit = Child(top, 0, 0, 10, 10);
  SetFocus(edit);
  PumpUntilIdle();
  MessageLog().clear();
  driver->Deactivate();
  PumpUntilIdle();
  EXPECT_EQ(Sequence(kFocusMessages), (std::vector<P>{{top, WM_NCACTIVATE}, {top, WM_ACTIVATE},
                                                      {top, WM_ACTIVATEAPP}, {edit, WM_KILLFOCUS}}));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  for (const Logged& l : MessageLog()) {
    if (l.msg == WM_ACTIVATE) {
      EXPECT_EQ(LOWORD(l.wParam), WA_INACTIVE);
    }
    if (l.msg == WM_ACTIVATEAPP) {
      EXPECT_EQ(l.wParam, static_cast<WPARAM>(FALSE));
    }
  }

  MessageLog().clear();
  driver->Activate(top);
  PumpUntilIdle();
  EXPECT_EQ(Sequence(kFocusMessages), (std::vector<P>{{top, WM_ACTIVATEAPP}, {top, WM_NCACTIVATE},
                                                      {top, WM_ACTIVATE}, {top, WM_SETFOCUS}}));
  EXPECT_EQ(GetFocus(), top);
}

TEST_F(Focus, ClickingAnInactiveWindowActivatesItWithClickActive) {
  HWND back = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND front = TopLevel(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  PumpUntilIdle();
  ASSERT_EQ(GetActiveWindow(), front);
  MessageLog().clear();
  driver->Click(50, 50);
  PumpUntilIdle();
  EXPECT_EQ(GetActiveWindow(), back);
  EXPECT_EQ(GetTopWindow(nullptr), back);
  auto seq = Sequence({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN});
  ASSERT_EQ(seq.size(), 4u);  // front deactivates, back activates
  EXPECT_EQ(seq[0], (P{back, WM_MOUSEACTIVATE}));
  EXPECT_EQ(seq[3], (P{back, WM_LBUTTONDOWN}));
  for (const Logged& l : MessageLog())
    if (l.hwnd == back && l.msg == WM_ACTIVATE) {
      EXPECT_EQ(LOWORD(l.wParam), WA_CLICKACTIVE);
    }
}

TEST_F(Focus, DestroyingAndDisablingCleanUpFocusCaptureAndActivation) {
  HWND top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND child = Child(top, 0, 0, 10, 10);
  SetFocus(child);
  SetCapture(child);
  EnableWindow(child, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SetFocus(child), nullptr);  // a disabled window takes no focus
  EnableWindow(child, TRUE);
  SetFocus(child);
  DestroyWindow(child);
  EXPECT_EQ(GetFocus(), top);
  DestroyWindow(top);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

}  // namespace
}  // namespace quill::test
