// Update regions and when painting happens: only when the queue is otherwise idle, or at once
// for UpdateWindow and RedrawWindow's immediate flags.
#include "LayerTest.h"

namespace quill::test {
namespace {

class Paint : public LayerTest {};

TEST_F(Paint, InvalidRegionsAccumulateAndPaintOnlyWhenTheQueueIsIdle) {
  HWND top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  PumpUntilIdle();
  MessageLog().clear();
  const int before = PaintCount(top);
  RECT a{10, 10, 20, 20}, b{50, 60, 70, 80}, u;
  InvalidateRect(top, &a, FALSE);
  InvalidateRect(top, &b, FALSE);
  ASSERT_TRUE(GetUpdateRect(top, &u, FALSE));
  EXPECT_EQ(u.left, 10);
  EXPECT_EQ(u.top, 10);
  EXPECT_EQ(u.right, 70);
  EXPECT_EQ(u.bottom, 80);
  PostMessageA(top, WM_USER, 0, 0);
  EXPECT_EQ(PaintCount(top), before);  // invalidating paints nothing by itself
  PumpUntilIdle();
  EXPECT_EQ(Sequence({WM_USER, WM_PAINT}),
            (std::vector<std::pair<HWND, UINT>>{{top, WM_USER}, {top, WM_PAINT}}));
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  ValidateRect(top, nullptr);
  InvalidateRect(top, &a, FALSE);
  ValidateRect(top, nullptr);
  PumpUntilIdle();
  EXPECT_EQ(PaintCount(top), before + 1);
}

TEST_F(Paint, ParentsPaintBeforeChildrenAndLowerSiblingsFirst) {
  HWND top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND low = Child(top, 0, 0, 100, 100);
  HWND transparent = Child(top, 0, 0, 100, 100, WS_CHILD | WS_VISIBLE, WS_EX_TRANSPARENT);
  HWND high = Child(top, 50, 50, 100, 100);
  PumpUntilIdle();
  MessageLog().clear();
  InvalidateRect(top, nullptr, TRUE);  // no WS_CLIPCHILDREN: the children are invalidated too
  PumpUntilIdle();
  using P = std::pair<HWND, UINT>;
  EXPECT_EQ(Sequence({WM_PAINT}),
            (std::vector<P>{{top, WM_PAINT}, {low, WM_PAINT}, {transparent, WM_PAINT}, {high, WM_PAINT}}));
}

TEST_F(Paint, UpdateWindowAndRedrawWindowPaintBeforeTheyReturn) {
  struct Case {
    DWORD parentStyle;
    bool useRedraw;
    bool childPainted;
  } cases[] = {
      {0, false, true},
      {WS_CLIPCHILDREN, false, true},  // UpdateWindow paints pending children too
      {0, true, true},                 // 0x705 includes children without WS_CLIPCHILDREN
      {WS_CLIPCHILDREN, true, false},
  };
  for (const Case& c : cases) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE | c.parentStyle, 0, 0, 200, 200);
    HWND child = Child(top, 10, 10, 50, 50);
    PumpUntilIdle();
    int topBefore = PaintCount(top), childBefore = PaintCount(child);
    if (c.useRedraw) {
      RECT r{0, 0, 100, 100};
      RedrawWindow(top, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW | RDW_UPDATENOW);
    } else {
      InvalidateRect(top, nullptr, TRUE);
      InvalidateRect(child, nullptr, TRUE);
      UpdateWindow(top);
    }
    EXPECT_EQ(PaintCount(top), topBefore + 1);
    EXPECT_EQ(PaintCount(child), childBefore + (c.childPainted ? 1 : 0))
        << c.parentStyle << " " << c.useRedraw;
    DestroyWindow(top);
  }
}

TEST_F(Paint, BeginPaintErasesWithTheClassBrushUnlessItIsNull) {
  for (HBRUSH brush : {reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                       static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))}) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hbrBackground = brush;
    wc.lpszClassName = "Erased";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    SetPaintColor(top, RGB(1, 2, 3));
    PumpUntilIdle();
    HWND w = CreateWindowExA(0, "Erased", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, top, nullptr, nullptr, nullptr);
    PumpUntilIdle();
    bool nullBrush = brush == GetStockObject(NULL_BRUSH);
    EXPECT_EQ(WindowPixel(top, 5, 5), nullBrush ? RGB(1, 2, 3) : GetSysColor(COLOR_BTNFACE));
    DestroyWindow(top);
    (void)w;
    ASSERT_TRUE(UnregisterClassA("Erased", nullptr));
  }
}

}  // namespace
}  // namespace quill::test
