// Keyboard, text and mouse input turned into window messages.
#include "LayerTest.h"

namespace quill::test {
namespace {

class Input : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    edit = Child(top, 10, 10, 50, 20);
    SetFocus(edit);
    PumpUntilIdle();
    MessageLog().clear();
  }
  std::vector<Logged> Of(UINT msg) {
    std::vector<Logged> out;
    for (const Logged& l : MessageLog()) if (l.msg == msg) out.push_back(l);
    return out;
  }
  HWND top = nullptr, edit = nullptr;
};

TEST_F(Input, TypedTextBecomesWmCharWithDoubleBytePairs) {
  driver->Type("a\xE5\x90\xB4\xF0\x9F\x98\x80");  // a, 吴 (U+5434), an emoji
  PumpUntilIdle();
  auto chars = Of(WM_CHAR);
  std::vector<WPARAM> got;
  for (const Logged& l : chars) {
    EXPECT_EQ(l.hwnd, edit);
    got.push_back(l.wParam);
  }
  EXPECT_EQ(got, (std::vector<WPARAM>{'a', 0xCE, 0xE2, '?'}));  // lead byte, trail byte; unmappable
}

TEST_F(Input, KeysGoToTheFocusWithStateAndTranslateMakesOnlyControlCharacters) {
  driver->KeyDown(VK_SHIFT);
  driver->Key('A');
  driver->KeyUp(VK_SHIFT);
  driver->Key(VK_RETURN);
  driver->Key('A', kCtrl);
  driver->Key(VK_LEFT);
  PumpUntilIdle();
  auto downs = Of(WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 6u);  // Shift, A, Return, Ctrl, A, Left
  EXPECT_EQ(downs[1].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(downs[1].hwnd, edit);
  EXPECT_EQ(downs[1].lParam & 0xFFFF, 1);                  // repeat count
  EXPECT_EQ((downs[1].lParam >> 16) & 0xFF, 0x1E);         // scan code
  EXPECT_NE(downs[5].lParam & (1 << 24), 0);               // arrows are extended keys
  auto ups = Of(WM_KEYUP);
  ASSERT_FALSE(ups.empty());
  EXPECT_NE(ups[0].lParam & (1 << 30), 0);
  EXPECT_NE(static_cast<DWORD>(ups[0].lParam) & 0x80000000u, 0u);
  std::vector<WPARAM> chars;
  for (const Logged& l : Of(WM_CHAR)) chars.push_back(l.wParam);
  EXPECT_EQ(chars, (std::vector<WPARAM>{13, 1}));  // 'A' itself arrives as text, not from the key
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);

  MessageLog().clear();
  driver->KeyDown(VK_MENU);
  driver->KeyDown('X');
  PumpUntilIdle();
  EXPECT_EQ(Of(WM_SYSKEYDOWN).size(), 2u);
  EXPECT_TRUE(GetKeyState(VK_MENU) & 0x8000);
  EXPECT_TRUE(Of(WM_KEYDOWN).empty());
}

TEST_F(Input, MouseGoesToTheWindowUnderThePointerThroughTransparentWindows) {
  HWND transparentHit = Child(top, 100, 100, 50, 50);
  SetWindowLongPtrA(transparentHit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == WM_NCHITTEST) return HTTRANSPARENT;
                      return DefWindowProcA(h, m, w, l);
                    }));
  HWND exTransparent = Child(top, 10, 100, 50, 50, WS_CHILD | WS_VISIBLE, WS_EX_TRANSPARENT);
  HWND disabled = Child(top, 100, 10, 50, 50, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  PumpUntilIdle();
  struct Case {
    int x, y;
    HWND expected;  // nullptr: no button message at all
    int clientX, clientY;
  } cases[] = {
      {15, 15, edit, 5, 5},
      {120, 120, top, 120, 120},  // HTTRANSPARENT passes to the parent beneath
      {20, 110, top, 20, 110},    // WS_EX_TRANSPARENT is skipped
      {110, 20, nullptr, 0, 0},   // disabled windows get no input
  };
  for (const Case& c : cases) {
    MessageLog().clear();
    driver->Click(c.x, c.y);
    PumpUntilIdle();
    auto downs = Of(WM_LBUTTONDOWN);
    if (!c.expected) {
      EXPECT_TRUE(downs.empty()) << c.x;
      continue;
    }
    ASSERT_EQ(downs.size(), 1u) << c.x;
    EXPECT_EQ(downs[0].hwnd, c.expected) << c.x;
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), c.clientX);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), c.clientY);
    EXPECT_EQ(downs[0].wParam & MK_LBUTTON, static_cast<WPARAM>(MK_LBUTTON));
  }
  (void)exTransparent;
  (void)disabled;
}

TEST_F(Input, DoubleClicksNeedTheClassStyleAndCaptureKeepsTheMouse) {
  driver->DoubleClick(15, 15);
  PumpUntilIdle();
  EXPECT_EQ(Of(WM_LBUTTONDBLCLK).size(), 1u);  // the test class has CS_DBLCLKS
  SetCapture(edit);
  MessageLog().clear();
  driver->MouseMove(150, 150);
  PumpUntilIdle();
  auto moves = Of(WM_MOUSEMOVE);
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].hwnd, edit);
  EXPECT_EQ(GET_X_LPARAM(moves[0].lParam), 140);
  ReleaseCapture();
  EXPECT_EQ(Of(WM_CAPTURECHANGED).size(), 1u);
}

TEST_F(Input, TimersFireOnTheDriversClock) {
  SetTimer(edit, 7, 500, nullptr);
  PumpUntilIdle();
  EXPECT_TRUE(Of(WM_TIMER).empty());
  driver->AdvanceTime(499);
  PumpUntilIdle();
  EXPECT_TRUE(Of(WM_TIMER).empty());
  driver->AdvanceTime(1);
  PumpUntilIdle();
  ASSERT_EQ(Of(WM_TIMER).size(), 1u);
  EXPECT_EQ(Of(WM_TIMER)[0].wParam, 7u);
  driver->AdvanceTime(2000);  // missed intervals arrive as one message
  PumpUntilIdle();
  EXPECT_EQ(Of(WM_TIMER).size(), 2u);
  EXPECT_TRUE(KillTimer(edit, 7));
  EXPECT_FALSE(KillTimer(edit, 7));
  EXPECT_EQ(GetTickCount(), 2500u);
}

}  // namespace
}  // namespace quill::test
