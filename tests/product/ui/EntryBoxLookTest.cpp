// The entry boxes as a user sees them: white inside a sunken edge, the caret only in the focused one.
#include "support/QuillmarkFixture.h"
#include "ui/ControlNames.h"

namespace {

int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

using EntryBoxLookTest = QuillmarkFixture;

TEST_F(EntryBoxLookTest, EntryBoxesAreWhiteInsideASunkenEdge) {
  StartProgram();
  for (const char* box : {names::kEditBox1, names::kEditBox2, names::kEditBox3}) {
    RECT r = ScreenRect(box);
    int midY = (r.top + r.bottom) / 2, midX = (r.left + r.right) / 2;
    // The edge is two pixels wide: shadowed at the top and left, lit at the bottom and right.
    EXPECT_LT(Brightness(Pixel(r.left, midY)), Brightness(Pixel(r.right - 1, midY))) << box;
    EXPECT_LT(Brightness(Pixel(midX, r.top)), Brightness(Pixel(midX, r.bottom - 1))) << box;
    EXPECT_NE(Pixel(r.left + 1, midY), RGB(255, 255, 255)) << box;
    // Inside the edge: the box's white background (away from the text).
    EXPECT_EQ(Pixel(r.right - 4, r.top + 3), RGB(255, 255, 255)) << box;
  }
}

TEST_F(EntryBoxLookTest, TheCaretShowsOnlyInTheFocusedBox) {
  StartProgram();
  // A column of text-coloured pixels right of the 2-pixel edge and the margin, at the caret's place 0.
  auto caretColumn = [&](const char* box) {
    RECT r = ScreenRect(box);
    int dark = 0;
    for (int x = r.left + 2; x < r.left + 6; ++x) {
      int run = 0;
      for (int y = r.top + 2; y < r.bottom - 2; ++y) run += Pixel(x, y) == RGB(0, 0, 0);
      dark = std::max(dark, run);
    }
    return dark;
  };
  // Empty the box so no glyph stands where the caret is drawn.
  FocusControl(names::kEditBox3);
  App().Key('A', quill::kCtrl);
  App().Key(VK_DELETE);
  EXPECT_GE(caretColumn(names::kEditBox3), 10);
  FocusControl(names::kButton2);
  EXPECT_LT(caretColumn(names::kEditBox3), 3);
}

}  // namespace
