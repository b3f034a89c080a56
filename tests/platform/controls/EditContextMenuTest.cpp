// The edit's right-click menu: its own modal loop takes the keys and clicks queued behind the
// right click, so each case queues the whole conversation before pumping.
#include "EditFixture.h"

namespace quill::test {
namespace {

class EditMenu : public EditFixture {
 protected:
  void RightClick() {
    POINT p = Screen(20, 8);
    driver->Click(p.x, p.y, 1);
  }
};

TEST_F(EditMenu, ItemsAreChosenByLetterArrowsAndEnterOrDismissed) {
  struct Case {
    const char* what;
    DWORD selFrom, selTo;
    std::vector<UINT> keys;
    std::string expectedText;
    std::string expectedClipboard;
  } cases[] = {
      {"C copies the selection", 0, 3, {'C'}, "abc", "abc"},
      {"T cuts it", 1, 3, {'T'}, "a", "bc"},
      {"D deletes it", 0, 1, {'D'}, "bc", "zz"},
      {"Escape dismisses", 0, 3, {VK_ESCAPE}, "abc", "zz"},
      {"a greyed item's letter does nothing", 3, 3, {'T', 'D', VK_ESCAPE}, "abc", "zz"},
      // Without a selection, Paste is the first item that can be chosen.
      {"Down and Enter pick the first enabled item", 3, 3, {VK_DOWN, VK_RETURN}, "abczz", "zz"},
      {"A selects all, and the next Delete empties the box", 0, 0, {'A'}, "abc", "zz"},
  };
  for (const Case& c : cases) {
    SetWindowTextA(edit, "abc");
    SendMessageA(edit, EM_SETSEL, c.selFrom, c.selTo);
    driver->SetClipboardText("zz");
    const LiveObjects before = CountLiveObjects();
    RightClick();
    for (UINT vk : c.keys) driver->Key(vk);
    PumpUntilIdle();
    EXPECT_EQ(Text(), c.expectedText) << c.what;
    EXPECT_EQ(driver->Clipboard(), c.expectedClipboard) << c.what;
    EXPECT_EQ(CountLiveObjects().windows, before.windows) << c.what << ": the menu window is gone";
    EXPECT_EQ(GetCapture(), nullptr) << c.what;
    EXPECT_EQ(GetFocus(), edit) << c.what;
  }
  driver->Key(VK_DELETE);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "");
}

TEST_F(EditMenu, AClickOutsideDismissesAndIsSwallowed) {
  SetWindowTextA(edit, "abc");
  SendMessageA(edit, EM_SETSEL, 0, 3);
  RightClick();
  POINT outside = Screen(kEditW + 100, 30);
  driver->Click(outside.x, outside.y);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 3}));
}

TEST_F(EditMenu, AClickOnAnItemChoosesIt) {
  SetWindowTextA(edit, "abc");
  SendMessageA(edit, EM_SETSEL, 0, 3);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  const int row = metrics.tmHeight + 6;
  // The menu opens at the pointer: a 3-pixel frame, Undo, a separator of 8 pixels, then Cut.
  RightClick();
  const POINT at = Screen(20, 8);
  const POINT cut{at.x + 30, at.y + 3 + row + 8 + row / 2};
  driver->MouseMove(cut.x, cut.y);
  driver->Click(cut.x, cut.y);
  PumpUntilIdle();
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(driver->Clipboard(), "abc");
}

}  // namespace
}  // namespace quill::test
