// The whole program on the headless desktop: where the window and its controls stand, where the
// keyboard focus goes, how the program ends.
#include <sys/resource.h>

#include <cstdio>

#include "app/FatalError.h"
#include "quill/layer.h"
#include "app/SharedHeap.h"
#include "support/QuillmarkFixture.h"
#include "ui/ControlNames.h"

namespace {

using namespace names;

struct Placement {
  const char* name;
  const char* parent;  // nullptr: the main window
  RECT rect;           // in the parent's client coordinates
  const char* text;    // GBK
};

const Placement kPlacements[] = {
    {kPicBox1, nullptr, {0, 0, 328, 584}, ""},
    {kButton1, nullptr, {384, 168, 464, 224}, "\xD4\xA4\xC0\xC0"},
    {kPicBox2, nullptr, {504, 16, 768, 368}, ""},
    {kTransLabel1, kPicBox1, {150, 104, 238, 132}, "35.123456"},
    {kEditBox1, nullptr, {384, 96, 464, 116}, "35.123456"},
    {kEditBox2, nullptr, {384, 128, 464, 148}, "115.123456"},
    {kTransLabel2, kPicBox1, {144, 120, 240, 152}, "115.123456"},
    {kButton2, nullptr, {384, 304, 464, 336}, "\xB1\xA3\xB4\xE6"},
    {kLabel1, nullptr, {344, 88, 368, 120}, "\xBE\xAD\xB6\xC8"},
    {kLabel2, nullptr, {344, 120, 368, 160}, "\xCE\xB3\xB6\xC8"},
    {kEditBox3, nullptr, {384, 240, 464, 264}, "\xD0\xDE\xB8\xC4\xB5\xC4GPS"},
    {kLabel3, nullptr, {376, 272, 472, 296}, "\xD7\xD4\xB6\xAF\xB1\xA3\xB4\xE6\xD4\xDA\xD7\xC0\xC3\xE6"},
    {kFileNameLabel, nullptr, {336, 232, 376, 272}, "\xCE\xC4\xBC\xFE\xC3\xFB"},
    {kNotice, nullptr, {376, 416, 448, 440}, "Tarvello\xD7\xA8\xD3\xC3"},
    {kRadioBox1, nullptr, {368, 24, 472, 48}, "\xBE\xAB\xB6\xC8\xB1\xA3\xC1\xF4" "5\xCE\xBB"},
    {kRadioBox2, nullptr, {368, 56, 472, 80}, "\xBE\xAB\xB6\xC8\xB1\xA3\xC1\xF4" "6\xCE\xBB"},
    {kNotice1, nullptr, {360, 392, 456, 416}, "Quillmark"},
};

const char* const kTabOrder[] = {kButton1, kEditBox1, kEditBox2, kButton2, kEditBox3, kRadioBox1, kRadioBox2};

using ShellTest = QuillmarkFixture;

TEST_F(ShellTest, WindowIsCentredOnThePrimaryScreenByTruncatingDivision) {
  struct Case {
    int screenWidth, screenHeight;
    RECT expected;
  } cases[] = {
      {1024, 768, {270, 77, 754, 691}},
      {1025, 769, {270, 77, 754, 691}},  // (1025 - 484) / 2 = 270.5, truncated
      {400, 300, {-42, -157, 442, 457}},  // a smaller screen gives negative places, used as they are
  };
  for (const Case& c : cases) {
    StartProgram(c.screenWidth, c.screenHeight);
    RECT r{};
    HWND main = MainWindow();
    App().RunOnUi([&] { GetWindowRect(main, &r); });
    EXPECT_EQ(r.left, c.expected.left) << c.screenWidth;
    EXPECT_EQ(r.top, c.expected.top) << c.screenHeight;
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
    App().Key(VK_ESCAPE);
    EXPECT_EQ(App().ExitCode(), 0);
  }
}

TEST_F(ShellTest, EveryControlStandsAtItsPlaceWithItsText) {
  StartProgram();
  for (const Placement& p : kPlacements) {
    RECT actual{}, parentClient{};
    bool visible = false;
    HWND parent = nullptr;
    App().RunOnUi([&] {
      HWND hwnd = FindControl(p.name)->Window();
      parent = GetParent(hwnd);
      GetWindowRect(hwnd, &actual);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&actual), 2);
      visible = IsWindowVisible(hwnd);
    });
    EXPECT_EQ(parent, p.parent ? Window(p.parent) : MainWindow()) << p.name;
    EXPECT_EQ(actual.left, p.rect.left) << p.name;
    EXPECT_EQ(actual.top, p.rect.top) << p.name;
    EXPECT_EQ(actual.right, p.rect.right) << p.name;
    EXPECT_EQ(actual.bottom, p.rect.bottom) << p.name;
    EXPECT_EQ(Text(p.name), p.text) << p.name;
    EXPECT_TRUE(visible) << p.name;
    (void)parentClient;
  }
  // The second overlay label lies above the first.
  HWND above = nullptr;
  App().RunOnUi([&] { above = GetTopWindow(FindControl(kPicBox1)->Window()); });
  EXPECT_EQ(above, Window(kTransLabel2));
}

TEST_F(ShellTest, TheStorePictureBoxIsNeverOnTheScreen) {
  StartProgram();
  RECT box = ScreenRect(kPicBox2), client{};
  HWND main = MainWindow();
  App().RunOnUi([&] {
    GetClientRect(main, &client);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
  });
  RECT overlap;
  EXPECT_FALSE(IntersectRect(&overlap, &box, &client));
  EXPECT_EQ(client.right - client.left, 478);
  EXPECT_EQ(client.bottom - client.top, 584);
}

TEST_F(ShellTest, FocusStartsOnThePreviewButtonAndTabWrapsBothWays) {
  StartProgram();
  EXPECT_EQ(Focus(), Window(kButton1));
  const size_t n = std::size(kTabOrder);
  for (size_t i = 1; i <= n; ++i) {
    App().Key(VK_TAB);
    EXPECT_EQ(Focus(), Window(kTabOrder[i % n])) << "Tab step " << i;
  }
  for (size_t i = 1; i <= n; ++i) {
    App().Key(VK_TAB, quill::kShift);
    EXPECT_EQ(Focus(), Window(kTabOrder[(n * 2 - i) % n])) << "Shift+Tab step " << i;
  }
}

TEST_F(ShellTest, EnterClicksNothingAndMovesNoFocus) {
  StartProgram();
  FocusControl(kEditBox1);
  App().Key(VK_END);
  App().Key(VK_BACK);
  for (const char* name : {kButton1, kEditBox1, kButton2, kEditBox3}) {
    FocusControl(name);
    App().Key(VK_RETURN);
    EXPECT_EQ(Focus(), Window(name)) << name;
  }
  // Neither Preview nor Save ran: the label keeps its text and nothing was saved.
  EXPECT_EQ(Text(kTransLabel1), "35.123456");
  EXPECT_TRUE(ReadHostFile(DesktopPath("\xE4\xBF\xAE\xE6\x94\xB9\xE7\x9A\x84GPS.jpg")).empty());
}

TEST_F(ShellTest, EscTheCloseBoxAndAltF4EachEndTheProgramWithExitCodeZero) {
  enum class Way { Esc, EscInEntryBox, CloseBox, AltF4, DesktopClose };
  for (Way way : {Way::Esc, Way::EscInEntryBox, Way::CloseBox, Way::AltF4, Way::DesktopClose}) {
    StartProgram();
    HWND main = MainWindow();
    RECT r{};
    App().RunOnUi([&] { GetWindowRect(main, &r); });
    switch (way) {
      case Way::Esc: App().Key(VK_ESCAPE); break;
      case Way::EscInEntryBox:
        FocusControl(kEditBox3);
        App().Key(VK_ESCAPE);
        break;
      case Way::CloseBox: App().Click(r.right - 14, r.top + 14); break;
      case Way::AltF4: App().Key(VK_F4, quill::kAlt); break;
      case Way::DesktopClose: App().CloseRequest(main); break;
    }
    EXPECT_EQ(App().ExitCode(), 0) << static_cast<int>(way);
    EXPECT_EQ(quill::CountLiveObjects().windows, 0u);
  }
}

TEST_F(ShellTest, SwitchingToAnotherApplicationAndBackRestoresTheFocus) {
  StartProgram();
  for (const char* name : {kEditBox2, kRadioBox2, kEditBox3}) {
    FocusControl(name);
    App().Deactivate();
    EXPECT_EQ(Focus(), nullptr);
    App().Activate(MainWindow());
    EXPECT_EQ(Focus(), Window(name)) << name;
  }
}

// A definition like the program's, with the longitude box too low for its text.
const WindowDefinition* ShortEntryBoxDefinition() {
  static WindowDefinition definition = [] {
    WindowDefinition d = *MainWindowDefinition();
    for (ControlDefinition& c : d.controls)
      if (std::string(c.name) == kEditBox1) c.height = 10;
    return d;
  }();
  return &definition;
}

TEST_F(ShellTest, AnEntryBoxGrowsToItsTextHeightButKeepsAStoredHeightThatSuffices) {
  StartProgram(1024, 768, &ShortEntryBoxDefinition);
  int lineHeight = 0;
  App().RunOnUi([&] {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE s{};
    GetTextExtentPoint32A(dc, "\xCE\xE2", 2, &s);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    lineHeight = s.cy;
  });
  RECT raised = ScreenRect(kEditBox1), kept = ScreenRect(kEditBox3);
  EXPECT_EQ(raised.bottom - raised.top, lineHeight + 2 * 2);  // text height plus the 3-D edge twice
  EXPECT_EQ(kept.bottom - kept.top, 24);
}

// The error box goes to standard error so the death test can see it.
class NoDisplayDriver : public quill::HeadlessDriver {
 public:
  explicit NoDisplayDriver(bool open) : open_(open) {}
  bool Open(RECT* screen) override { return open_ && HeadlessDriver::Open(screen); }
  void ShowMessageBox(const std::string& title, const std::string& text, UINT type) override {
    std::fprintf(stderr, "[box %s|%s|%u]\n", title.c_str(), text.c_str(), type);
  }

 private:
  bool open_;
};

const WindowDefinition* Unreadable() { return nullptr; }

void RunWithDriver(bool displayOpens, DefinitionSource source) {
  quill::SetDriver(std::make_unique<NoDisplayDriver>(displayOpens));
  RunProgram(source);
}

TEST(ShellFatalTest, FatalErrorsShowTheErrorBoxAndEndWithMinusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // "错误" | "运行时出错!" empty line "错误信息：" message line break; MB_ICONERROR is 16.
  const std::string head = "\\[box \xE9\x94\x99\xE8\xAF\xAF\\|\xE8\xBF\x90\xE8\xA1\x8C\xE6\x97\xB6\xE5\x87\xBA\xE9\x94\x99!\r\n\r\n"
                           "\xE9\x94\x99\xE8\xAF\xAF\xE4\xBF\xA1\xE6\x81\xAF\xEF\xBC\x9A";
  EXPECT_EXIT(RunWithDriver(true, &Unreadable),
      ::testing::ExitedWithCode(255),
      head + "\xE8\xBD\xBD\xE5\x85\xA5\xE7\xAA\x97\xE5\x8F\xA3\xE6\xA8\xA1\xE6\x9D\xBF\xE6\x95\xB0\xE6\x8D\xAE\xE6\xAE\xB5"
             "\xE5\x87\xBA\xE9\x94\x99!\r\n\\|16\\]");  // 载入窗口模板数据段出错!
  EXPECT_EXIT(RunWithDriver(false, &MainWindowDefinition),
      ::testing::ExitedWithCode(255),
      head + "\xE8\xBD\xBD\xE5\x85\xA5\xE5\x90\xAF\xE5\x8A\xA8\xE7\xAA\x97\xE5\x8F\xA3\xE5\xA4\xB1\xE8\xB4\xA5\r\n\\|16\\]");  // 载入启动窗口失败
}

#if !defined(__SANITIZE_ADDRESS__)
// AddressSanitizer reserves far more address space than the limit below allows.
void AllocateUnderALowLimit() {
  quill::SetDriver(std::make_unique<NoDisplayDriver>(true));
  rlimit limit{512u << 20, 512u << 20};
  setrlimit(RLIMIT_AS, &limit);
  AllocBlock(size_t{1} << 30);
}

TEST(ShellFatalTest, MemoryThatCannotBeHadForAHandlerBlockIsFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(AllocateUnderALowLimit(),
      ::testing::ExitedWithCode(255),
      "\xE5\x88\x86\xE9\x85\x8D 1073741824 \xE5\xAD\x97\xE8\x8A\x82\xE5\x86\x85\xE5\xAD\x98\xE5\xA4\xB1\xE8\xB4\xA5!");  // 分配 … 字节内存失败!
}
#endif

}  // namespace
