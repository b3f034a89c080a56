// A fresh headless desktop with one frameless parent window and one edit control in it. The
// parent records the edit's notifications and answers WM_CTLCOLOREDIT with colours a test chooses.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/EditControl.h"
#include "quill/headless.h"
#include "quill/layer.h"

namespace quill::test {

class EditFixture : public ::testing::Test {
 protected:
  static constexpr int kEditId = 7;
  static constexpr int kEditX = 10, kEditY = 10, kEditW = 100, kEditH = 24;

  struct Colours {
    bool answer = true;  // false: the parent leaves WM_CTLCOLOREDIT to DefWindowProcA
    COLORREF text = RGB(0, 0, 160);
    COLORREF back = RGB(255, 255, 200);
  };

  void SetUp() override {
    Notifications().clear();
    Answer() = Colours{};
    auto owned = std::make_unique<HeadlessDriver>();
    driver = owned.get();
    SetDriver(std::move(owned));
    ASSERT_TRUE(controls::RegisterEditClass());
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ParentProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "EditParent";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    parent = CreateWindowExA(0, "EditParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    edit = MakeEdit(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, "");
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    PumpUntilIdle();
    Notifications().clear();
  }

  void TearDown() override {
    if (brush_) DeleteObject(brush_);
    brush_ = nullptr;
    ResetLayer();
  }

  HWND MakeEdit(DWORD style, const char* text, int x = kEditX, int width = kEditW, int id = kEditId) {
    HWND hwnd = CreateWindowExA(WS_EX_CLIENTEDGE, WC_EDITA, text, style, x, kEditY, width, kEditH, parent,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleA(nullptr),
                                nullptr);
    if (hwnd) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return hwnd;
  }

  std::string Text(HWND hwnd = nullptr) {
    hwnd = hwnd ? hwnd : edit;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
  }
  std::pair<DWORD, DWORD> Selection() {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  void Select(int start, int end) { SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), end); }
  void Limit(size_t bytes) { SendMessageA(edit, EM_LIMITTEXT, bytes, 0); }

  // A point of the edit's client area in screen coordinates.
  POINT Screen(int clientX, int clientY) {
    POINT p{clientX, clientY};
    ClientToScreen(edit, &p);
    return p;
  }
  void ClickAt(int clientX, unsigned modifiers = 0) {
    POINT p = Screen(clientX, kEditH / 2 - 2);
    if (modifiers & kShift) driver->KeyDown(VK_SHIFT);
    driver->Click(p.x, p.y);
    if (modifiers & kShift) driver->KeyUp(VK_SHIFT);
    PumpUntilIdle();
    driver->AdvanceTime(1000);  // the next click is a click of its own, not the second of a double click
    PumpUntilIdle();
  }

  // The colour of a pixel of the edit's client area, as presented.
  COLORREF Pixel(int clientX, int clientY) {
    POINT p = Screen(clientX, clientY);
    return driver->WindowPixel(parent, p.x, p.y);
  }
  int ClientHeight() {
    RECT r;
    GetClientRect(edit, &r);
    return r.bottom;
  }
  // How wide `text` is in the default GUI font.
  int TextWidth(const std::string& text) {
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    return size.cx;
  }
  // Whether client column x is drawn in `colour` over the middle third of the client height.
  bool ColumnIs(int x, COLORREF colour) {
    const int h = ClientHeight();
    for (int y = h / 3; y < 2 * h / 3; ++y)
      if (Pixel(x, y) != colour) return false;
    return true;
  }
  // Client columns drawn entirely in `colour` over the middle third of the client height: the caret
  // (glyph strokes never cover that much of the line).
  std::vector<int> SolidColumns(COLORREF colour) {
    std::vector<int> columns;
    RECT r;
    GetClientRect(edit, &r);
    for (int x = 0; x < r.right; ++x)
      if (ColumnIs(x, colour)) columns.push_back(x);
    return columns;
  }

  // Notification codes the parent received from the edit, in order.
  static std::vector<WORD>& Notifications() {
    static std::vector<WORD> codes;
    return codes;
  }
  static size_t Count(WORD code) {
    return static_cast<size_t>(std::count(Notifications().begin(), Notifications().end(), code));
  }
  static Colours& Answer() {
    static Colours colours;
    return colours;
  }

  HeadlessDriver* driver = nullptr;
  HWND parent = nullptr;
  HWND edit = nullptr;

 private:
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_COMMAND:
        if (LOWORD(wParam) == kEditId && lParam) Notifications().push_back(HIWORD(wParam));
        return 0;
      case WM_CTLCOLOREDIT:
        if (Answer().answer) {
          HDC dc = reinterpret_cast<HDC>(wParam);
          SetTextColor(dc, Answer().text);
          SetBkColor(dc, Answer().back);
          if (!brush_) brush_ = CreateSolidBrush(Answer().back);
          return reinterpret_cast<LRESULT>(brush_);
        }
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  static inline HBRUSH brush_ = nullptr;
};

}  // namespace quill::test
