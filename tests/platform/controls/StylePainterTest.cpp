// Pixel tests of the shared painter on a plain buffer: what each state adds, where it may draw,
// and that the dotted focus rectangle is a true inversion.
#include "controls/StylePainter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace quill::controls {
namespace {

constexpr uint32_t kGrey = 0x00F0F0F0;  // the button face colour the layer's controls sit on

// A plain 32-bit buffer with a text target over it; the clip defaults to the whole buffer.
struct Canvas {
  Canvas(int w, int h, uint32_t fill = kGrey) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {
    target.surface.pixels = reinterpret_cast<uint8_t*>(pixels.data());
    target.surface.width = w;
    target.surface.height = h;
    target.surface.stride = static_cast<ptrdiff_t>(w) * 4;
    target.surface.format = PixelFormat::Bgrx32;
    target.clip = {RECT{0, 0, w, h}};
  }
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  int width, height;
  std::vector<uint32_t> pixels;
  text::TextTarget target;
};

std::vector<uint32_t> RadioMarkPixels(ControlLook look) {
  Canvas canvas(13, 13);
  StylePainter(canvas.target).RadioMark(0, 0, look);
  return canvas.pixels;
}

struct LookCase {
  const char* name;
  ControlLook look;
};

const LookCase kLooks[] = {
    {"normal", {}},
    {"hot", {.hot = true}},
    {"pressed", {.pressed = true}},
    {"focused", {.focused = true}},
    {"disabled", {.disabled = true}},
};

TEST(StylePainterTest, RadioDotShowsOnlyWhenCheckedAndTheMarkIsSymmetric) {
  for (const LookCase& c : kLooks) {
    SCOPED_TRACE(c.name);
    ControlLook checked = c.look;
    checked.checked = true;
    const std::vector<uint32_t> off = RadioMarkPixels(c.look), on = RadioMarkPixels(checked);
    for (int y = 0; y < 13; ++y) {
      for (int x = 0; x < 13; ++x) {
        const size_t i = static_cast<size_t>(y) * 13 + x;
        // The dot (3 pixels around the centre, 6.5 in) changes nothing of the ring or the corners.
        const bool nearCentre = x >= 3 && x < 10 && y >= 3 && y < 10;
        if (!nearCentre) {
          EXPECT_EQ(off[i], on[i]) << x << "," << y;
        }
        // Anti-aliasing is exact: the mark mirrors onto itself both ways.
        EXPECT_EQ(on[i], on[static_cast<size_t>(y) * 13 + (12 - x)]) << x << "," << y;
        EXPECT_EQ(on[i], on[static_cast<size_t>(12 - y) * 13 + x]) << x << "," << y;
      }
    }
    EXPECT_NE(off[6 * 13 + 6], on[6 * 13 + 6]);
    EXPECT_EQ(off[6 * 13 + 6], off[6 * 13 + 3]) << "unchecked: the centre is plain fill";
    EXPECT_EQ(off[0], kGrey) << "the corners of the box stay background";
    EXPECT_NE(off[6 * 13 + 0], kGrey) << "the ring reaches the box's edge";
  }
}

TEST(StylePainterTest, StatesDrawDifferently) {
  auto face = [](ControlLook look) {
    Canvas canvas(20, 12);
    StylePainter(canvas.target).PushButtonFace(RECT{0, 0, 20, 12}, look);
    return canvas.pixels;
  };
  const auto normal = face({});
  EXPECT_NE(face({.pressed = true}), normal);
  EXPECT_NE(face({.hot = true}), normal);
  EXPECT_NE(face({.focused = true}), normal);
  EXPECT_NE(face({.disabled = true}), normal);
  EXPECT_NE(face({.pressed = true}), face({.hot = true}));
  EXPECT_NE(RadioMarkPixels({.pressed = true}), RadioMarkPixels({}));
  EXPECT_NE(RadioMarkPixels({.hot = true}), RadioMarkPixels({}));
  EXPECT_NE(RadioMarkPixels({.disabled = true}), RadioMarkPixels({}));
  EXPECT_NE(StylePainter::CaptionColour({.disabled = true}), StylePainter::CaptionColour({}));
}

TEST(StylePainterTest, PushButtonFaceHasSoftCornersAndAGradient) {
  Canvas canvas(30, 20);
  StylePainter(canvas.target).PushButtonFace(RECT{0, 0, 30, 20}, {});
  const uint32_t border = canvas.At(15, 0);
  EXPECT_EQ(canvas.At(0, 10), border);
  EXPECT_EQ(canvas.At(29, 10), border);
  EXPECT_EQ(canvas.At(15, 19), border);
  for (auto [x, y] : {std::pair{0, 0}, {29, 0}, {0, 19}, {29, 19}}) {
    EXPECT_NE(canvas.At(x, y), border) << x << "," << y;
    EXPECT_NE(canvas.At(x, y), kGrey) << x << "," << y;
  }
  EXPECT_NE(canvas.At(15, 1), canvas.At(15, 18)) << "the face is shaded from top to bottom";
}

TEST(StylePainterTest, DrawsOnlyInsideTheClipAtTheDcOrigin) {
  Canvas canvas(40, 30);
  canvas.target.origin = POINT{10, 5};
  canvas.target.clip = {RECT{10, 5, 25, 30}, RECT{12, 5, 20, 12}};  // overlapping on purpose
  StylePainter painter(canvas.target);
  painter.PushButtonFace(RECT{0, 0, 30, 20}, {.pressed = true});
  painter.RadioMark(0, 0, {.checked = true});
  painter.FocusRect(RECT{2, 2, 28, 18});
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if (x < 10 || x >= 25 || y < 5) {
        EXPECT_EQ(canvas.At(x, y), kGrey) << x << "," << y;
      }
  const RECT touched = painter.Touched();
  EXPECT_GE(touched.left, 10);
  EXPECT_GE(touched.top, 5);
  EXPECT_LE(touched.right, 25);
  EXPECT_LE(touched.bottom, 25);
  EXPECT_NE(canvas.At(10, 5 + 19), kGrey) << "the face's bottom-left lies at the origin's offset";
}

TEST(StylePainterTest, FocusRectInvertsEveryOtherOutlinePixelOnce) {
  const RECT rects[] = {{2, 2, 17, 11}, {3, 3, 4, 9}, {1, 5, 12, 6}, {4, 4, 5, 5}};
  for (const RECT& r : rects) {
    SCOPED_TRACE(testing::Message() << r.left << "," << r.top << "," << r.right << "," << r.bottom);
    Canvas canvas(20, 14, 0x00F0F0F0);
    StylePainter(canvas.target).FocusRect(r);
    EXPECT_EQ(canvas.At(r.left, r.top), 0x000F0F0Fu);
    for (int y = 0; y < 14; ++y) {
      for (int x = 0; x < 20; ++x) {
        const bool outline = x >= r.left && x < r.right && y >= r.top && y < r.bottom &&
                             (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
        if (!outline || (x - r.left + y - r.top) % 2) {
          EXPECT_EQ(canvas.At(x, y), kGrey) << x << "," << y;
        }
      }
    }
    StylePainter(canvas.target).FocusRect(r);
    EXPECT_EQ(canvas.pixels, Canvas(20, 14).pixels) << "drawn twice, the rectangle is gone";
  }
}

}  // namespace
}  // namespace quill::controls
