// Bitmaps, blits and device-independent rows.
#include <cstring>

#include "LayerTest.h"

namespace quill::test {
namespace {

class Gdi : public LayerTest {};

COLORREF Pattern(int x, int y) { return RGB((x * 37 + y) & 0xFF, (y * 11) & 0xFF, (x ^ y) & 0xFF); }

TEST_F(Gdi, BitBltThenGetDIBitsGivesBottomUp24BitRowsWithZeroPads) {
  for (int width : {1, 5, 328}) {
    const int height = 3;
    HDC screen = GetDC(nullptr);
    HDC a = CreateCompatibleDC(screen), b = CreateCompatibleDC(screen);
    HBITMAP src = CreateCompatibleBitmap(screen, width, height);
    HBITMAP dst = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldA = SelectObject(a, src), oldB = SelectObject(b, dst);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) SetPixel(a, x, y, Pattern(x, y));
    ASSERT_TRUE(BitBlt(b, 0, 0, width, height, a, 0, 0, SRCCOPY));
    SelectObject(b, oldB);  // the bitmap is read back out of any DC

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    ASSERT_NE(GetDIBits(screen, dst, 0, height, nullptr, &info, DIB_RGB_COLORS), 0);
    const size_t stride = ((24 * width + 31) / 32) * 4;
    EXPECT_EQ(info.bmiHeader.biSizeImage, stride * height) << width;
    std::vector<uint8_t> bits(stride * height, 0xAB);
    ASSERT_EQ(GetDIBits(screen, dst, 0, height, bits.data(), &info, DIB_RGB_COLORS), height);
    for (int row = 0; row < height; ++row) {
      const uint8_t* p = bits.data() + stride * row;
      int y = height - 1 - row;  // the first row stored is the bottom row
      for (int x = 0; x < width; ++x) {
        COLORREF c = Pattern(x, y);
        ASSERT_EQ(p[x * 3], GetBValue(c)) << width << " " << x << "," << y;
        ASSERT_EQ(p[x * 3 + 1], GetGValue(c));
        ASSERT_EQ(p[x * 3 + 2], GetRValue(c));
      }
      for (size_t pad = width * 3; pad < stride; ++pad) EXPECT_EQ(p[pad], 0) << width;
    }
    SelectObject(a, oldA);
    DeleteObject(src);
    DeleteObject(dst);
    DeleteDC(a);
    DeleteDC(b);
    ReleaseDC(nullptr, screen);
  }
  EXPECT_EQ(CountLiveObjects().gdiObjects, 0u);
  EXPECT_EQ(CountLiveObjects().dcs, 0u);
}

TEST_F(Gdi, CreateDIBitmapReadsBottomUp24AndTopDown32Rows) {
  // 2 x 2 image: top row red, green; bottom row blue, white.
  const uint8_t bottomUp24[] = {255, 0, 0, 255, 255, 255, 0, 0,   // bottom row + 2 pad bytes
                                0, 0, 255, 0, 255, 0, 0, 0};      // top row + 2 pad bytes
  const uint8_t topDown32[] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
  struct Case {
    const void* bits;
    WORD bitCount;
    LONG height;
  } cases[] = {{bottomUp24, 24, 2}, {topDown32, 32, -2}};
  HDC screen = GetDC(nullptr);
  for (const Case& c : cases) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 2, c.height, 1, c.bitCount, BI_RGB, 0, 0, 0, 0, 0};
    HBITMAP bm = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, c.bits, &info, DIB_RGB_COLORS);
    ASSERT_NE(bm, nullptr);
    BITMAP desc;
    ASSERT_EQ(GetObjectA(bm, sizeof desc, &desc), static_cast<int>(sizeof desc));
    EXPECT_EQ(desc.bmWidth, 2);
    EXPECT_EQ(desc.bmHeight, 2);
    EXPECT_EQ(desc.bmBitsPixel, 32);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bm);
    EXPECT_EQ(GetPixel(mem, 0, 0), RGB(255, 0, 0)) << c.bitCount;
    EXPECT_EQ(GetPixel(mem, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(mem, 0, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(mem, 1, 1), RGB(255, 255, 255));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bm);
  }
  ReleaseDC(nullptr, screen);
}

TEST_F(Gdi, StretchBltModes) {
  HDC screen = GetDC(nullptr);
  HDC src = CreateCompatibleDC(screen), dst = CreateCompatibleDC(screen);
  HBITMAP s = CreateCompatibleBitmap(screen, 4, 2), d = CreateCompatibleBitmap(screen, 4, 2);
  SelectObject(src, s);
  SelectObject(dst, d);
  // Columns: black, white, 100, 200 in both rows.
  const int v[4] = {0, 255, 100, 200};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) SetPixel(src, x, y, RGB(v[x], v[x], v[x]));
  SetStretchBltMode(dst, HALFTONE);
  ASSERT_TRUE(StretchBlt(dst, 0, 0, 4, 2, src, 0, 0, 4, 2, SRCCOPY));  // 1:1 is an exact copy
  for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(dst, x, 1), RGB(v[x], v[x], v[x]));
  ASSERT_TRUE(StretchBlt(dst, 0, 0, 2, 1, src, 0, 0, 4, 2, SRCCOPY));  // area average
  EXPECT_EQ(GetPixel(dst, 0, 0), RGB(128, 128, 128));
  EXPECT_EQ(GetPixel(dst, 1, 0), RGB(150, 150, 150));
  EXPECT_EQ(GetStretchBltMode(dst), HALFTONE);
  SetStretchBltMode(dst, COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(dst, 0, 0, 2, 1, src, 0, 0, 4, 2, SRCCOPY));  // nearest sample
  EXPECT_EQ(GetPixel(dst, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dst, 1, 0), RGB(200, 200, 200));
  // Pattern operations.
  SelectObject(dst, CreateSolidBrush(RGB(1, 2, 3)));
  PatBlt(dst, 0, 0, 1, 1, PATCOPY);
  EXPECT_EQ(GetPixel(dst, 0, 0), RGB(1, 2, 3));
  PatBlt(dst, 0, 0, 1, 1, DSTINVERT);
  EXPECT_EQ(GetPixel(dst, 0, 0), RGB(254, 253, 252));
  PatBlt(dst, 0, 0, 1, 1, BLACKNESS);
  EXPECT_EQ(GetPixel(dst, 0, 0), RGB(0, 0, 0));
  DeleteObject(SelectObject(dst, GetStockObject(WHITE_BRUSH)));
  ReleaseDC(nullptr, screen);
}

TEST_F(Gdi, TrueColourDisplayAndPalettes) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1024);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(screen, NUMCOLORS), -1);
  PALETTEENTRY entries[255];
  EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 255, entries), 0u);
  HPALETTE def = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  HPALETTE old = SelectPalette(screen, def, FALSE);
  EXPECT_NE(old, nullptr);
  RealizePalette(screen);
  SelectPalette(screen, old, FALSE);
  struct {
    LOGPALETTE head;
    PALETTEENTRY more[1];
  } lp{{0x300, 2, {{1, 2, 3, 0}}}, {{4, 5, 6, 0}}};
  HPALETTE pal = CreatePalette(&lp.head);
  ASSERT_NE(pal, nullptr);
  EXPECT_EQ(GetObjectType(pal), static_cast<DWORD>(OBJ_PAL));
  EXPECT_TRUE(DeleteObject(pal));
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
  EXPECT_EQ(mode.dmBitsPerPel, 32u);
  EXPECT_EQ(mode.dmPelsWidth, 1024u);
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace quill::test
