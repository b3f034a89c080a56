// What a BUTTON looks like on the screen in each state: the radio dot, the keyboard's focus
// rectangle, the pressed face, the parent's colours and the placement of wrapped captions.
#include <algorithm>

#include "ButtonFixture.h"

namespace quill::test {
namespace {

constexpr int kFocusInset = 3;  // where a push button's focus rectangle runs

// Ink of black or navy text, or of the radio mark's ring and dot; the faces and backgrounds are light.
bool Dark(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100; }

TEST_F(ButtonTest, TheRadioDotShowsOnlyWhileChecked) {
  HWND radio = Make(BS_AUTORADIOBUTTON, "", 10, 10, 104, 24, 1);
  const int centreY = (24 - 13) / 2 + 6;
  const auto unchecked = Snapshot(radio);
  EXPECT_EQ(Pixel(radio, 6, centreY), RGB(255, 255, 255));
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);  // repaints before it returns
  EXPECT_TRUE(Dark(Pixel(radio, 6, centreY)));
  EXPECT_EQ(Pixel(radio, 0, centreY), unchecked[static_cast<size_t>(centreY) * 104]) << "the ring is unchanged";
  SendMessageA(radio, BM_SETCHECK, BST_UNCHECKED, 0);
  EXPECT_EQ(Snapshot(radio), unchecked);
}

TEST_F(ButtonTest, TheFocusRectangleShowsOnlyWhenTheFocusCameFromTheKeyboard) {
  HWND push = Make(BS_PUSHBUTTON, "OK", 10, 10, 80, 30, 1);
  HWND radio = Make(BS_AUTORADIOBUTTON, "choice", 10, 60, 104, 24, 2);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  const COLORREF pushPlain = Pixel(push, kFocusInset, kFocusInset);
  const auto radioPlain = Snapshot(radio);

  SetFocus(push);
  EXPECT_NE(Pixel(push, kFocusInset, kFocusInset), pushPlain);
  SetFocus(radio);
  EXPECT_NE(Snapshot(radio), radioPlain);
  EXPECT_EQ(Pixel(push, kFocusInset, kFocusInset), pushPlain) << "losing the focus takes it away";

  Click(push);
  EXPECT_EQ(GetFocus(), push);
  EXPECT_EQ(Pixel(push, kFocusInset, kFocusInset), pushPlain) << "a click focuses without the rectangle";
  Click(radio);
  EXPECT_EQ(Snapshot(radio), radioPlain);

  driver->Key(VK_SHIFT);  // using the keyboard brings it back
  PumpUntilIdle();
  EXPECT_NE(Snapshot(radio), radioPlain);
}

TEST_F(ButtonTest, APressedButtonLooksPressedOnlyWhileThePointerIsOverIt) {
  HWND push = Make(BS_PUSHBUTTON, "OK", 10, 10, 80, 30, 1);
  const POINT in = ScreenPoint(push, 40, 15), out = ScreenPoint(push, 120, 15);
  driver->MouseDown(in.x, in.y);
  PumpUntilIdle();
  const auto pressed = Snapshot(push);
  driver->MouseMove(out.x, out.y);
  PumpUntilIdle();
  const auto raised = Snapshot(push);
  EXPECT_NE(pressed, raised);
  driver->MouseMove(in.x, in.y);
  PumpUntilIdle();
  EXPECT_EQ(Snapshot(push), pressed);
  driver->MouseUp(in.x, in.y);
  PumpUntilIdle();
  EXPECT_EQ(Snapshot(push), raised);
  EXPECT_EQ(ClicksFrom(push).size(), 1u);

  SetFocus(push);
  driver->KeyDown(VK_SPACE);
  PumpUntilIdle();
  const auto spaceDown = Snapshot(push);
  driver->KeyUp(VK_SPACE);
  PumpUntilIdle();
  EXPECT_NE(Snapshot(push), spaceDown);
}

TEST_F(ButtonTest, ARadioButtonTakesItsColoursFromTheParentAndGreysWhenDisabled) {
  HWND radio = Make(BS_AUTORADIOBUTTON, "\xBE\xAB\xB6\xC8", 10, 10, 104, 24, 1);  // 精度
  EXPECT_EQ(Pixel(radio, 100, 2), kStaticBack);
  auto textPixels = [&](COLORREF colour) {
    const auto pixels = Snapshot(radio);
    return std::count(pixels.begin(), pixels.end(), colour);
  };
  EXPECT_GT(textPixels(kStaticText), 0);
  EnableWindow(radio, FALSE);
  EXPECT_EQ(textPixels(kStaticText), 0);
  EXPECT_EQ(Pixel(radio, 100, 2), kStaticBack);
}

TEST_F(ButtonTest, AMultiLineCaptionWrapsAndIsCentredBothWays) {
  struct Case {
    DWORD style;
    const char* text;
    bool wraps;
  };
  const Case cases[] = {
      {BS_PUSHBUTTON | BS_MULTILINE, "wrap wrap wrap wrap", true},
      {BS_PUSHBUTTON, "wrap wrap wrap wrap", false},
      {BS_AUTORADIOBUTTON | BS_MULTILINE, "wrap wrap wrap wrap", true},
  };
  TEXTMETRICA tm;
  HDC screen = GetDC(parent);
  GetTextMetricsA(screen, &tm);
  ReleaseDC(parent, screen);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    HWND button = Make(c.style, c.text, 10, 10, 80, 56, 1);
    RECT ink{80, 56, 0, 0};
    const auto pixels = Snapshot(button);
    for (int y = 0; y < 56; ++y) {
      for (int x = 0; x < 80; ++x) {
        if (!Dark(pixels[static_cast<size_t>(y) * 80 + x]) || (c.style & BS_AUTORADIOBUTTON && x < 13)) continue;
        ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                   std::max<LONG>(ink.bottom, y + 1)};
      }
    }
    ASSERT_LT(ink.left, ink.right);
    EXPECT_EQ(ink.bottom - ink.top > tm.tmHeight, c.wraps);
    EXPECT_NEAR(ink.top, 56 - ink.bottom, tm.tmHeight / 2 + 1) << "vertically centred";
    if (c.style & BS_AUTORADIOBUTTON) {
      EXPECT_LE(ink.left, 13 + 6) << "left-aligned beside the mark";
    } else if (c.wraps) {
      EXPECT_NEAR(ink.left, 80 - ink.right, 2) << "centred";
    }
    DestroyWindow(button);
  }
}

}  // namespace
}  // namespace quill::test
