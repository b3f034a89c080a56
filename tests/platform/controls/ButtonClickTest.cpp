// Which activations of a BUTTON report BN_CLICKED to the parent, and which do not.
#include <functional>

#include "ButtonFixture.h"

namespace quill::test {
namespace {

struct ClickCase {
  const char* name;
  std::function<void(ButtonTest&, HeadlessDriver&, HWND)> act;
  size_t clicks;
};

class ButtonClicks : public ButtonTest {
 protected:
  void Run(DWORD style, const ClickCase& c) {
    SCOPED_TRACE(c.name);
    HWND button = Make(style, "OK", 10, 10, 80, 30, 42);
    // Checked first, so a radio button's own check on receiving the focus does not add a report.
    SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
    Notices().clear();
    c.act(*this, *driver, button);
    PumpUntilIdle();
    const std::vector<Notice> clicks = ClicksFrom(button);
    EXPECT_EQ(clicks.size(), c.clicks);
    for (const Notice& n : clicks) EXPECT_EQ(n.id, 42);
    // Whatever happened, the button is left raised and holds no capture.
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(button);
  }
};

POINT Inside(ButtonTest&, HWND hwnd) {
  POINT p{40, 15};
  ClientToScreen(hwnd, &p);
  return p;
}
POINT Outside(ButtonTest&, HWND hwnd) {
  POINT p{120, 15};
  ClientToScreen(hwnd, &p);
  return p;
}

const ClickCase kCases[] = {
    {"click", [](ButtonTest& t, HeadlessDriver& d, HWND b) { auto p = Inside(t, b); d.Click(p.x, p.y); }, 1},
    {"double click counts twice",
     [](ButtonTest& t, HeadlessDriver& d, HWND b) { auto p = Inside(t, b); d.DoubleClick(p.x, p.y); }, 2},
    {"released outside",
     [](ButtonTest& t, HeadlessDriver& d, HWND b) {
       auto in = Inside(t, b), out = Outside(t, b);
       d.MouseDown(in.x, in.y);
       d.MouseMove(out.x, out.y);
       d.MouseUp(out.x, out.y);
     },
     0},
    {"out and back in before the release",
     [](ButtonTest& t, HeadlessDriver& d, HWND b) {
       auto in = Inside(t, b), out = Outside(t, b);
       d.MouseDown(in.x, in.y);
       d.MouseMove(out.x, out.y);
       d.MouseMove(in.x, in.y);
       d.MouseUp(in.x, in.y);
     },
     1},
    {"space", [](ButtonTest&, HeadlessDriver& d, HWND b) { SetFocus(b); d.Key(VK_SPACE); }, 1},
    {"space held while the focus leaves",
     [](ButtonTest& t, HeadlessDriver& d, HWND b) {
       SetFocus(b);
       d.KeyDown(VK_SPACE);
       PumpUntilIdle();
       SetFocus(t.other);
       d.KeyUp(VK_SPACE);
     },
     0},
    {"BM_CLICK", [](ButtonTest&, HeadlessDriver&, HWND b) { SendMessageA(b, BM_CLICK, 0, 0); }, 1},
    {"disabled",
     [](ButtonTest& t, HeadlessDriver& d, HWND b) {
       EnableWindow(b, FALSE);
       auto p = Inside(t, b);
       d.Click(p.x, p.y);
       PumpUntilIdle();
       SendMessageA(b, BM_CLICK, 0, 0);
     },
     0},
    {"disabled while held down",
     [](ButtonTest& t, HeadlessDriver& d, HWND b) {
       auto p = Inside(t, b);
       d.MouseDown(p.x, p.y);
       PumpUntilIdle();
       EnableWindow(b, FALSE);
       d.MouseUp(p.x, p.y);
     },
     0},
};

TEST_F(ButtonClicks, PushButton) {
  for (const ClickCase& c : kCases) Run(BS_PUSHBUTTON, c);
}

TEST_F(ButtonClicks, RadioButton) {
  for (const ClickCase& c : kCases) Run(BS_AUTORADIOBUTTON, c);
}

TEST_F(ButtonTest, ClickingACheckedRadioButtonReportsAgainAndKeepsItChecked) {
  HWND radio = Make(BS_AUTORADIOBUTTON | BS_MULTILINE, "six", 10, 10, 104, 24, 7);
  Click(radio);
  ASSERT_TRUE(Checked(radio));
  Click(radio);
  SetFocus(radio);
  driver->Key(VK_SPACE);
  PumpUntilIdle();
  EXPECT_EQ(ClicksFrom(radio).size(), 3u);
  EXPECT_TRUE(Checked(radio));
}

TEST_F(ButtonTest, ANotifiedParentMayDestroyTheButton) {
  DestroyOnClick(true);
  HWND push = Make(BS_PUSHBUTTON, "a", 10, 10, 60, 24, 1);
  HWND radio = Make(BS_AUTORADIOBUTTON, "b", 10, 50, 60, 24, 2);
  HWND focused = Make(BS_AUTORADIOBUTTON, "c", 10, 90, 60, 24, 3);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  Click(push);
  SetFocus(radio);
  driver->Key(VK_SPACE);
  PumpUntilIdle();
  SetFocus(focused);  // reports from inside WM_SETFOCUS, and dies there
  PumpUntilIdle();
  EXPECT_FALSE(IsWindow(push));
  EXPECT_FALSE(IsWindow(radio));
  EXPECT_FALSE(IsWindow(focused));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, DestroyedButtonsFailCleanlyAndLeaveNothingBehind) {
  const LiveObjects before = CountLiveObjects();
  HWND push = Make(BS_PUSHBUTTON, "a", 10, 10, 60, 24, 1);
  HWND radio = Make(BS_AUTORADIOBUTTON, "b", 10, 50, 60, 24, 2);
  SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
  const POINT p = ScreenPoint(push, 5, 5);
  driver->MouseDown(p.x, p.y);  // destroyed while held down: the capture goes with it
  PumpUntilIdle();
  ASSERT_EQ(GetCapture(), push);
  DestroyWindow(push);
  DestroyWindow(radio);
  driver->MouseUp(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(GetCapture(), nullptr);
  Notices().clear();
  for (HWND gone : {push, radio}) {
    EXPECT_EQ(SendMessageA(gone, BM_GETCHECK, 0, 0), 0);
    EXPECT_EQ(SendMessageA(gone, BM_CLICK, 0, 0), 0);
    EXPECT_EQ(SendMessageA(gone, WM_GETFONT, 0, 0), 0);
  }
  EXPECT_TRUE(Notices().empty());
  const LiveObjects after = CountLiveObjects();
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(after.dcs, before.dcs);
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
}

TEST_F(ButtonTest, AnswersDialogCodesFontsAndState) {
  HWND push = Make(BS_PUSHBUTTON, "a", 10, 10, 60, 24, 1);
  HWND radio = Make(BS_AUTORADIOBUTTON, "b", 10, 50, 60, 24, 2);
  EXPECT_EQ(SendMessageA(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  EXPECT_EQ(SendMessageA(radio, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
  EXPECT_EQ(SendMessageA(radio, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
  SendMessageA(push, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessageA(push, BM_GETCHECK, 0, 0), BST_UNCHECKED) << "a push button has no check";
  SetFocus(radio);  // checks it (focus from the keyboard's side)
  SendMessageA(radio, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(SendMessageA(radio, BM_GETSTATE, 0, 0), BST_CHECKED | BST_PUSHED | BST_FOCUS);
  SendMessageA(radio, BM_SETSTATE, FALSE, 0);
  SetFocus(other);
  EXPECT_EQ(SendMessageA(radio, BM_GETSTATE, 0, 0), BST_CHECKED);
}

}  // namespace
}  // namespace quill::test
