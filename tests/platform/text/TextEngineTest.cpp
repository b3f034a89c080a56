// The text engine drawn into plain buffers: placement, clipping, prefixes, line breaking, glyphs
// and colours. Placement is read from the text cells, which an opaque background fills exactly.
#include "gdi/text/TextEngine.h"

#include <gtest/gtest.h>

#include <string>

#include "kernel/CodePage.h"
#include "platform/text/TextCanvas.h"
#include "win/text.h"

namespace {

using namespace quill::text;
using quill::text::testing::Pixel;
using quill::text::testing::TextCanvas;

constexpr uint32_t kPaper = 0x102030;
constexpr COLORREF kInk = RGB(196, 254, 167);
constexpr COLORREF kCell = RGB(200, 10, 10);

std::string Gbk(const char* utf8) { return quill::cp936::FromUtf8(utf8); }

int Width(const std::string& text) { return MeasureAnsi(text.data(), static_cast<int>(text.size())).cx; }

class TextEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(EnsureDefaultFont()) << "no CJK font installed";
    h = DefaultFontMetrics().height;
  }

  static TextCanvas Canvas(int w = 200, int h = 100) {
    TextCanvas c(w, h, kPaper);
    c.target.textColor = kInk;
    return c;
  }

  static int Draw(TextCanvas& c, const std::string& text, RECT r, UINT format) {
    return DrawTextAnsi(&c.target, text.data(), static_cast<int>(text.size()), &r, format);
  }

  int h = 0;
};

TEST_F(TextEngine, MetricsAndMeasuresComeFromOneTwelvePixelFace) {
  const FontMetrics& m = DefaultFontMetrics();
  EXPECT_EQ(m.height, m.ascent + m.descent);
  EXPECT_GE(m.height, 12);
  EXPECT_LE(m.height, 18);
  EXPECT_GT(m.aveCharWidth, 0);
  EXPECT_GE(m.maxCharWidth, 12);

  const SIZE wu = MeasureAnsi(Gbk("吴").c_str(), 2);
  EXPECT_EQ(wu.cx, 12);
  EXPECT_EQ(wu.cy, m.height);
  EXPECT_EQ(Width("115.123456"), Width("115") + Width(".") + Width("123456"));
  EXPECT_EQ(MeasureAnsi("", 0).cy, m.height);
  EXPECT_EQ(MeasureAnsi("", 0).cx, 0);
}

TEST_F(TextEngine, PlacesTheTextCellByTheAlignmentFlags) {
  const std::string text = "35.123456";
  const int w = Width(text);
  struct Case {
    const char* name;
    RECT rect;
    UINT format;
    POINT origin;
    int x, y;        // expected top-left of the cell, surface coordinates
    int result;      // expected return value
  } cases[] = {
      {"left top", {20, 10, 120, 50}, DT_SINGLELINE, {0, 0}, 20, 10, h},
      {"centre", {20, 10, 120, 50}, DT_SINGLELINE | DT_CENTER, {0, 0}, 20 + (100 - w) / 2, 10, h},
      {"right", {20, 10, 120, 50}, DT_SINGLELINE | DT_RIGHT, {0, 0}, 120 - w, 10, h},
      {"vcentre tall", {20, 10, 120, 50}, DT_SINGLELINE | DT_VCENTER, {0, 0}, 20,
       10 + (40 - h) / 2, (40 - h) / 2 + h},
      {"vcentre short", {20, 10, 120, 17}, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP, {0, 0}, 20,
       10 + (7 - h) / 2, (7 - h) / 2 + h},
      {"bottom", {20, 10, 120, 50}, DT_SINGLELINE | DT_BOTTOM, {0, 0}, 20, 50 - h, 40},
      {"vcentre needs single line", {20, 10, 120, 50}, DT_VCENTER, {0, 0}, 20, 10, h},
      {"label format with origin", {0, 0, 88, 28}, 0x124, {150, 40}, 150, 40 + (28 - h) / 2,
       (28 - h) / 2 + h},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TextCanvas canvas = Canvas(300, 100);
    canvas.target.origin = c.origin;
    canvas.target.opaqueBackground = true;
    canvas.target.backgroundColor = kCell;
    EXPECT_EQ(Draw(canvas, text, c.rect, c.format), c.result);
    const RECT cell = canvas.InkBounds(kPaper);
    EXPECT_EQ(cell.left, c.x);
    EXPECT_EQ(cell.top, c.y);
    EXPECT_EQ(cell.right, c.x + w);
    EXPECT_EQ(cell.bottom, c.y + h);
    const RECT bounds = LastDrawnBounds();
    EXPECT_TRUE(bounds.left <= cell.left && bounds.top <= cell.top && bounds.right >= cell.right &&
                bounds.bottom >= cell.bottom);
  }
}

TEST_F(TextEngine, TextOutPutsTheCellAtThePointPlusTheOrigin) {
  TextCanvas canvas = Canvas();
  canvas.target.origin = {7, 3};
  canvas.target.opaqueBackground = true;
  canvas.target.backgroundColor = kCell;
  TextOutAnsi(canvas.target, 10, 20, "&ab", 3);  // no prefix processing: the ampersand shows
  EXPECT_EQ(canvas.InkBounds(kPaper).left, 17);
  EXPECT_EQ(canvas.InkBounds(kPaper).top, 23);
  EXPECT_EQ(canvas.InkBounds(kPaper).right, 17 + Width("&ab"));
  EXPECT_EQ(canvas.InkBounds(kPaper).bottom, 23 + h);
}

TEST_F(TextEngine, CalcRectMeasuresWithoutDrawing) {
  const int ave = DefaultFontMetrics().aveCharWidth;
  struct Case {
    std::string text;
    UINT format;
    RECT rect;
    int width, height;
  } cases[] = {
      {"115.123456", DT_SINGLELINE, {5, 5, 6, 6}, Width("115.123456"), h},
      {Gbk("精度保留5位"), DT_SINGLELINE | DT_VCENTER, {5, 5, 500, 500}, Width(Gbk("精度保留5位")), h},
      {"&Save", DT_SINGLELINE, {5, 5, 6, 6}, Width("Save"), h},
      {"&Save", DT_SINGLELINE | DT_NOPREFIX, {5, 5, 6, 6}, Width("&Save"), h},
      {"a\tb", DT_SINGLELINE | DT_EXPANDTABS, {5, 5, 6, 6}, 8 * ave + Width("b"), h},
      {"a\tb", DT_SINGLELINE, {5, 5, 6, 6}, Width("ab"), h},
      {"ab\r\ncde", 0, {5, 5, 6, 6}, Width("cde"), 2 * h},
      {"one two", DT_WORDBREAK, {5, 5, 5 + Width("one tw"), 6}, Width("one tw"), 2 * h},
      {"", DT_SINGLELINE, {5, 5, 50, 50}, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TextCanvas canvas = Canvas();
    RECT r = c.rect;
    const int result = DrawTextAnsi(&canvas.target, c.text.data(), static_cast<int>(c.text.size()),
                                    &r, c.format | DT_CALCRECT);
    EXPECT_EQ(result, c.height);
    EXPECT_EQ(r.left, c.rect.left);
    EXPECT_EQ(r.top, c.rect.top);
    EXPECT_EQ(r.right - r.left, c.width);
    EXPECT_EQ(r.bottom - r.top, c.height);
    EXPECT_EQ(canvas.InkBounds(kPaper).right, 0) << "DT_CALCRECT drew";
  }
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(DrawTextAnsi(nullptr, "12", 2, &r, DT_CALCRECT | DT_SINGLELINE), h);
  EXPECT_EQ(r.right, Width("12"));
}

TEST_F(TextEngine, ClipsToTheRectangleUnlessNoClip) {
  const std::string text = "115.123456";  // far wider than 30 pixels
  const RECT rect{10, 10, 40, 40};
  TextCanvas clipped = Canvas();
  Draw(clipped, text, rect, DT_SINGLELINE | DT_VCENTER);
  const RECT a = clipped.InkBounds(kPaper);
  EXPECT_GE(a.left, 10);
  EXPECT_EQ(a.right, 40) << "the text is cut at the rectangle's edge, not before it";

  TextCanvas unclipped = Canvas();
  Draw(unclipped, text, rect, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  EXPECT_GT(unclipped.InkBounds(kPaper).right, 40 + 20);
  // Inside the rectangle both are the same pixels.
  for (int y = 10; y < 40; ++y)
    for (int x = 10; x < 40; ++x) ASSERT_EQ(clipped.At(x, y), unclipped.At(x, y)) << x << "," << y;

  TextCanvas ellipsis = Canvas();
  Draw(ellipsis, text, RECT{10, 10, 50, 40}, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS);
  EXPECT_LE(ellipsis.InkBounds(kPaper).right, 50);
}

TEST_F(TextEngine, NeverWritesOutsideTheClipRectangles) {
  const std::string text = Gbk("自动保存在桌面 Tarvello专用 115.123456");
  // Rectangles straddling every edge of the clip, and one beyond the surface.
  const RECT rects[] = {{-30, -5, 200, 20}, {-30, 85, 200, 120}, {150, 40, 400, 60},
                        {-100, -100, 400, 400}, {190, 95, 260, 130}};
  for (const RECT& rect : rects) {
    for (bool opaque : {false, true}) {
      TextCanvas canvas = Canvas(200, 100);
      canvas.target.opaqueBackground = opaque;
      canvas.target.backgroundColor = kCell;
      // Two pieces with a gap between them, and a sentinel border of 5 pixels all round.
      canvas.target.clip = {RECT{5, 5, 80, 95}, RECT{120, 5, 195, 95}};
      for (UINT format : {UINT(DT_NOCLIP), UINT(DT_NOCLIP | DT_SINGLELINE | DT_VCENTER),
                          UINT(DT_WORDBREAK | DT_NOCLIP)}) {
        Draw(canvas, text, rect, format);
      }
      for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
          const bool inside = y >= 5 && y < 95 && ((x >= 5 && x < 80) || (x >= 120 && x < 195));
          if (!inside) {
            ASSERT_EQ(canvas.At(x, y), kPaper) << x << "," << y;
          }
        }
      }
    }
  }
}

TEST_F(TextEngine, AmpersandUnderlinesTheNextCharacter) {
  const int ascent = DefaultFontMetrics().ascent;
  const RECT rect{10, 10, 190, 40};
  auto draw = [&](const char* text, UINT format) {
    TextCanvas c = Canvas();
    Draw(c, text, rect, format);
    return c;
  };
  const UINT base = DT_SINGLELINE;

  // "&Save": the S is underlined at one row below the baseline, across its advance, and the
  // ampersand is not drawn.
  TextCanvas prefixed = draw("&Save", base);
  TextCanvas plain = draw("Save", base);
  const int underlineRow = 10 + ascent + 1;
  const int sWidth = Width("S");
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (y == underlineRow && x >= 10 && x < 10 + sWidth) {
        EXPECT_EQ(prefixed.At(x, y), Pixel(kInk)) << x;
      } else {
        ASSERT_EQ(prefixed.At(x, y), plain.At(x, y)) << x << "," << y;
      }
    }
  }

  // The underline goes under a later character too, and "&&" is one ampersand.
  TextCanvas middle = draw("a&bc", base);
  EXPECT_EQ(middle.At(10 + Width("a"), underlineRow), Pixel(kInk));
  EXPECT_EQ(middle.At(10 + Width("a") - 1, underlineRow), kPaper);
  EXPECT_EQ(draw("x&&y", base).Pixels(), draw("x&y", base | DT_NOPREFIX).Pixels());
  EXPECT_EQ(draw("&Save", base | DT_HIDEPREFIX).Pixels(), plain.Pixels());
  EXPECT_NE(draw("&Save", base | DT_NOPREFIX).Pixels(), plain.Pixels());
}

TEST_F(TextEngine, SingleLineIgnoresLineBreaksAndOtherwiseTheyBreak) {
  TextCanvas single = Canvas();
  EXPECT_EQ(Draw(single, "12\r\n34\n5", RECT{10, 10, 190, 90}, DT_SINGLELINE), h);
  TextCanvas joined = Canvas();
  Draw(joined, "12345", RECT{10, 10, 190, 90}, DT_SINGLELINE);
  EXPECT_EQ(single.Pixels(), joined.Pixels());

  TextCanvas multi = Canvas();
  EXPECT_EQ(Draw(multi, "12\r\n34\n5", RECT{10, 10, 190, 90}, 0), 3 * h);
  TextCanvas third = Canvas();
  Draw(third, "5", RECT{10, 10 + 2 * h, 190, 90}, DT_SINGLELINE);
  for (int y = 10 + 2 * h; y < 10 + 3 * h; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(multi.At(x, y), third.At(x, y)) << x << "," << y;
}

TEST_F(TextEngine, WordBreakWrapsAtSpacesAndBetweenChineseCharacters) {
  struct Case {
    std::string text;
    int width;
    std::vector<std::string> lines;  // what each line must look like
  } cases[] = {
      {"one two", Width("one tw"), {"one", "two"}},
      {"one two", Width("one two"), {"one two"}},
      {Gbk("精度保留5位"), 36, {Gbk("精度保"), Gbk("留5位")}},
      {Gbk("保存Tarvello专用"), Width(Gbk("保存Tar")), {Gbk("保存"), "Tarvello", Gbk("专用")}},
      {Gbk("精度。保留"), 24, {Gbk("精"), Gbk("度。"), Gbk("保留")}},  // no line starts with "。"
      {"abcdefghij", 20, {"abcdefghij"}},  // a word too long for the line is not cut
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(quill::cp936::ToUtf8(c.text));
    TextCanvas wrapped = Canvas(200, 100);
    const int lines = static_cast<int>(c.lines.size());
    EXPECT_EQ(Draw(wrapped, c.text, RECT{10, 5, 10 + c.width, 95}, DT_WORDBREAK | DT_NOCLIP),
              lines * h);
    TextCanvas expected = Canvas(200, 100);
    for (int i = 0; i < lines; ++i) {
      Draw(expected, c.lines[i], RECT{10, 5 + i * h, 190, 95}, DT_SINGLELINE | DT_NOCLIP);
    }
    EXPECT_EQ(wrapped.Pixels(), expected.Pixels());
  }
}

TEST_F(TextEngine, ChineseTextHasGlyphs) {
  for (const char* utf8 : {"经度", "纬度", "精度保留5位", "自动保存在桌面", "文件名", "预览", "吴"}) {
    const std::string text = Gbk(utf8);
    TextCanvas canvas = Canvas();
    Draw(canvas, text, RECT{10, 10, 190, 40}, DT_SINGLELINE);
    const RECT ink = canvas.InkBounds(kPaper);
    EXPECT_GE(ink.right - ink.left, Width(text) - 3) << utf8;
    EXPECT_GE(ink.bottom - ink.top, 8) << utf8;
    // Every Chinese character leaves ink in its own cell: none is blank or missing.
    int x = 10;
    for (size_t i = 0; i < text.size();) {
      const size_t len = quill::cp936::CharLength(text, i);
      const int advance = Width(text.substr(i, len));
      bool any = false;
      for (int y = 10; y < 10 + h; ++y)
        for (int dx = 0; dx < advance; ++dx) any = any || canvas.At(x + dx, y) != kPaper;
      if (len == 2) {
        EXPECT_TRUE(any) << utf8 << " at byte " << i;
      }
      x += advance;
      i += len;
    }
  }
}

TEST_F(TextEngine, SameTextGivesSamePixelsInTheTextColourOnly) {
  const std::string text = Gbk("经度 115.123456 &Quillmark gjpqy");
  TextCanvas first = Canvas();
  Draw(first, text, RECT{3, 3, 197, 97}, DT_WORDBREAK);
  Draw(first, "35.123456", RECT{3, 60, 197, 97}, DT_SINGLELINE | DT_VCENTER);
  TextCanvas second = Canvas();
  Draw(second, text, RECT{3, 3, 197, 97}, DT_WORDBREAK);
  Draw(second, "35.123456", RECT{3, 60, 197, 97}, DT_SINGLELINE | DT_VCENTER);
  EXPECT_EQ(first.Pixels(), second.Pixels());

  // Every changed pixel is the text colour or a blend of it over the paper, channel by channel.
  int inked = 0;
  for (uint32_t p : first.Pixels()) {
    if (p == kPaper) continue;
    ++inked;
    for (int shift : {0, 8, 16}) {
      const int v = (p >> shift) & 0xFF, a = (kPaper >> shift) & 0xFF,
                b = (Pixel(kInk) >> shift) & 0xFF;
      ASSERT_TRUE(v >= std::min(a, b) && v <= std::max(a, b)) << std::hex << p;
    }
  }
  EXPECT_GT(inked, 100);
}

TEST_F(TextEngine, DegenerateCallsDrawNothing) {
  TextCanvas canvas = Canvas();
  RECT r{10, 10, 100, 40};
  EXPECT_EQ(DrawTextAnsi(&canvas.target, "", 0, &r, DT_SINGLELINE), 0);
  EXPECT_EQ(DrawTextAnsi(&canvas.target, nullptr, 5, &r, DT_SINGLELINE), 0);
  EXPECT_EQ(DrawTextAnsi(&canvas.target, "abc", 3, nullptr, DT_SINGLELINE), 0);
  EXPECT_EQ(DrawTextAnsi(nullptr, "abc", 3, &r, DT_SINGLELINE), h);  // measures, draws nowhere
  // A lead byte cut off at the end and a lone ampersand at the end do not upset anything.
  EXPECT_EQ(DrawTextAnsi(&canvas.target, "ab\xCE", 3, &r, DT_SINGLELINE), h);
  EXPECT_EQ(DrawTextAnsi(&canvas.target, "ab&", 3, &r, DT_SINGLELINE), h);
  TextCanvas noSurface = Canvas();
  noSurface.target.surface = quill::ImageView{};
  EXPECT_EQ(DrawTextAnsi(&noSurface.target, "abc", 3, &r, DT_SINGLELINE), h);
  TextCanvas nothing = Canvas();
  DrawTextAnsi(&nothing.target, "", 0, &r, DT_SINGLELINE);
  EXPECT_EQ(nothing.InkBounds(kPaper).right, 0);
}

}  // namespace
