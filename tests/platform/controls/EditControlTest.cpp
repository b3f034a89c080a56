// The EDIT class driven like a user and a program drive it: injected keys, text and clicks on the
// headless desktop, and the messages the program sends.
#include "EditFixture.h"


namespace quill::test {
namespace {

const std::string kWuUtf8 = "\xE5\x90\xB4";  // 吴
const std::string kWu = "\xCE\xE2";          // 吴 in GBK

class Edit : public EditFixture {};

TEST_F(Edit, TypingStopsAtTheLimitAndReportsIt) {
  struct Case {
    const char* what;
    size_t limit;
    const char* initial;
    std::string typedUtf8;
    std::string expected;
    size_t maxTextReports;
  } cases[] = {
      {"only the first double-byte character fits", 3, "", "a" + kWuUtf8 + kWuUtf8, "a" + kWu, 1},
      {"a full box", 9, "35.123456", "7", "35.123456", 1},
      {"a box holding more than a lowered limit", 8, "35.123456", "1", "35.123456", 1},
      {"no limit of its own", 0, "", std::string(300, 'x'), std::string(300, 'x'), 0},
  };
  for (const Case& c : cases) {
    SetWindowTextA(edit, c.initial);
    Limit(c.limit);
    Select(0x7FFF, -1);  // the caret at the end
    Notifications().clear();
    driver->Type(c.typedUtf8);
    PumpUntilIdle();
    EXPECT_EQ(Text(), c.expected) << c.what;
    EXPECT_EQ(Count(EN_MAXTEXT), c.maxTextReports) << c.what;
  }
}

TEST_F(Edit, ControlKeysInsertNothingAndEveryUserEditIsNotified) {
  driver->Type("ab");
  driver->Key(VK_TAB);
  driver->Key(VK_RETURN);
  driver->Key(VK_ESCAPE);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "ab");
  // EN_UPDATE before EN_CHANGE, once per typed character.
  EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
  EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), TRUE);
}

TEST_F(Edit, TextSetByTheProgramIsWholeAndStartsFresh) {
  Limit(3);
  driver->Type("ab");
  PumpUntilIdle();
  ASSERT_TRUE(SendMessageA(edit, EM_CANUNDO, 0, 0));
  Notifications().clear();
  EXPECT_TRUE(SetWindowTextA(edit, "abcdefgh"));
  EXPECT_EQ(Text(), "abcdefgh");
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 0}));
  EXPECT_FALSE(SendMessageA(edit, EM_CANUNDO, 0, 0));
  EXPECT_FALSE(SendMessageA(edit, EM_GETMODIFY, 0, 0));
  EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  // A lower limit cuts nothing; deleting is always allowed.
  Limit(2);
  EXPECT_EQ(Text(), "abcdefgh");
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 2);
  driver->Key(VK_DELETE);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "bcdefgh");
  Limit(0);
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);

  char small[4];
  EXPECT_EQ(GetWindowTextA(edit, small, sizeof small), 3);
  EXPECT_STREQ(small, "bcd");
}

TEST_F(Edit, SelectionMessagesFollowThePlatform) {
  SetWindowTextA(edit, ("a" + kWu + "bc").c_str());  // 5 bytes, 吴 at 1..2
  struct Case {
    int start, end;
    DWORD selStart, selEnd;
  } cases[] = {
      {0, -1, 0, 5},   // everything
      {1, 3, 1, 3},    // exactly the double-byte character
      {2, 4, 1, 4},    // a position inside a character falls back to its start
      {4, 1, 1, 4},    // reversed: reported in order
      {3, 99, 3, 5},   // clamped to the text
      {-1, 0, 5, 5},   // deselect: the caret stays where the last selection put it
  };
  for (const Case& c : cases) {
    Select(c.start, c.end);
    DWORD start = 99, end = 99;
    const LRESULT packed =
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, c.selStart) << c.start << "," << c.end;
    EXPECT_EQ(end, c.selEnd) << c.start << "," << c.end;
    EXPECT_EQ(packed, MAKELONG(c.selStart, c.selEnd));
  }
}

TEST_F(Edit, KeysMoveByCharacterAndWordWithoutSplittingDoubleBytes) {
  SetWindowTextA(edit, ("one two " + kWu + kWu).c_str());  // 12 bytes
  struct Step {
    UINT vk;
    unsigned modifiers;
    DWORD selStart, selEnd;
  } steps[] = {
      {VK_END, 0, 12, 12},
      {VK_LEFT, 0, 10, 10},
      {VK_LEFT, kShift, 8, 10},
      {VK_RIGHT, 0, 10, 10},  // collapses to the selection's end
      {VK_LEFT, kCtrl, 8, 8},
      {VK_LEFT, kCtrl, 4, 4},
      {VK_RIGHT, kCtrl | kShift, 4, 8},
      {VK_HOME, kShift, 0, 4},
      {VK_END, kShift, 4, 12},
  };
  for (const Step& s : steps) {
    driver->Key(s.vk, s.modifiers);
    PumpUntilIdle();
    EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{s.selStart, s.selEnd})) << s.vk << "/" << s.modifiers;
  }
  // Backspace takes the whole double-byte character before the caret; Ctrl+Z brings it back.
  driver->Key(VK_END);
  driver->Key(VK_BACK);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "one two " + kWu);
  driver->Key('Z', kCtrl);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "one two " + kWu + kWu);
}

TEST_F(Edit, ClipboardRoundTripsThroughUnicode) {
  SetWindowTextA(edit, "\xD0\xDE\xB8\xC4\xB5\xC4GPS");  // 修改的GPS
  driver->Key('A', kCtrl);
  driver->Key('C', kCtrl);
  PumpUntilIdle();
  EXPECT_EQ(driver->Clipboard(), "\xE4\xBF\xAE\xE6\x94\xB9\xE7\x9A\x84GPS");

  struct Case {
    const char* what;
    size_t limit;
    const char* initial;
    std::string clipboard;
    std::string expected;
    size_t maxText;
  } cases[] = {
      {"unmappable characters become '?', only the first line", 0, "", kWuUtf8 + "\xF0\x9F\x98\x80x\r\nsecond",
       kWu + "?x", 0},
      {"cut to fit at a character boundary", 4, "ab", kWuUtf8 + kWuUtf8, "ab" + kWu, 1},
      {"nothing fits", 2, "ab", "z", "ab", 1},
  };
  for (const Case& c : cases) {
    SetWindowTextA(edit, c.initial);
    Limit(c.limit);
    driver->Key(VK_END);
    driver->SetClipboardText(c.clipboard);
    Notifications().clear();
    driver->Key('V', kCtrl);
    PumpUntilIdle();
    EXPECT_EQ(Text(), c.expected) << c.what;
    EXPECT_EQ(Count(EN_MAXTEXT), c.maxText) << c.what;
  }

  // Shift+Delete cuts, Shift+Insert pastes, Ctrl+Insert copies.
  Limit(0);
  SetWindowTextA(edit, "cut me");
  driver->Key(VK_HOME);
  driver->Key(VK_RIGHT, kCtrl | kShift);
  driver->Key(VK_DELETE, kShift);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "me");
  EXPECT_EQ(driver->Clipboard(), "cut ");
  driver->Key(VK_END);
  driver->Key(VK_INSERT, kShift);
  driver->Key(VK_HOME, kShift);
  driver->Key(VK_INSERT, kCtrl);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "mecut ");
  EXPECT_EQ(driver->Clipboard(), "mecut ");
}

TEST_F(Edit, NoLimitTakesAMegabytePaste) {
  Limit(0);
  driver->SetClipboardText(std::string(1 << 20, '7'));
  SendMessageA(edit, WM_PASTE, 0, 0);
  PumpUntilIdle();
  EXPECT_EQ(GetWindowTextLengthA(edit), 1 << 20);
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1u << 20, 1u << 20}));
  EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), -1);  // positions above 65535 do not fit
}

TEST_F(Edit, FocusLeavesCaretAndSelectionAsTheyWere) {
  SetWindowTextA(edit, "35.123456");
  HWND other = MakeEdit(WS_CHILD | WS_VISIBLE, "", 150, 100, 8);
  Select(2, 4);
  Notifications().clear();
  SetFocus(other);
  PumpUntilIdle();
  EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_KILLFOCUS}));
  SetFocus(edit);
  PumpUntilIdle();
  EXPECT_EQ(Notifications(), (std::vector<WORD>{EN_KILLFOCUS, EN_SETFOCUS}));
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 4}));
  EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST_F(Edit, MouseClicksDragsAndDoubleClicksSelect) {
  SetWindowTextA(edit, "ab cd");
  const int x0 = 1;  // the left margin
  ClickAt(x0 + TextWidth("ab") + 1);
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 2}));
  ClickAt(x0 + TextWidth("ab cd") + 20, kShift);  // right of the text: the end
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{2, 5}));
  ClickAt(0);
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 0}));

  POINT from = Screen(x0 + TextWidth("a"), 8), to = Screen(x0 + TextWidth("ab c"), 8);
  driver->MouseDown(from.x, from.y);
  driver->MouseMove(to.x, to.y);
  driver->MouseUp(to.x, to.y);
  PumpUntilIdle();
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{1, 4}));
  EXPECT_EQ(GetCapture(), nullptr);

  POINT word = Screen(x0 + TextWidth("ab c"), 8);
  driver->DoubleClick(word.x, word.y);
  PumpUntilIdle();
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{3, 5}));
}

TEST_F(Edit, DraggingPastTheRightEdgeScrollsTheSelectionOn) {
  SetWindowTextA(edit, std::string(60, 'w').c_str());
  POINT start = Screen(2, 8), beyond = Screen(kEditW + 30, 8);
  driver->MouseDown(start.x, start.y);
  for (int i = 0; i < 80; ++i) {
    driver->MouseMove(beyond.x + i % 2, beyond.y);
    PumpUntilIdle();
  }
  driver->MouseUp(beyond.x, beyond.y);
  PumpUntilIdle();
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 60}));
}

TEST_F(Edit, PaintsWithTheParentsColoursAndACaretWhereTheTextEnds) {
  driver->Type("ab");
  PumpUntilIdle();
  const COLORREF text = Answer().text, back = Answer().back;
  EXPECT_EQ(Pixel(kEditW - 8, 1), back);
  bool inked = false;  // the letters are drawn, in the text colour where the ink is full
  for (int x = 1; x < 1 + TextWidth("ab"); ++x)
    for (int y = 0; y < ClientHeight(); ++y) inked |= Pixel(x, y) == text;
  EXPECT_TRUE(inked);
  const int caretX = 1 + TextWidth("ab");
  EXPECT_TRUE(ColumnIs(caretX, text));

  // The caret blinks on its own timer and stays off without the focus.
  driver->AdvanceTime(530);
  PumpUntilIdle();
  EXPECT_FALSE(ColumnIs(caretX, text));
  driver->AdvanceTime(530);
  PumpUntilIdle();
  EXPECT_TRUE(ColumnIs(caretX, text));
  SetFocus(parent);
  PumpUntilIdle();
  EXPECT_FALSE(ColumnIs(caretX, text));
  driver->AdvanceTime(530);
  PumpUntilIdle();
  EXPECT_FALSE(ColumnIs(caretX, text));
}

TEST_F(Edit, SelectionShowsOnlyWithTheFocusUnlessAskedToStay) {
  struct Case {
    DWORD style;
    bool shownWithoutFocus;
  } cases[] = {{0, false}, {ES_NOHIDESEL, true}};
  for (const Case& c : cases) {
    HWND box = MakeEdit(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | c.style, "    ", 150, 100, 9);
    SendMessageA(box, EM_SETSEL, 0, -1);
    SetFocus(box);
    PumpUntilIdle();
    POINT p{3, kEditH / 2 - 2};  // over a selected blank: no ink, only the highlight
    ClientToScreen(box, &p);
    EXPECT_EQ(driver->WindowPixel(parent, p.x, p.y), GetSysColor(COLOR_HIGHLIGHT));
    SetFocus(parent);
    PumpUntilIdle();
    const bool shown = driver->WindowPixel(parent, p.x, p.y) == GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(shown, c.shownWithoutFocus) << c.style;
    DestroyWindow(box);
  }
}

TEST_F(Edit, WithoutAnAnswerFromTheParentTheSystemColoursAreUsed) {
  Answer().answer = false;
  InvalidateRect(edit, nullptr, FALSE);
  PumpUntilIdle();
  EXPECT_EQ(Pixel(kEditW - 8, 1), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(SolidColumns(GetSysColor(COLOR_WINDOWTEXT)), (std::vector<int>{1}));
}

TEST_F(Edit, TypingPastTheRightEdgeKeepsTheCaretInView) {
  driver->Type(std::string(40, ' '));  // blanks leave no ink, so only the caret is solid
  PumpUntilIdle();
  const std::vector<int> caret = SolidColumns(Answer().text);
  ASSERT_EQ(caret.size(), 1u);
  RECT client;
  GetClientRect(edit, &client);
  EXPECT_LT(caret[0], client.right);
  EXPECT_GT(caret[0], client.right / 2);
  driver->Key(VK_HOME);
  PumpUntilIdle();
  EXPECT_EQ(SolidColumns(Answer().text), (std::vector<int>{1}));
}

TEST_F(Edit, ADestroyedEditFailsCleanlyAndLeavesNothingBehind) {
  const LiveObjects before = CountLiveObjects();
  HWND box = MakeEdit(WS_CHILD | WS_VISIBLE, "x", 150, 100, 9);
  SetFocus(box);
  driver->Type("yz");
  PumpUntilIdle();
  DestroyWindow(box);
  PumpUntilIdle();
  EXPECT_EQ(SendMessageA(box, WM_GETTEXTLENGTH, 0, 0), 0);
  EXPECT_EQ(SendMessageA(box, EM_SETSEL, 0, -1), 0);
  driver->AdvanceTime(2000);  // no blink timer may still fire for it
  PumpUntilIdle();
  const LiveObjects after = CountLiveObjects();
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(after.dcs, before.dcs);
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
}

TEST_F(Edit, AReadOnlyBoxCopiesButTakesNoEdits) {
  SetWindowTextA(edit, "keep");
  SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
  driver->SetClipboardText("pasted");
  driver->Key(VK_END);
  driver->Type("x");
  driver->Key(VK_BACK);
  driver->Key('V', kCtrl);
  driver->Key('A', kCtrl);
  driver->Key('X', kCtrl);
  driver->Key(VK_DELETE);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "keep");
  driver->Key('C', kCtrl);
  PumpUntilIdle();
  EXPECT_EQ(driver->Clipboard(), "keep");
  SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
  driver->Type("!");
  PumpUntilIdle();
  EXPECT_EQ(Text(), "!");
}

TEST_F(Edit, AMultiLineEditIsRefused) {
  EXPECT_EQ(MakeEdit(WS_CHILD | ES_MULTILINE, "", 150, 100, 9), nullptr);
}

}  // namespace
}  // namespace quill::test
