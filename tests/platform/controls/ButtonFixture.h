// Shared fixture of the BUTTON tests: a fresh headless desktop with a popup parent at (100, 100)
// that records every notification it gets (and whether it came from inside a radio button's
// WM_SETFOCUS), answers WM_CTLCOLORSTATIC / WM_CTLCOLORBTN with brushes of its own, and helpers
// to make buttons, click them by screen point and read their pixels.
#pragma once

#include <windows.h>

#include <vector>

#include "../LayerTest.h"

namespace quill::test {

struct Notice {
  HWND from;
  WORD id;
  WORD code;
  bool duringSetFocus;  // sent while the sender was handling WM_SETFOCUS
};

constexpr COLORREF kStaticBack = RGB(255, 255, 200);  // the parent's WM_CTLCOLORSTATIC brush
constexpr COLORREF kStaticText = RGB(0, 0, 128);      // and text colour
constexpr COLORREF kButtonBack = RGB(255, 0, 255);    // the parent's WM_CTLCOLORBTN brush

class ButtonTest : public LayerTest {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:  // the helpers are used from the tables of cases too

  // A visible BUTTON child of the parent (or of `parent`), with the default GUI font. Radio
  // buttons get a subclass that marks their WM_SETFOCUS, as the program's radio boxes wrap it.
  HWND Make(DWORD style, const char* text, int x, int y, int w, int h, int id, HWND parent = nullptr);

  POINT ScreenPoint(HWND hwnd, int x, int y);
  void Click(HWND hwnd, int x = 5, int y = 5);
  // BN_CLICKED notices sent by `from`.
  std::vector<Notice> ClicksFrom(HWND from) const;
  bool Checked(HWND hwnd) { return SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // The client area's pixels as drawn (read through a DC of the button).
  std::vector<COLORREF> Snapshot(HWND hwnd);
  COLORREF Pixel(HWND hwnd, int x, int y);

  HWND parent = nullptr;
  HWND other = nullptr;  // a plain focusable child, somewhere to move the focus away to
};

// Every WM_COMMAND the parent got, in order.
std::vector<Notice>& Notices();
// When set, the parent destroys a button from inside that button's BN_CLICKED.
void DestroyOnClick(bool on);

}  // namespace quill::test
