// Bad input through the whole program: names and texts no file system or font would want, and
// picture bytes no decoder should trust. Each case shows the sound outcome on the disk or on the
// screen, and ends with the window closed and nothing left behind.
#include <zlib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ReliabilityFixture.h"
#include "ui/ControlNames.h"
#include "ui/EmbeddedAssets.h"

namespace {

const std::string kDesktop = "Users/Administrator/Desktop/";
const std::string kDefaultFile = kDesktop + "\xE4\xBF\xAE\xE6\x94\xB9\xE7\x9A\x84GPS.jpg";  // 修改的GPS.jpg (UTF-8)
constexpr size_t kCaptureSize = 574710;  // the BMP of the 328 x 584 picture box

// [names and texts] -------------------------------------------------------------------------------

enum class Entry { Set, Typed, Pasted };

struct TextCase {
  const char* label;
  const char* control;
  Entry how;
  std::string bytes;                // GBK for Set and Typed, UTF-8 for Pasted
  std::vector<std::string> files;   // what the drive holds afterwards (below its root)
};

// A little more than a megabyte once it is GBK (UTF-8 on the clipboard).
std::string Megabyte() {
  std::string text;
  const std::string piece = "\xE5\x90\x8D" "abcdefgh";  // 名abcdefgh: 10 bytes of GBK
  for (size_t gbk = 0; gbk < 1024 * 1024; gbk += 10) text += piece;
  return text;
}

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.label; }

std::vector<TextCase> TextCases() {
  using names::kEditBox1, names::kEditBox2, names::kEditBox3;
  return {
      // The name is far beyond any path's length: the open fails and nothing is written.
      {"megabyte_pasted_name", kEditBox3, Entry::Pasted, Megabyte(), {}},
      // Not valid GBK: a name that cannot be told apart from another must not reach the disk.
      {"lead_byte_with_a_bad_trail", kEditBox3, Entry::Set, "ab\x81\x30" "cd", {}},
      {"byte_ff", kEditBox3, Entry::Set, "\xFF\xFF", {}},
      {"dangling_lead_byte", kEditBox3, Entry::Set, "name\x81", {}},
      {"typed_unassigned_pair", kEditBox3, Entry::Typed, "x\xA2\xA0", {}},
      {"typed_byte_ff", kEditBox3, Entry::Typed, "\xFF", {}},
      // A lead byte without a partner is dropped as it is typed; the space stays.
      {"typed_lead_then_space", kEditBox3, Entry::Typed, "\x81 ", {kDesktop + " .jpg"}},
      {"refused_characters", kEditBox3, Entry::Set, "a|b?", {}},
      {"device_name", kEditBox3, Entry::Set, "CON", {}},
      {"missing_folder", kEditBox3, Entry::Set, "nowhere\\name", {}},
      // Climbing stops at the drive's root: the file lands there and never outside.
      {"climbing_name", kEditBox3, Entry::Set, "..\\..\\..\\..\\..\\..\\..\\escape", {"escape.jpg"}},
      // Texts the labels cannot draw as characters: the capture and the save go on as usual.
      {"bad_gbk_longitude", kEditBox1, Entry::Set, "\x81\x30\xFF\x81", {kDefaultFile}},
      {"bad_gbk_latitude", kEditBox2, Entry::Set, "\xFE\xFE\xA2\xA0\x80", {kDefaultFile}},
      {"typed_bytes_into_a_number_box", kEditBox1, Entry::Typed, "\x81\x30\xFF" "1", {kDefaultFile}},
      {"megabyte_pasted_longitude", kEditBox1, Entry::Pasted, Megabyte(), {kDefaultFile}},
  };
}

class BadTextTest : public ReliabilityFixture, public ::testing::WithParamInterface<TextCase> {};

TEST_P(BadTextTest, EndsInTheSoundOutcome) {
  const TextCase& c = GetParam();
  Start();
  // What is typed or pasted replaces the defined text rather than joining it.
  if (c.how != Entry::Set) SetText(c.control, "");
  switch (c.how) {
    case Entry::Set: SetText(c.control, c.bytes); break;
    case Entry::Typed: TypeBytes(c.control, c.bytes); break;
    case Entry::Pasted: Paste(c.control, c.bytes); break;
  }
  if (c.how == Entry::Pasted && c.control == names::kEditBox3) {
    EXPECT_GE(Text(c.control).size(), 1024u * 1024);
  }
  Preview();
  Save();
  ASSERT_FALSE(App().Exited());

  std::vector<std::string> expected = FreshTreeWith({});
  for (const std::string& file : c.files) {
    expected = FreshTreeWith(c.files);
    std::string bytes = ReadFileBytes(Root() + "/" + file);
    EXPECT_EQ(bytes.size(), kCaptureSize) << file;
    EXPECT_EQ(bytes.substr(0, 2), "BM") << file;
  }
  EXPECT_EQ(TreeAroundDrive(), expected);
  CloseAndExpectNoLeak();
}

INSTANTIATE_TEST_SUITE_P(Cases, BadTextTest, ::testing::ValuesIn(TextCases()),
                         [](const auto& info) { return std::string(info.param.label); });

// [pictures] --------------------------------------------------------------------------------------

std::string BackgroundPng() {
  return std::string(reinterpret_cast<const char*>(assets::BackgroundPng()), assets::BackgroundPngSize());
}

uint32_t ReadBe32(const std::string& s, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(s[at])) << 24 |
         static_cast<unsigned char>(s[at + 1]) << 16 | static_cast<unsigned char>(s[at + 2]) << 8 |
         static_cast<unsigned char>(s[at + 3]);
}

void WriteBe32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (24 - 8 * i));
}

void WriteLe32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>(v >> (8 * i));
}

// Recomputes the CRC of the chunk that starts at `at` (its length field), so that a changed field
// is the only thing wrong with it.
void FixCrc(std::string& png, size_t at) {
  uint32_t length = ReadBe32(png, at);
  uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4);
  WriteBe32(png, at + 8 + length, static_cast<uint32_t>(crc));
}

// The offset of the first chunk of that type.
size_t FindChunk(const std::string& png, const char* type) {
  size_t at = 8;
  while (at + 8 <= png.size()) {
    if (png.compare(at + 4, 4, type) == 0) return at;
    at += 12 + ReadBe32(png, at);
  }
  return std::string::npos;
}

// The IHDR chunk starts at byte 8; its width and height at 16 and 20.
std::string PngWithSize(uint32_t width, uint32_t height) {
  std::string png = BackgroundPng();
  WriteBe32(png, 16, width);
  WriteBe32(png, 20, height);
  FixCrc(png, 8);
  return png;
}

std::string PngWithBadIdatCrc() {
  std::string png = BackgroundPng();
  size_t idat = FindChunk(png, "IDAT");
  png[idat + 8 + ReadBe32(png, idat)] ^= 0x5A;
  return png;
}

std::string PngWithBadIhdrCrc() {
  std::string png = BackgroundPng();
  png[29] ^= 0x01;
  return png;
}

// Deflate data that is garbage but carries a valid CRC: only the inflater can tell.
std::string PngWithCorruptImageData() {
  std::string png = BackgroundPng();
  size_t idat = FindChunk(png, "IDAT");
  for (size_t i = idat + 8 + 2; i < idat + 8 + 200; ++i) png[i] = static_cast<char>(0xFF);
  FixCrc(png, idat);
  return png;
}

struct PictureCase {
  const char* label;
  std::function<std::string(const std::string& capture)> make;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.label; }

std::vector<PictureCase> PictureCases() {
  return {
      {"plain_text", [](const std::string&) { return std::string(100, 'x'); }},
      {"seven_bytes_of_bmp", [](const std::string& bmp) { return bmp.substr(0, 7); }},
      {"png_signature_only", [](const std::string&) { return BackgroundPng().substr(0, 8); }},
      {"png_header_only", [](const std::string&) { return BackgroundPng().substr(0, 33); }},
      {"png_truncated_halfway", [](const std::string&) { return BackgroundPng().substr(0, 70000); }},
      // Cut inside the last image data chunk: the final rows and the stream's end are missing.
      {"png_truncated_near_the_end", [](const std::string&) { return BackgroundPng().substr(0, 138936 - 40); }},
      {"png_bad_header_crc", [](const std::string&) { return PngWithBadIhdrCrc(); }},
      {"png_bad_image_data_crc", [](const std::string&) { return PngWithBadIdatCrc(); }},
      {"png_corrupt_image_data", [](const std::string&) { return PngWithCorruptImageData(); }},
      {"png_huge_dimensions", [](const std::string&) { return PngWithSize(100000, 100000); }},
      {"png_huge_within_format", [](const std::string&) { return PngWithSize(0x7FFFFFFF, 0x7FFFFFFF); }},
      {"png_zero_width", [](const std::string&) { return PngWithSize(0, 582); }},
      {"bmp_truncated_rows", [](const std::string& bmp) { return bmp.substr(0, bmp.size() / 2); }},
      {"bmp_headers_only", [](const std::string& bmp) { return bmp.substr(0, 54); }},
      {"bmp_height_lies", [](const std::string& bmp) { std::string b = bmp; WriteLe32(b, 22, 5840); return b; }},
      {"bmp_width_lies", [](const std::string& bmp) { std::string b = bmp; WriteLe32(b, 18, 0x7FFFFFFF); return b; }},
      {"bmp_negative_width", [](const std::string& bmp) { std::string b = bmp; WriteLe32(b, 18, static_cast<uint32_t>(-328)); return b; }},
      {"bmp_most_negative_height", [](const std::string& bmp) { std::string b = bmp; WriteLe32(b, 22, 0x80000000u); return b; }},
      {"bmp_offset_beyond_file", [](const std::string& bmp) { std::string b = bmp; WriteLe32(b, 10, 0xFFFFFFF0u); return b; }},
      {"bmp_offset_inside_header", [](const std::string& bmp) { std::string b = bmp; WriteLe32(b, 10, 20); return b; }},
      {"bmp_claims_32_bits", [](const std::string& bmp) { std::string b = bmp; b[28] = 32; return b; }},
      {"bmp_claims_compression", [](const std::string& bmp) { std::string b = bmp; WriteLe32(b, 30, 1); return b; }},
  };
}

class BadPictureTest : public ReliabilityFixture, public ::testing::WithParamInterface<PictureCase> {
 protected:
  // Brings the hidden store of the last capture on screen, over the top-left of the window's
  // client area, so what it draws can be seen.
  RECT ShowStoreBox() {
    HWND box = Window(names::kPicBox2);
    App().RunOnUi([&] { SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE); });
    return ScreenRect(names::kPicBox2);
  }
  // Whether every sampled pixel of the box shows the button-face colour.
  bool ShowsOnlyBackground(const RECT& r) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = r.top; y < r.bottom; y += 7)
      for (int x = r.left; x < r.right; x += 5)
        if (Pixel(x, y) != face) return false;
    return true;
  }
};

TEST_P(BadPictureTest, IsKeptUnchangedAndShowsTheBackground) {
  Start();
  Preview();
  ImageBytes captured = ReadPicture(names::kPicBox2);
  ASSERT_EQ(captured.Size(), kCaptureSize);
  const std::string capture(reinterpret_cast<const char*>(captured.Data()), captured.Size());
  const RECT box = ShowStoreBox();
  ASSERT_FALSE(ShowsOnlyBackground(box)) << "the real capture should show its picture";

  const std::string bytes = GetParam().make(capture);
  ASSERT_NE(bytes, capture);
  WritePicture(names::kPicBox2, bytes);
  ImageBytes back = ReadPicture(names::kPicBox2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(back.Data()), back.Size()), bytes);
  EXPECT_TRUE(ShowsOnlyBackground(box));

  // Save writes the kept bytes as they are, whatever they hold.
  Save();
  EXPECT_EQ(ReadFileBytes(Root() + "/" + kDefaultFile), bytes);
  EXPECT_EQ(TreeAroundDrive(), FreshTreeWith({kDefaultFile}));
  CloseAndExpectNoLeak();
}

INSTANTIATE_TEST_SUITE_P(Cases, BadPictureTest, ::testing::ValuesIn(PictureCases()),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
