#include "controls/EditModel.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "kernel/CodePage.h"

namespace {

using quill::controls::EditModel;

const std::string kWu = "\xCE\xE2";  // 吴, both of its bytes in the lead-byte range

// Types a GBK text the way it arrives from the keyboard: one WM_CHAR per byte.
EditModel::Outcome TypeBytes(EditModel& m, const std::string& bytes) {
  EditModel::Outcome total;
  for (unsigned char b : bytes) {
    EditModel::Outcome o = m.TypeByte(b);
    total.changed |= o.changed;
    total.limited |= o.limited;
  }
  return total;
}

std::set<size_t> Boundaries(const std::string& text) {
  std::set<size_t> out{0};
  for (size_t i = 0; i < text.size();) out.insert(i += quill::cp936::CharLength(text, i));
  return out;
}

TEST(EditModel, TypingStopsAtTheLimit) {
  struct Case {
    const char* what;
    size_t limit;
    std::string initial;
    size_t selFrom, selTo;
    std::string typed;
    std::string expected;
    bool limited;
  } cases[] = {
      {"a double-byte character that does not fit whole is refused whole", 3, "", 0, 0, "a" + kWu + kWu,
       "a" + kWu, true},
      {"a full box takes nothing more", 9, "35.123456", 9, 9, "7", "35.123456", true},
      {"a box over its limit takes nothing more", 8, "35.123456", 0, 0, "1", "35.123456", true},
      {"typing over a selection counts the selection as removed", 3, "abc", 1, 2, "x", "axc", false},
      {"a double-byte character replaces one byte only when it fits", 3, "abc", 1, 2, kWu, "abc", true},
      {"a double-byte character replacing two bytes fits", 3, "abc", 1, 3, kWu, "a" + kWu, false},
      {"limit 0 means the platform maximum", 0, "", 0, 0, "0123456789", "0123456789", false},
  };
  for (const Case& c : cases) {
    EditModel m;
    m.SetText(c.initial);
    m.SetLimit(c.limit);
    m.Select(c.selFrom, c.selTo);
    EditModel::Outcome o = TypeBytes(m, c.typed);
    EXPECT_EQ(m.Text(), c.expected) << c.what;
    EXPECT_EQ(o.limited, c.limited) << c.what;
  }
}

TEST(EditModel, DeletingBelowALoweredLimitLetsTypingInAgain) {
  EditModel m;
  m.SetText("35.123456");
  m.SetLimit(8);
  m.Select(9, 9);
  EXPECT_TRUE(m.Backspace().changed);
  EXPECT_TRUE(m.Backspace().changed);
  EXPECT_EQ(m.Text(), "35.1234");
  TypeBytes(m, "99");
  EXPECT_EQ(m.Text(), "35.12349");
}

TEST(EditModel, PasteIsCutToFitAtACharacterBoundary) {
  struct Case {
    const char* what;
    size_t limit;
    std::string initial;
    size_t selFrom, selTo;
    std::string pasted;
    std::string expected;
    bool limited;
  } cases[] = {
      {"cut to the room left", 5, "ab", 2, 2, "cdefg", "abcde", true},
      {"a double-byte character that would be split is left out", 4, "a", 1, 1, kWu + kWu, "a" + kWu, true},
      {"the selection makes room", 3, "abc", 0, 3, "xyz!", "xyz", true},
      {"nothing fits: the selection stays", 2, "ab", 0, 1, kWu + "q", "ab", true},
      {"nothing fits in a full box", 2, "ab", 2, 2, "x", "ab", true},
      {"only the first line of a pasted text", 0, "", 0, 0, "one\r\ntwo", "one", false},
      {"a bare line feed ends the line too", 0, "x", 1, 1, "ab\ncd", "xab", false},
      {"an empty paste over a selection deletes it", 0, "abc", 1, 2, "", "ac", false},
  };
  for (const Case& c : cases) {
    EditModel m;
    m.SetText(c.initial);
    m.SetLimit(c.limit);
    m.Select(c.selFrom, c.selTo);
    EditModel::Outcome o = m.Paste(c.pasted);
    EXPECT_EQ(m.Text(), c.expected) << c.what;
    EXPECT_EQ(o.limited, c.limited) << c.what;
    if (o.changed) {
      EXPECT_EQ(m.Caret(), m.Anchor()) << c.what;
    }
  }
}

TEST(EditModel, NoLimitTakesAMegabytePaste) {
  EditModel m;
  m.SetLimit(0);
  std::string big(1 << 20, 'x');
  EditModel::Outcome o = m.Paste(big);
  EXPECT_TRUE(o.changed);
  EXPECT_FALSE(o.limited);
  EXPECT_EQ(m.Text().size(), big.size());
  EXPECT_EQ(m.Caret(), big.size());
}

TEST(EditModel, TextSetByTheProgramIsNeverCut) {
  EditModel m;
  m.SetLimit(3);
  m.SetText("abcdef");
  EXPECT_EQ(m.Text(), "abcdef");
  m.SetLimit(2);
  EXPECT_EQ(m.Text(), "abcdef");
  EXPECT_EQ(m.Limit(), 2u);
  EXPECT_EQ(m.Caret(), 0u);
  EXPECT_FALSE(m.Modified());
  m.SetLimit(static_cast<size_t>(-1));
  EXPECT_EQ(m.Limit(), EditModel::kMaxLimit);
}

TEST(EditModel, DoubleByteCharactersAreNeverSplit) {
  EditModel m;
  const std::string text = "a" + kWu + kWu + "b";  // a 吴 吴 b: boundaries 0 1 3 5 6
  m.SetText(text);
  // Positions inside a character fall back to its start.
  m.Select(2, 4);
  EXPECT_EQ(m.Anchor(), 1u);
  EXPECT_EQ(m.Caret(), 3u);
  EXPECT_EQ(m.SelectedText(), kWu);
  EXPECT_EQ(m.NextBoundary(1), 3u);
  EXPECT_EQ(m.PrevBoundary(5), 3u);
  EXPECT_EQ(m.PrevBoundary(3), 1u);

  m.MoveCaret(5, false);
  EXPECT_TRUE(m.Backspace().changed);
  EXPECT_EQ(m.Text(), "a" + kWu + "b");
  EXPECT_EQ(m.Caret(), 3u);
  m.MoveCaret(1, false);
  EXPECT_TRUE(m.DeleteForward().changed);
  EXPECT_EQ(m.Text(), "ab");
}

TEST(EditModel, TypedLeadBytesWaitForTheirTrail) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string expected;
  } cases[] = {
      {"a pair makes one character", "x" + kWu, "x" + kWu},
      {"a lead byte before a byte that cannot be a trail byte is dropped", "\xCE" "1", "1"},
      {"a lead byte before another lead byte pairs with it (both are valid trail bytes)", "\xCE\xCE", "\xCE\xCE"},
      {"a lead byte before 0x7F is dropped, and 0x7F inserts nothing", "\xCE\x7F", ""},
      {"a lone lead byte at the end inserts nothing", "ab\xCE", "ab"},
  };
  for (const Case& c : cases) {
    EditModel m;
    TypeBytes(m, c.bytes);
    EXPECT_EQ(m.Text(), c.expected) << c.what;
  }
  // Input between the two bytes (a control key, a click) drops the lead byte.
  EditModel m;
  m.TypeByte(0xCE);
  m.CancelPendingLead();
  m.TypeByte(0xE2);
  EXPECT_EQ(m.Text(), "");  // 0xE2 alone is a lead byte, still waiting
}

TEST(EditModel, ProgramTextWithADanglingLeadByteDoesNotSplitInsertions) {
  EditModel m;
  m.SetText("ab");
  m.ReplaceSelection("\xCE", true);  // a lead byte without its trail would swallow the 'a'
  EXPECT_EQ(m.Text(), "ab");
  m.ReplaceSelection("x" + kWu, true);
  EXPECT_EQ(m.Text(), "x" + kWu + "ab");
  EXPECT_EQ(m.Caret(), 3u);
}

TEST(EditModel, UndoRevertsTheLastEditAndThenItself) {
  EditModel m;
  m.SetText("hello");
  m.Select(5, 5);
  TypeBytes(m, " world");  // one typing run: one undo step
  EXPECT_TRUE(m.CanUndo());
  m.Undo();
  EXPECT_EQ(m.Text(), "hello");
  m.Undo();  // undo of the undo
  EXPECT_EQ(m.Text(), "hello world");
  EXPECT_EQ(m.SelectedText(), " world");

  // Typing over a selection: undo brings the selected text back, selected.
  m.Select(0, 5);
  TypeBytes(m, "bye");
  EXPECT_EQ(m.Text(), "bye world");
  m.Undo();
  EXPECT_EQ(m.Text(), "hello world");
  EXPECT_EQ(m.SelectedText(), "hello");

  // A run of backspaces is one step; moving the caret starts a new one.
  m.Select(11, 11);
  m.Backspace();
  m.Backspace();
  m.MoveCaret(0, false);
  m.DeleteForward();
  EXPECT_EQ(m.Text(), "ello wor");
  m.Undo();
  EXPECT_EQ(m.Text(), "hello wor");
}

TEST(EditModel, UndoIsEmptiedByTheProgram) {
  EditModel m;
  TypeBytes(m, "abc");
  ASSERT_TRUE(m.CanUndo());
  EXPECT_TRUE(m.Modified());
  m.SetText("new");
  EXPECT_FALSE(m.CanUndo());
  EXPECT_FALSE(m.Undo().changed);
  m.ReplaceSelection("x", false);
  EXPECT_EQ(m.Text(), "xnew");
  EXPECT_FALSE(m.CanUndo());
}

TEST(EditModel, WordsAreRunsBetweenBlanks) {
  EditModel m;
  const std::string text = "one  two " + kWu + kWu + " x";  // offsets: one 0, two 5, 吴吴 9, x 14
  m.SetText(text);
  struct Case {
    size_t from, left, right;
  } cases[] = {
      {0, 0, 5}, {2, 0, 5}, {4, 0, 5}, {5, 0, 9}, {7, 5, 9}, {11, 9, 14}, {14, 9, 15}, {15, 14, 15},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(m.WordLeft(c.from), c.left) << c.from;
    EXPECT_EQ(m.WordRight(c.from), c.right) << c.from;
  }
  m.SelectWordAt(10);  // inside the first 吴
  EXPECT_EQ(m.SelectedText(), kWu + kWu + " ");
  m.SelectWordAt(3);  // on the blanks
  EXPECT_EQ(m.SelectedText(), "  ");
  m.SelectWordAt(text.size());
  EXPECT_EQ(m.SelectedText(), "x");
}

// Random input never grows the text past the limit by typing or pasting, and never leaves the
// caret or the anchor inside a double-byte character.
TEST(EditModel, RandomInputKeepsTheLimitAndTheBoundaries) {
  std::mt19937 rng(936);
  const std::string alphabet[] = {"a", " ", kWu, "\xB5\xC4", "\xCE", "\x41", "\r\n"};
  for (int round = 0; round < 200; ++round) {
    EditModel m;
    const size_t limit = rng() % 12;
    m.SetLimit(limit);
    const size_t effective = limit ? limit : EditModel::kMaxLimit;
    for (int step = 0; step < 60; ++step) {
      std::string piece;
      for (int n = rng() % 4; n >= 0; --n) piece += alphabet[rng() % std::size(alphabet)];
      switch (rng() % 8) {
        case 0: TypeBytes(m, piece); break;
        case 1: m.Paste(piece); break;
        case 2: m.Backspace(); break;
        case 3: m.DeleteForward(); break;
        case 4: m.Select(rng() % 20, rng() % 20); break;
        case 5: m.Undo(); break;
        case 6: m.MoveCaret(m.WordLeft(m.Caret()), rng() % 2); break;
        case 7: m.SelectWordAt(rng() % 20); break;
      }
      const std::set<size_t> boundaries = Boundaries(m.Text());
      ASSERT_TRUE(boundaries.count(m.Caret())) << round << "/" << step;
      ASSERT_TRUE(boundaries.count(m.Anchor())) << round << "/" << step;
      ASSERT_LE(m.Text().size(), effective) << round << "/" << step;
    }
  }
}

}  // namespace
