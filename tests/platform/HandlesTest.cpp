// Stale, foreign and null handles fail cleanly; nothing stays alive after windows go.
#include <png.h>

#include "LayerTest.h"

namespace quill::test {
namespace {

class Handles : public LayerTest {};

TEST_F(Handles, StaleAndForeignHandlesFailWithThePlatformResult) {
  HWND top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  HDC windowDc = GetDC(top);
  HDC released = GetDC(top);
  ReleaseDC(top, released);
  HBRUSH brush = CreateSolidBrush(RGB(1, 1, 1));
  HBRUSH deleted = CreateSolidBrush(RGB(2, 2, 2));
  DeleteObject(deleted);
  HWND gone = TopLevel(WS_POPUP, 0, 0, 10, 10);
  DestroyWindow(gone);
  RECT r{0, 0, 5, 5};
  PAINTSTRUCT ps{};

  // A destroyed window.
  EXPECT_FALSE(IsWindow(gone));
  EXPECT_FALSE(GetWindowRect(gone, &r));
  EXPECT_EQ(SendMessageA(gone, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessageA(gone, WM_USER, 0, 0));
  EXPECT_FALSE(SetWindowTextA(gone, "x"));
  EXPECT_EQ(GetDC(gone), nullptr);
  EXPECT_EQ(BeginPaint(gone, &ps), nullptr);
  EXPECT_FALSE(ShowWindow(gone, SW_SHOW));
  EXPECT_FALSE(DestroyWindow(gone));
  EXPECT_EQ(SetFocus(gone), nullptr);
  // A released DC.
  EXPECT_EQ(FillRect(released, &r, brush), 0);
  EXPECT_FALSE(BitBlt(released, 0, 0, 1, 1, windowDc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(windowDc, 0, 0, 1, 1, released, 0, 0, SRCCOPY));
  EXPECT_EQ(ReleaseDC(top, released), 0);
  EXPECT_EQ(SelectObject(released, brush), nullptr);
  EXPECT_EQ(GetPixel(released, 0, 0), CLR_INVALID);
  // A deleted object.
  EXPECT_EQ(SelectObject(windowDc, deleted), nullptr);
  EXPECT_FALSE(DeleteObject(deleted));
  EXPECT_EQ(GetObjectType(deleted), 0u);
  EXPECT_EQ(FillRect(windowDc, &r, deleted), 0);
  // Handles of the wrong kind, and null ones.
  EXPECT_FALSE(IsWindow(reinterpret_cast<HWND>(windowDc)));
  EXPECT_EQ(GetObjectA(windowDc, 0, nullptr), 0);
  EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(brush)));
  EXPECT_EQ(SelectObject(windowDc, top), nullptr);
  EXPECT_EQ(GetWindowLongPtrA(nullptr, GWL_STYLE), 0);
  EXPECT_EQ(GetDIBits(windowDc, reinterpret_cast<HBITMAP>(brush), 0, 1, nullptr, nullptr, 0), 0);
  EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(brush)));
  // Paired calls used the wrong way round fail instead of freeing the wrong thing.
  EXPECT_FALSE(DeleteDC(windowDc));
  EXPECT_FALSE(EndPaint(top, &ps));

  ReleaseDC(top, windowDc);
  DeleteObject(brush);
}

TEST_F(Handles, StockAndSelectedObjectsAreNotDeleted) {
  HGDIOBJ white = GetStockObject(WHITE_BRUSH);
  EXPECT_TRUE(DeleteObject(white));
  EXPECT_EQ(GetObjectType(white), static_cast<DWORD>(OBJ_BRUSH));  // still there
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(mem, 4, 4);
  HGDIOBJ old = SelectObject(mem, bm);
  EXPECT_FALSE(DeleteObject(bm));
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(other, bm), nullptr);  // a bitmap lives in one DC at a time
  EXPECT_EQ(SelectObject(mem, old), bm);
  EXPECT_TRUE(DeleteObject(bm));
  DeleteDC(other);
  DeleteDC(mem);
  EXPECT_EQ(CountLiveObjects().gdiObjects, 0u);
}

TEST_F(Handles, NothingStaysAliveAfterTheWindowsAreDestroyed) {
  HWND top = TopLevel(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
  HWND child = Child(top, 0, 0, 20, 20);
  SetPaintColor(child, RGB(9, 9, 9));
  PumpUntilIdle();
  HDC kept = GetWindowDC(child);  // never released: it goes with its window
  HDC leftInPaint = nullptr;
  PAINTSTRUCT ps;
  InvalidateRect(top, nullptr, FALSE);
  leftInPaint = BeginPaint(top, &ps);
  LiveObjects during = CountLiveObjects();
  EXPECT_EQ(during.windows, 2u);
  EXPECT_EQ(during.dcs, 2u);
  DestroyWindow(top);
  PumpUntilIdle();
  LiveObjects after = CountLiveObjects();
  EXPECT_EQ(after.windows, 0u);
  EXPECT_EQ(after.dcs, 0u);
  EXPECT_EQ(after.gdiObjects, 0u);
  EXPECT_EQ(after.icons, 0u);
  EXPECT_EQ(FillRect(kept, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOW)), 0);
  EXPECT_FALSE(EndPaint(top, &ps));
  (void)leftInPaint;
}

TEST_F(Handles, IconsFromPngAreScaledAndCounted) {
  // A 2 x 2 PNG would do for decoding; the program's icon is 48 x 48, so make one of that size.
  std::vector<uint32_t> rgba(48 * 48, 0xFF0000FFu);  // opaque red (R first in memory)
  std::vector<uint8_t> png;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = image.height = 48;
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  ASSERT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr));
  png.resize(size);
  ASSERT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, rgba.data(), 0, nullptr));
  HICON big = CreateIconFromResourceEx(png.data(), static_cast<DWORD>(png.size()), TRUE, 0x30000, 32, 32, 0);
  HICON small = CreateIconFromResourceEx(png.data(), static_cast<DWORD>(png.size()), TRUE, 0x30000, 16, 16, 0);
  ASSERT_NE(big, nullptr);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(CountLiveObjects().icons, 2u);
  HWND top = TopLevel(WS_POPUP | WS_VISIBLE, 0, 0, 40, 40);
  SendMessageA(top, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  EXPECT_EQ(SendMessageA(top, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big));
  EXPECT_EQ(driver->TopLevel(top).iconSize, 32);
  HDC hdc = GetDC(top);
  EXPECT_TRUE(DrawIconEx(hdc, 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetPixel(hdc, 15, 15), RGB(255, 0, 0));
  ReleaseDC(top, hdc);
  EXPECT_TRUE(DestroyIcon(big));
  EXPECT_TRUE(DestroyIcon(small));
  EXPECT_FALSE(DestroyIcon(small));
  const uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_EQ(CreateIconFromResourceEx(const_cast<uint8_t*>(junk), sizeof junk, TRUE, 0x30000, 16, 16, 0), nullptr);
}

}  // namespace
}  // namespace quill::test
