#include "capture/CaptureWindowImage.h"

#include <cstring>
#include <vector>

#include "app/SharedHeap.h"
#include "capture/BmpFromPackedDib.h"
#include "capture/BmpLayout.h"

namespace {

// The palette to read back through: the system palette's first 255 entries on a palette display,
// the platform's default palette otherwise. `owned` tells whether the caller must delete it.
HPALETTE ChoosePalette(HDC screen, bool* owned) {
  *owned = false;
  if (!(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE))
    return static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  std::vector<uint8_t> storage(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(GetSystemPaletteEntries(screen, 0, 255, palette->palPalEntry));
  HPALETTE made = CreatePalette(palette);
  *owned = made != nullptr;
  return made ? made : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

}  // namespace

ImageBytes CaptureWindowImage(HWND window) {
  // 1. The source: the window's whole-window device context, the size of its window rectangle.
  if (!IsWindow(window)) return ImageBytes();
  RECT bounds;
  if (!GetWindowRect(window, &bounds)) return ImageBytes();
  int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return ImageBytes();
  HDC source = GetWindowDC(window);
  if (!source) return ImageBytes();

  // 2. An off-screen copy of the pixels the window system holds for it now.
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(source, width, height) : nullptr;
  if (bitmap) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
  }

  ImageBytes image;
  HDC screen = bitmap ? GetDC(nullptr) : nullptr;
  if (screen) {
    // 3. The palette.
    bool ownPalette = false;
    HPALETTE palette = ChoosePalette(screen, &ownPalette);

    // 4. Read the rows back as 24-bit bottom-up RGB behind a 40-byte header.
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    HPALETTE previousPalette = SelectPalette(screen, palette, FALSE);
    RealizePalette(screen);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), nullptr,
              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    size_t imageSize = header.biSizeImage;
    if (imageSize == 0)
      imageSize = static_cast<size_t>(bmp::RowStride24(info.bmWidth)) * static_cast<size_t>(info.bmHeight);
    auto* block = static_cast<uint8_t*>(TryAllocBlock(sizeof header + imageSize));
    int rows = 0;
    if (block) {
      std::memcpy(block, &header, sizeof header);
      rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), block + sizeof header,
                       reinterpret_cast<BITMAPINFO*>(block), DIB_RGB_COLORS);
    }
    SelectPalette(screen, previousPalette, FALSE);

    // 5. Serialise.
    if (block && rows > 0) image = BmpFromPackedDib(block, sizeof header + imageSize);
    FreeBlock(block);
    if (ownPalette) DeleteObject(palette);
    ReleaseDC(nullptr, screen);
  }

  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  ReleaseDC(window, source);
  // 6.
  return image;
}
