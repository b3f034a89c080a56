// Visible regions seen in pixels: children, siblings, transparent windows, ancestors' client
// areas, and separate surfaces for top-level windows.
#include "LayerTest.h"

namespace quill::test {
namespace {

class Clip : public LayerTest {
 protected:
  // Fills the client area of hwnd through GetDC, as a control drawing outside WM_PAINT does.
  static void FillThroughGetDC(HWND hwnd, COLORREF color) {
    HDC hdc = GetDC(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    HBRUSH b = CreateSolidBrush(color);
    FillRect(hdc, &r, b);
    DeleteObject(b);
    ReleaseDC(hwnd, hdc);
  }
};

const COLORREF kParent = RGB(200, 0, 0), kChild = RGB(0, 0, 200), kSibling = RGB(0, 160, 0);

TEST_F(Clip, ParentDrawingOverChildrenDependsOnClipChildrenAndTransparency) {
  struct Case {
    DWORD parentStyle;
    DWORD childEx;
    COLORREF underChild;  // what the child's area shows after the parent draws over everything
  } cases[] = {
      {0, 0, kParent},
      {WS_CLIPCHILDREN, 0, kChild},
      {WS_CLIPCHILDREN, WS_EX_TRANSPARENT, kParent},  // a transparent child is never cut out
  };
  for (const Case& c : cases) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE | c.parentStyle, 0, 0, 100, 100);
    HWND child = Child(top, 20, 20, 30, 30, WS_CHILD | WS_VISIBLE, c.childEx);
    SetPaintColor(top, kParent);
    SetPaintColor(child, kChild);
    PumpUntilIdle();
    ASSERT_EQ(WindowPixel(top, 25, 25), kChild);  // the child paints after its parent
    FillThroughGetDC(top, kParent);
    PumpUntilIdle();
    EXPECT_EQ(WindowPixel(top, 25, 25), c.underChild) << c.parentStyle << " " << c.childEx;
    EXPECT_EQ(WindowPixel(top, 5, 5), kParent);
    DestroyWindow(top);
  }
}

TEST_F(Clip, ClipSiblingsCutsOutHigherOpaqueSiblingsOnly) {
  struct Case {
    DWORD lowerStyle;
    DWORD upperEx;
    COLORREF overlap;  // after the lower sibling draws over its whole client area
  } cases[] = {
      {WS_CLIPSIBLINGS, 0, kSibling},
      {0, 0, kChild},                               // without WS_CLIPSIBLINGS it draws over
      {WS_CLIPSIBLINGS, WS_EX_TRANSPARENT, kChild}, // a transparent sibling lets it through
  };
  for (const Case& c : cases) {
    HWND top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND lower = Child(top, 10, 10, 40, 40, WS_CHILD | WS_VISIBLE | c.lowerStyle);
    HWND upper = Child(top, 30, 30, 40, 40, WS_CHILD | WS_VISIBLE, c.upperEx);
    SetPaintColor(upper, kSibling);
    PumpUntilIdle();
    FillThroughGetDC(lower, kChild);
    PumpUntilIdle();
    EXPECT_EQ(WindowPixel(top, 35, 35), c.overlap) << c.lowerStyle << " " << c.upperEx;
    EXPECT_EQ(WindowPixel(top, 15, 15), kChild);
    DestroyWindow(top);
  }
}

TEST_F(Clip, ChildDrawingStaysInsideItsParentsClientArea) {
  HWND top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND box = Child(top, 10, 10, 50, 50);
  HWND overhang = Child(box, 30, 30, 60, 60);
  SetPaintColor(top, kParent);
  PumpUntilIdle();
  FillThroughGetDC(overhang, kChild);
  PumpUntilIdle();
  EXPECT_EQ(WindowPixel(top, 55, 55), kChild);
  EXPECT_EQ(WindowPixel(top, 65, 65), kParent);  // beyond the box's client area
}

TEST_F(Clip, EachTopLevelDrawsOnItsOwnSurfaceAndReadsItBack) {
  HWND lower = TopLevel(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
  HWND upper = TopLevel(WS_POPUP | WS_VISIBLE, 80, 80, 100, 100);
  SetPaintColor(lower, kParent);
  SetPaintColor(upper, kSibling);
  PumpUntilIdle();
  EXPECT_EQ(ScreenPixel(90, 90), kSibling);  // the upper window covers the lower one on screen
  // ...but the lower window's own pixels are still its own.
  HDC src = GetWindowDC(lower);
  HDC mem = CreateCompatibleDC(src);
  HBITMAP bm = CreateCompatibleBitmap(src, 100, 100);
  HGDIOBJ old = SelectObject(mem, bm);
  ASSERT_TRUE(BitBlt(mem, 0, 0, 100, 100, src, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(mem, 40, 40), kParent);
  SelectObject(mem, old);
  DeleteObject(bm);
  DeleteDC(mem);
  ReleaseDC(lower, src);
  EXPECT_EQ(WindowPixel(upper, 10, 10), kSibling);
}

}  // namespace
}  // namespace quill::test
