// Choosing five or six decimal places, and what the coordinate boxes let through.
#include "support/QuillmarkFixture.h"
#include "ui/ControlNames.h"

namespace {

using namespace names;

class PrecisionTest : public QuillmarkFixture {
 protected:
  void SetUp() override {
    QuillmarkFixture::SetUp();
    StartProgram();
  }
  void Clear(const char* box) {
    ClickControl(box);
    App().Key('A', quill::kCtrl);
    App().Key(VK_DELETE);
  }
  std::pair<int, int> Limits() { return {Limit(kEditBox1), Limit(kEditBox2)}; }
  std::vector<COLORREF> WindowPixels() {
    Screen().ComposeScreen();
    RECT r{};
    HWND main = MainWindow();
    App().RunOnUi([&] { GetWindowRect(main, &r); });
    std::vector<COLORREF> out;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) out.push_back(Screen().ScreenPixel(x, y));
    return out;
  }
};

TEST_F(PrecisionTest, FivePlacesKeepsTheTextButTypingStopsAtEightCharacters) {
  EXPECT_EQ(Limits(), std::make_pair(9, 10));
  EXPECT_FALSE(Checked(kRadioBox1));
  EXPECT_FALSE(Checked(kRadioBox2));

  ClickControl(kRadioBox1);
  EXPECT_TRUE(Checked(kRadioBox1));
  EXPECT_EQ(Limits(), std::make_pair(8, 9));
  EXPECT_EQ(Text(kEditBox1), "35.123456");  // nothing cut

  ClickControl(kEditBox1);
  App().Key(VK_END);
  App().Type("7");
  EXPECT_EQ(Text(kEditBox1), "35.123456");
  App().Key(VK_BACK);
  App().Type("7");
  EXPECT_EQ(Text(kEditBox1), "35.12345");  // 8 characters: still full
  App().Key(VK_BACK);
  App().Key(VK_BACK);
  App().Type("999");
  EXPECT_EQ(Text(kEditBox1), "35.12399");

  ClickControl(kRadioBox2);
  EXPECT_TRUE(Checked(kRadioBox2));
  EXPECT_FALSE(Checked(kRadioBox1));
  EXPECT_EQ(Limits(), std::make_pair(9, 10));
  EXPECT_EQ(Text(kEditBox1), "35.12399");
  EXPECT_EQ(Text(kEditBox2), "115.123456");
}

TEST_F(PrecisionTest, ClickingTheCheckedRadioBoxAgainChangesNothingVisible) {
  ClickControl(kRadioBox1);
  std::vector<COLORREF> before = WindowPixels();
  ClickControl(kRadioBox1);
  EXPECT_EQ(WindowPixels(), before);
  EXPECT_EQ(Limits(), std::make_pair(8, 9));
}

TEST_F(PrecisionTest, CoordinateBoxesLetOnlyDigitsPointsAndMinusesThrough) {
  struct Case {
    const char* box;
    std::string typed;
    std::string expected;
  } cases[] = {
      {kEditBox1, "1a b,2", "12"},
      {kEditBox1, "\xE5\x90\xB4" "3", "3"},  // Chinese is dropped
      {kEditBox2, "1.2.3-4", "1.2.3-4"},    // a second point and a minus in the middle go in
      {kEditBox2, "-.5e3", "-.53"},
      {kEditBox3, "any text, \xE5\x90\xB4!", "any text, \xCE\xE2!"},  // the name box filters nothing
  };
  for (const Case& c : cases) {
    Clear(c.box);
    App().Type(c.typed);
    EXPECT_EQ(Text(c.box), c.expected) << c.typed;
  }
}

TEST_F(PrecisionTest, PastedTextGoesInUnfilteredAsFarAsTheLimitAllows) {
  struct Case {
    const char* box;
    std::string clipboard;
    std::string expected;
  } cases[] = {
      {kEditBox1, "abc,12345678", "abc,12345"},       // limit 9
      {kEditBox2, "x 1", "x 1"},
      {kEditBox3, std::string(3000, 'w'), std::string(3000, 'w')},  // no limit of its own
  };
  for (const Case& c : cases) {
    Clear(c.box);
    App().RunOnUi([&] { Screen().SetClipboardText(c.clipboard); });
    App().Key('V', quill::kCtrl);
    EXPECT_EQ(Text(c.box), c.expected) << c.clipboard.substr(0, 20);
  }
}

TEST_F(PrecisionTest, TabIntoAnUncheckedRadioBoxChecksItButRunsNoHandler) {
  ClickControl(kRadioBox1);
  EXPECT_EQ(Limits(), std::make_pair(8, 9));
  FocusControl(kEditBox3);
  App().Key(VK_TAB);
  EXPECT_EQ(Focus(), Window(kRadioBox1));
  App().Key(VK_TAB);
  EXPECT_EQ(Focus(), Window(kRadioBox2));
  EXPECT_TRUE(Checked(kRadioBox2));  // the platform checks it as the focus arrives
  EXPECT_EQ(Limits(), std::make_pair(8, 9));  // but no click was reported
}

TEST_F(PrecisionTest, ArrowsSwitchBetweenTheRadioBoxesAndRunTheirHandlers) {
  struct Case {
    const char* from;
    UINT key;
    const char* to;
    std::pair<int, int> limits;
  } cases[] = {
      {kRadioBox1, VK_RIGHT, kRadioBox2, {9, 10}}, {kRadioBox2, VK_LEFT, kRadioBox1, {8, 9}},
      {kRadioBox1, VK_DOWN, kRadioBox2, {9, 10}},  {kRadioBox2, VK_UP, kRadioBox1, {8, 9}},
      {kRadioBox1, VK_LEFT, kRadioBox2, {9, 10}},  // wraps from the first to the last
      {kRadioBox2, VK_DOWN, kRadioBox1, {8, 9}},   // and from the last to the first
  };
  ClickControl(kRadioBox1);
  for (const Case& c : cases) {
    ASSERT_EQ(Focus(), Window(c.from));
    App().Key(c.key);
    EXPECT_EQ(Focus(), Window(c.to)) << c.key;
    EXPECT_TRUE(Checked(c.to));
    EXPECT_FALSE(Checked(c.from));
    EXPECT_EQ(Limits(), c.limits) << c.key;
  }
}

}  // namespace
