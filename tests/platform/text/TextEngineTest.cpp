#include "gdi/text/TextEngine.h"

#include <gtest/gtest.h>

#include "platform/text/TextCanvas.h"
#include "win/text.h"

namespace {

using namespace quill::text;
using quill::text::testing::Pixel;
using quill::text::testing::TextCanvas;

class TextEngine : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(EnsureDefaultFont()) << "no CJK font installed"; }
};

TEST_F(TextEngine, MetricsAreThoseOfATwelvePixelFace) {
  const FontMetrics& m = DefaultFontMetrics();
  EXPECT_EQ(m.height, m.ascent + m.descent);
  EXPECT_GE(m.height, 12);
  EXPECT_LE(m.height, 18);
  EXPECT_GT(m.aveCharWidth, 0);
  EXPECT_GE(m.maxCharWidth, 12);
}

TEST_F(TextEngine, DrawsDigitsInTheTextColour) {
  TextCanvas canvas(120, 40, 0x000000);
  canvas.target.textColor = RGB(196, 254, 167);
  RECT r{10, 5, 100, 35};
  const char* text = "115.123456";
  const int h = DrawTextAnsi(&canvas.target, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  EXPECT_GT(h, 0);
  const RECT ink = canvas.InkBounds(0);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 10 + MeasureAnsi(text, 10).cx);
  EXPECT_GT(ink.right - ink.left, 40);
}

}  // namespace
