// What the picture box and the overlay labels put on the screen, read back from its pixels.
#include <cstring>

#include "app/ControlAccess.h"
#include "quill/layer.h"
#include "support/QuillmarkFixture.h"
#include "ui/ControlNames.h"
#include "ui/EmbeddedAssets.h"
#include "ui/PicBox.h"
#include "ui/PictureDecoder.h"

namespace {

using namespace names;

constexpr COLORREF kLabelGreen = 0x00A7FEC4;
// The union of the two label rectangles, in picture coordinates.
constexpr RECT kLabelArea{144, 104, 240, 152};

bool InLabelArea(int x, int y) {
  return x >= kLabelArea.left && x < kLabelArea.right && y >= kLabelArea.top && y < kLabelArea.bottom;
}

class PictureAndLabelsTest : public QuillmarkFixture {
 protected:
  void StartAt(DefinitionSource source = &MainWindowDefinition) {
    StartProgram(1024, 768, source);
    RECT r = ScreenRect(kPicBox1);
    origin_ = POINT{r.left, r.top};
  }
  COLORREF At(int x, int y) { return Pixel(origin_.x + x, origin_.y + y); }

  // The pixels of the label area as the screen shows them.
  std::vector<COLORREF> LabelArea() {
    Screen().ComposeScreen();
    std::vector<COLORREF> out;
    for (int y = kLabelArea.top; y < kLabelArea.bottom; ++y)
      for (int x = kLabelArea.left; x < kLabelArea.right; ++x) out.push_back(Screen().ScreenPixel(origin_.x + x, origin_.y + y));
    return out;
  }
  int GreenPixels(const RECT& r) {
    Screen().ComposeScreen();
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += Screen().ScreenPixel(origin_.x + x, origin_.y + y) == kLabelGreen;
    return n;
  }
  void WriteLabels(const char* first, const char* second) {
    App().RunOnUi([&] {
      WriteControlText(kTransLabel1, first);
      WriteControlText(kTransLabel2, second);
    });
  }

  POINT origin_{};
};

COLORREF PicturePixel(const DecodedImage& image, int x, int y) {
  const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
  return RGB(p[2], p[1], p[0]);
}

TEST_F(PictureAndLabelsTest, TheBackgroundPictureShowsUnchangedAboveTwoRowsOfButtonFace) {
  StartAt();
  auto image = DecodePng(assets::BackgroundPng(), assets::BackgroundPngSize());
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, 328);
  ASSERT_EQ(image->height, 582);
  Screen().ComposeScreen();
  int differences = 0;
  for (int y = 0; y < 582; ++y)
    for (int x = 0; x < 328; ++x)
      if (!InLabelArea(x, y)) differences += At(x, y) != PicturePixel(*image, x, y);
  EXPECT_EQ(differences, 0);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y : {582, 583}) {
    for (int x = 0; x < 328; ++x) {
      ASSERT_EQ(At(x, y), face) << x << "," << y;
    }
  }
}

TEST_F(PictureAndLabelsTest, BothInitialTextsStandInLightGreenInTheirLabels) {
  StartAt();
  EXPECT_GT(GreenPixels(RECT{150, 104, 238, 120}), 20);  // the first label's rows above the second
  EXPECT_GT(GreenPixels(RECT{144, 132, 240, 152}), 20);  // the second label's rows below the first
  // Nowhere else on the picture.
  Screen().ComposeScreen();
  int stray = 0;
  for (int y = 0; y < 584; ++y)
    for (int x = 0; x < 328; ++x) stray += !InLabelArea(x, y) && At(x, y) == kLabelGreen;
  EXPECT_EQ(stray, 0);
}

// A definition like the program's, with other initial label texts: a fresh window draws the picture
// and then both labels, which is what a text write must leave behind.
const char* g_first = "";
const char* g_second = "";
const WindowDefinition* DefinitionWithLabelTexts() {
  static WindowDefinition definition;
  definition = *MainWindowDefinition();
  for (ControlDefinition& c : definition.controls) {
    if (std::strcmp(c.name, kTransLabel1) == 0) c.text = g_first;
    if (std::strcmp(c.name, kTransLabel2) == 0) c.text = g_second;
  }
  return &definition;
}

TEST_F(PictureAndLabelsTest, TextWritesLeaveBothNewTextsWholeAndNoTraceOfTheOldOnes) {
  struct Case {
    const char* first;
    const char* second;
  } cases[] = {
      {"39.904211", "116.407395"},
      {"-0.5", "88888888888"},  // the second reaches over the first in the shared rows
      {"", "1"},
      {"", ""},
  };
  for (const Case& c : cases) {
    g_first = c.first;
    g_second = c.second;
    StartAt(&DefinitionWithLabelTexts);
    std::vector<COLORREF> expected = LabelArea();

    StartAt();
    WriteLabels(c.first, c.second);
    EXPECT_EQ(LabelArea(), expected) << c.first << " / " << c.second;
  }
}

TEST_F(PictureAndLabelsTest, AnEmptyTextLeavesOnlyThePicture) {
  StartAt();
  WriteLabels("", "");
  auto image = DecodePng(assets::BackgroundPng(), assets::BackgroundPngSize());
  Screen().ComposeScreen();
  for (int y = kLabelArea.top; y < kLabelArea.bottom; ++y) {
    for (int x = kLabelArea.left; x < kLabelArea.right; ++x) {
      ASSERT_EQ(At(x, y), PicturePixel(*image, x, y)) << x << "," << y;
    }
  }
}

TEST_F(PictureAndLabelsTest, ATextTooWideIsCutAtTheLabelsEdgeOnOneLine) {
  StartAt();
  WriteLabels("", "1234567890123456789012345\r\n678");
  EXPECT_GT(GreenPixels(RECT{234, 120, 240, 152}), 0);  // it reaches the right edge
  EXPECT_EQ(GreenPixels(RECT{240, 100, 328, 160}), 0);  // and goes no further
  EXPECT_EQ(GreenPixels(RECT{144, 152, 240, 200}), 0);  // nor onto a second line
}

TEST_F(PictureAndLabelsTest, AnAmpersandUnderlinesTheNextLetterAndIsNotShown) {
  StartAt();
  WriteLabels("", "A");
  std::vector<COLORREF> plain = LabelArea();
  WriteLabels("", "&A");
  std::vector<COLORREF> prefixed = LabelArea();
  // The two differ only in one row: the underline.
  const int width = kLabelArea.right - kLabelArea.left;
  std::vector<int> rows;
  for (size_t i = 0; i < plain.size(); ++i)
    if (plain[i] != prefixed[i] && (rows.empty() || rows.back() != static_cast<int>(i) / width))
      rows.push_back(static_cast<int>(i) / width);
  ASSERT_EQ(rows.size(), 1u);
}

TEST_F(PictureAndLabelsTest, PictureWritesAreHeldAndHandedBackByteForByte) {
  StartAt();
  std::vector<uint8_t> text(100, 'q');
  std::vector<uint8_t> shortBmp = {'B', 'M', 1, 2, 3, 4, 5};
  std::vector<uint8_t> png(assets::BackgroundPng(), assets::BackgroundPng() + assets::BackgroundPngSize());
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool decodes;
  } cases[] = {
      {"empty", {}, false},
      {"7 bytes starting BM", shortBmp, false},
      {"100 bytes of text", text, false},
      {"the background PNG", png, true},
  };
  for (const Case& c : cases) {
    bool decoded = true;
    ImageBytes first, second;
    App().RunOnUi([&] {
      WritePicture(kPicBox2, ImageBytes::CopyOf(c.bytes.data(), c.bytes.size()));
      decoded = static_cast<PicBox*>(FindControl(kPicBox2))->HasDecodedImage();
      first = ReadPicture(kPicBox2);
      second = ReadPicture(kPicBox2);
    });
    EXPECT_EQ(decoded, c.decodes) << c.what;
    ASSERT_EQ(first.Size(), c.bytes.size()) << c.what;
    EXPECT_TRUE(std::equal(c.bytes.begin(), c.bytes.end(), first.Data())) << c.what;
    EXPECT_EQ(second.Size(), first.Size());
    if (!first.Empty()) {
      EXPECT_NE(first.Data(), second.Data()) << "two reads share one copy";
    }
  }
}

TEST_F(PictureAndLabelsTest, UndecodablePictureBytesShowOnlyTheBackgroundColour) {
  StartAt();
  std::vector<uint8_t> text(100, 'q');
  App().RunOnUi([&] { WritePicture(kPicBox1, ImageBytes::CopyOf(text.data(), text.size())); });
  WriteLabels("", "");
  Screen().ComposeScreen();
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  int other = 0;
  for (int y = 0; y < 584; ++y)
    for (int x = 0; x < 328; ++x) other += At(x, y) != face;
  EXPECT_EQ(other, 0);
}

TEST_F(PictureAndLabelsTest, ManyWritesLeaveNoDrawingObjectBehind) {
  StartAt();
  quill::LiveObjects before{};
  App().RunOnUi([&] { before = quill::CountLiveObjects(); });
  std::vector<uint8_t> png(assets::BackgroundPng(), assets::BackgroundPng() + assets::BackgroundPngSize());
  for (int i = 0; i < 40; ++i) {
    std::string value = std::to_string(i * 1.5);
    WriteLabels(value.c_str(), value.c_str());
    App().RunOnUi([&] { WritePicture(kPicBox1, ImageBytes::CopyOf(png.data(), png.size())); });
  }
  quill::LiveObjects after{};
  App().RunOnUi([&] { after = quill::CountLiveObjects(); });
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.dcs, before.dcs);
  EXPECT_EQ(after.windows, before.windows);
}

TEST(PictureDecoder, AlphaIsLaidOverTheBackgroundWithTheSinglePrecisionFactor) {
  struct Case {
    uint8_t value, alpha, background, expected;
  } cases[] = {
      {255, 128, 0, 128},  // white at half alpha over black
      {255, 0, 0, 0},      // alpha 0 gives the background exactly
      {0, 0, 240, 240},
      {200, 255, 10, 200},
      {255, 1, 0, 1},
      {100, 77, 200, 169},  // 100*0.30196 + 200*0.69804 = 169.8..., truncated
  };
  for (const Case& c : cases) EXPECT_EQ(BlendChannel(c.value, c.alpha, c.background), c.expected);
}

std::vector<uint8_t> Bmp24(int width, int height) {
  int stride = (24 * width + 31) / 32 * 4;
  std::vector<uint8_t> b(54 + static_cast<size_t>(stride) * height, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  b[26] = 1;
  b[28] = 24;
  return b;
}

TEST(PictureDecoder, BmpDecoderRefusesWhatItCannotRead) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    bool decodes;
  };
  std::vector<Case> cases;
  cases.push_back({"a well-formed 5 x 3 bitmap", Bmp24(5, 3), true});
  std::vector<uint8_t> b = Bmp24(5, 3);
  b.resize(53);
  cases.push_back({"a header cut short", b, false});
  b = Bmp24(5, 3);
  b[30] = 1;
  cases.push_back({"compression not 0", b, false});
  b = Bmp24(5, 3);
  b[10] = 40;
  cases.push_back({"pixel offset inside the headers", b, false});
  b = Bmp24(5, 3);
  b.pop_back();
  cases.push_back({"rows running out", b, false});
  b = Bmp24(5, 3);
  b[22] = 0xFF;
  b[23] = 0xFF;
  b[24] = 0xFF;
  b[25] = 0x7F;
  cases.push_back({"a huge declared height", b, false});
  for (const Case& c : cases) EXPECT_EQ(DecodeBmp(c.bytes.data(), c.bytes.size()).has_value(), c.decodes) << c.what;

  auto image = DecodeBmp(cases[0].bytes.data(), cases[0].bytes.size());
  EXPECT_EQ(image->width, 5);
  EXPECT_EQ(image->height, 3);
}

}  // namespace
