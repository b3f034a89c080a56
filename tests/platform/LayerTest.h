// Shared fixture of the layer's tests: a fresh headless desktop per test, a window class whose
// procedure records the messages it gets and paints its client area in a colour of its own, and
// small helpers to build window trees.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "quill/headless.h"
#include "quill/layer.h"

namespace quill::test {

struct Logged {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// Everything the recording class saw, in order. Cleared by the fixture.
std::vector<Logged>& MessageLog();
// Messages of the log restricted to `interesting`, as (window, message) pairs.
std::vector<std::pair<HWND, UINT>> Sequence(const std::vector<UINT>& interesting);
int PaintCount(HWND hwnd);

// The recording class ("Rec"): logs every message, counts WM_PAINT, and paints the client area
// with the colour set by SetPaintColor (nothing when none is set). Class brush: none.
void SetPaintColor(HWND hwnd, COLORREF color);

class LayerTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND TopLevel(DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, int x = 100,
                int y = 100, int w = 300, int h = 200, DWORD exStyle = 0, const char* title = "Top");
  HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE,
             DWORD exStyle = 0, int id = 0);
  // The colour at a window-relative point as the window's own surface was last presented.
  COLORREF WindowPixel(HWND top, int x, int y);
  COLORREF ScreenPixel(int x, int y) { return driver->ScreenPixel(x, y); }

  HeadlessDriver* driver = nullptr;
};

}  // namespace quill::test
