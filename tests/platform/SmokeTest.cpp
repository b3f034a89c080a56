#include "LayerTest.h"

namespace quill::test {
namespace {

class Smoke : public LayerTest {};

TEST_F(Smoke, TopLevelPaintsOnItsSurface) {
  HWND top = TopLevel(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  SetPaintColor(top, RGB(10, 20, 30));
  InvalidateRect(top, nullptr, TRUE);
  PumpUntilIdle();
  EXPECT_EQ(WindowPixel(top, 3 + 10, 27 + 10), RGB(10, 20, 30));
  EXPECT_EQ(ScreenPixel(100 + 13, 100 + 37), RGB(10, 20, 30));
}

}  // namespace
}  // namespace quill::test
