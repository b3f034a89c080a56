// Automatic radio buttons: groups exclude each other's checks, and the focus arriving other than
// by a click checks the button and reports a click from inside WM_SETFOCUS.
#include "ButtonFixture.h"

namespace quill::test {
namespace {

class RadioGroups : public ButtonTest {
 protected:
  void SetUp() override {
    ButtonTest::SetUp();
    // New windows go to the top of their siblings, so creating them last-first leaves a, b, c, d
    // in Z order. Groups: {a, b} and {c, d}; the push button in the first group is no radio.
    d = Make(BS_AUTORADIOBUTTON, "d", 10, 130, 80, 20, 4);
    c = Make(BS_AUTORADIOBUTTON | WS_GROUP, "c", 10, 100, 80, 20, 3);
    push = Make(BS_PUSHBUTTON, "p", 150, 10, 80, 20, 9);
    b = Make(BS_AUTORADIOBUTTON, "b", 10, 40, 80, 20, 2);
    a = Make(BS_AUTORADIOBUTTON | WS_GROUP, "a", 10, 10, 80, 20, 1);
    ASSERT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  }
  std::vector<bool> Checks() { return {Checked(a), Checked(b), Checked(c), Checked(d)}; }
  HWND a = nullptr, b = nullptr, c = nullptr, d = nullptr, push = nullptr;
};

TEST_F(RadioGroups, AClickChecksOnlyWithinItsGroup) {
  struct Step {
    int target;  // 0 a, 1 b, 2 c, 3 d
    std::vector<bool> after;
  };
  const Step steps[] = {
      {0, {true, false, false, false}}, {2, {true, false, true, false}}, {1, {false, true, true, false}},
      {3, {false, true, false, true}},  {1, {false, true, false, true}}, {0, {true, false, false, true}},
  };
  const HWND radios[] = {a, b, c, d};
  for (const Step& s : steps) {
    Click(radios[s.target]);
    EXPECT_EQ(Checks(), s.after) << "after clicking " << "abcd"[s.target];
  }
  EXPECT_EQ(ClicksFrom(b).size(), 2u) << "the second click on a checked b still reports";
}

TEST_F(RadioGroups, SpaceAndBmClickCheckTheGroupLikeAClick) {
  SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false}));
  SendMessageA(a, BM_SETCHECK, BST_CHECKED, 0);  // a program's own setting unchecks nothing
  EXPECT_EQ(Checks(), (std::vector<bool>{true, true, false, false}));
  Click(b);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false}));
  SetFocus(c);  // checks c
  SendMessageA(d, BM_SETCHECK, BST_CHECKED, 0);
  driver->Key(VK_SPACE);
  PumpUntilIdle();
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, true, false}));
}

struct FocusCase {
  const char* name;
  bool startChecked;
  bool byMouse;       // the focus comes with a click on the radio button
  bool buttonHeld;    // SetFocus while the left button is held down elsewhere
  size_t clicks;
  bool fromSetFocus;  // the report came from inside WM_SETFOCUS
};

TEST_F(RadioGroups, TheFocusChecksAnUncheckedRadioButtonUnlessAClickBringsIt) {
  const FocusCase cases[] = {
      {"keyboard focus, unchecked", false, false, false, 1, true},
      {"keyboard focus, already checked", true, false, false, 0, false},
      {"click, unchecked", false, true, false, 1, false},
      {"click, already checked", true, true, false, 1, false},
      {"SetFocus with the button held elsewhere", false, false, true, 0, false},
  };
  for (const FocusCase& fc : cases) {
    SCOPED_TRACE(fc.name);
    SetFocus(other);
    SendMessageA(a, BM_SETCHECK, fc.startChecked ? BST_UNCHECKED : BST_CHECKED, 0);
    SendMessageA(b, BM_SETCHECK, fc.startChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    PumpUntilIdle();
    Notices().clear();

    if (fc.byMouse) {
      Click(b);
    } else if (fc.buttonHeld) {
      const POINT p = ScreenPoint(parent, 200, 180);
      driver->MouseDown(p.x, p.y);
      PumpUntilIdle();
      SetFocus(b);
      driver->MouseUp(p.x, p.y);
      PumpUntilIdle();
    } else {
      SetFocus(b);
    }

    EXPECT_EQ(GetFocus(), b);
    const std::vector<Notice> clicks = ClicksFrom(b);
    ASSERT_EQ(clicks.size(), fc.clicks);
    if (!clicks.empty()) {
      EXPECT_EQ(clicks[0].duringSetFocus, fc.fromSetFocus);
    }
    const bool checked = fc.startChecked || fc.clicks > 0;
    EXPECT_EQ(Checked(b), checked);
    EXPECT_EQ(Checked(a), !checked) << "checking b clears a, and nothing else does";
    EXPECT_EQ(Notices().size(), clicks.size()) << "nobody else reports anything";
  }
}

TEST_F(RadioGroups, TabbingThroughChecksEachRadioButtonItReaches) {
  // What a window's Tab handling does: SetFocus along the radio buttons, no mouse involved.
  SetFocus(a);
  SetFocus(b);
  SetFocus(push);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(ClicksFrom(a).size(), 1u);
  EXPECT_EQ(ClicksFrom(b).size(), 1u);
  EXPECT_TRUE(ClicksFrom(push).empty());
}

}  // namespace
}  // namespace quill::test
