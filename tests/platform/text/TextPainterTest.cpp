// The painter's blend and clipping with hand-made glyphs, so the anti-aliased path is covered
// even where the installed face serves only bitmap strikes.
#include "gdi/text/TextPainter.h"

#include <gtest/gtest.h>

#include "platform/text/TextCanvas.h"

namespace {

using namespace quill::text;
using quill::text::testing::TextCanvas;

Glyph Square() {
  Glyph g;
  g.left = 1;
  g.top = 2;
  g.width = 2;
  g.rows = 2;
  g.coverage = {0, 128, 255, 64};
  return g;
}

TEST(TextPainter, BlendsCoverageExactlyAndKeepsTheSpareByte) {
  TextCanvas canvas(8, 8, 0xAA000000u | 0x204060);  // the unused byte must survive
  TextPainter painter(canvas.target, nullptr);
  painter.DrawGlyph(Square(), 3, 5, RGB(0xFF, 0xFF, 0xFF));  // box (4,3)-(6,5)
  EXPECT_EQ(canvas.At(4, 3), 0xAA204060u);                   // coverage 0: untouched
  // (src * a + dst * (255 - a) + 127) / 255 per channel.
  auto mix = [](int s, int d, int a) { return (s * a + d * (255 - a) + 127) / 255; };
  const uint32_t half = 0xAA000000u | (mix(255, 0x20, 128) << 16) | (mix(255, 0x40, 128) << 8) |
                        mix(255, 0x60, 128);
  EXPECT_EQ(canvas.At(5, 3), half);
  EXPECT_EQ(canvas.At(4, 4), 0xAAFFFFFFu);
  EXPECT_EQ(canvas.At(5, 4) & 0xFF, static_cast<uint32_t>(mix(255, 0x60, 64)));
  EXPECT_EQ(painter.Touched().left, 4);
  EXPECT_EQ(painter.Touched().bottom, 5);
}

TEST(TextPainter, OverlappingClipRectanglesBlendOnce) {
  TextCanvas once(8, 8, 0x000000);
  TextCanvas twice(8, 8, 0x000000);
  twice.target.clip = {RECT{0, 0, 8, 8}, RECT{2, 2, 7, 7}};
  TextPainter(once.target, nullptr).DrawGlyph(Square(), 3, 5, RGB(200, 200, 200));
  TextPainter(twice.target, nullptr).DrawGlyph(Square(), 3, 5, RGB(200, 200, 200));
  EXPECT_EQ(once.Pixels(), twice.Pixels());
}

TEST(TextPainter, ClipsGlyphsAndFillsToLimitAndSurface) {
  TextCanvas canvas(6, 6, 0);
  const RECT limit{0, 0, 5, 4};
  TextPainter painter(canvas.target, &limit);
  painter.Fill(RECT{-10, -10, 100, 100}, RGB(1, 2, 3));
  painter.DrawGlyph(Square(), 4, 5, RGB(9, 9, 9));  // box (5,3)-(7,5): outside the limit
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(canvas.At(x, y), (x < 5 && y < 4) ? 0x010203u : 0u);
  EXPECT_EQ(painter.Touched().right, 5);
  EXPECT_EQ(painter.Touched().bottom, 4);
}

TEST(TextPainter, DrawsIntoThreeBytePixelsAndBottomUpRows) {
  // A 4x3 bottom-up 24-bit image: row 0 (the top) is stored last.
  std::vector<uint8_t> bytes(4 * 3 * 3, 0);
  TextTarget target;
  target.surface.width = 4;
  target.surface.height = 3;
  target.surface.stride = -12;
  target.surface.pixels = bytes.data() + 2 * 12;
  target.surface.format = quill::PixelFormat::Bgr24;
  target.clip = {RECT{0, 0, 4, 3}};
  TextPainter painter(target, nullptr);
  painter.Fill(RECT{1, 0, 2, 1}, RGB(10, 20, 30));  // top row, second pixel
  EXPECT_EQ(bytes[2 * 12 + 3], 30);                  // blue
  EXPECT_EQ(bytes[2 * 12 + 4], 20);
  EXPECT_EQ(bytes[2 * 12 + 5], 10);                  // red
  for (size_t i = 0; i < 2 * 12; ++i) EXPECT_EQ(bytes[i], 0) << i;
}

}  // namespace
