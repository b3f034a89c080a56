// Frame and caption metrics, hit-testing of the caption, and closing by the close button and Alt+F4.
#include "LayerTest.h"

namespace quill::test {
namespace {

class NonClient : public LayerTest {};

const DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

TEST_F(NonClient, FixedFrameWithCaptionLeavesTheExpectedClientArea) {
  HWND top = TopLevel(kMainStyle, 270, 77, 484, 614);
  RECT client, window;
  GetClientRect(top, &client);
  GetWindowRect(top, &window);
  EXPECT_EQ(client.right, 478);
  EXPECT_EQ(client.bottom, 584);
  EXPECT_EQ(window.right - window.left, 484);
  POINT origin{0, 0};
  ClientToScreen(top, &origin);
  EXPECT_EQ(origin.x - window.left, 3);
  EXPECT_EQ(origin.y - window.top, 27);

  RECT r{0, 0, 478, 584};
  AdjustWindowRectEx(&r, kMainStyle, FALSE, 0);
  EXPECT_EQ(r.right - r.left, 484);
  EXPECT_EQ(r.bottom - r.top, 614);

  HWND edit = Child(top, 10, 10, 80, 24, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
  GetClientRect(edit, &client);
  EXPECT_EQ(client.right, 80 - 2 * GetSystemMetrics(SM_CXEDGE));
  EXPECT_EQ(client.bottom, 24 - 2 * GetSystemMetrics(SM_CYEDGE));
}

TEST_F(NonClient, HitTestingFindsTheCaptionParts) {
  HWND top = TopLevel(kMainStyle | WS_VISIBLE, 100, 100, 484, 614);
  struct Case {
    int x, y;  // window coordinates
    int hit;
  } cases[] = {
      {484 - 3 - 10, 10, HTCLOSE},     {484 - 3 - 34 - 10, 10, HTMAXBUTTON},
      {484 - 3 - 68 - 10, 10, HTMINBUTTON}, {200, 10, HTCAPTION},
      {8, 10, HTSYSMENU},              {200, 300, HTCLIENT},
      {1, 300, HTBORDER},              {600, 300, HTNOWHERE},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SendMessageA(top, WM_NCHITTEST, 0, MAKELPARAM(100 + c.x, 100 + c.y)), c.hit)
        << c.x << "," << c.y;
}

TEST_F(NonClient, CloseButtonActsOnReleaseOverIt) {
  HWND top = TopLevel(kMainStyle | WS_VISIBLE, 100, 100, 484, 614);
  PumpUntilIdle();
  const int closeX = 100 + 484 - 3 - 17, closeY = 100 + 3 + 12;
  // Pressed on the button, released elsewhere: nothing happens.
  driver->MouseDown(closeX, closeY);
  driver->MouseMove(300, 400);
  driver->MouseUp(300, 400);
  PumpUntilIdle();
  ASSERT_TRUE(IsWindow(top));
  // The disabled maximise button does nothing either.
  driver->Click(closeX - 34, closeY);
  PumpUntilIdle();
  ASSERT_TRUE(IsWindow(top));
  driver->Click(closeX, closeY);
  PumpUntilIdle();
  EXPECT_FALSE(IsWindow(top));
  auto seq = Sequence({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
  ASSERT_EQ(seq.size(), 3u);
  EXPECT_EQ(seq[0].second, static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(seq[1].second, static_cast<UINT>(WM_CLOSE));
}

TEST_F(NonClient, AltF4AndTheDesktopCloseRequestClose) {
  for (int way = 0; way < 2; ++way) {
    HWND top = TopLevel(kMainStyle | WS_VISIBLE);
    HWND child = Child(top, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE);
    SetFocus(child);
    PumpUntilIdle();
    if (way == 0)
      driver->Key(VK_F4, kAlt);
    else
      driver->CloseRequest(top);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(top)) << way;
  }
}

TEST_F(NonClient, CaptionDragMovesTheWindowAndMinimiseHidesItFromTheScreen) {
  HWND top = TopLevel(kMainStyle | WS_VISIBLE, 100, 100, 300, 200);
  PumpUntilIdle();
  driver->MouseDown(200, 110);
  driver->MouseMove(250, 160);
  driver->MouseUp(250, 160);
  PumpUntilIdle();
  RECT r;
  GetWindowRect(top, &r);
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 150);
  driver->Click(150 + 300 - 3 - 68 - 17, 150 + 10);  // the minimise button
  PumpUntilIdle();
  EXPECT_TRUE(IsIconic(top));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(ScreenPixel(200, 200), GetSysColor(COLOR_BACKGROUND));
}

}  // namespace
}  // namespace quill::test
