#include "ButtonFixture.h"

#include <map>

#include "controls/StandardClasses.h"

namespace quill::test {
namespace {

struct FixtureState {
  std::vector<Notice> notices;
  std::map<HWND, WNDPROC> subclassed;
  int setFocusDepth = 0;
  bool destroyOnClick = false;
  HBRUSH staticBrush = nullptr;
  HBRUSH buttonBrush = nullptr;
};

FixtureState& F() {
  static FixtureState state;
  return state;
}

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lParam);
      F().notices.push_back(Notice{from, LOWORD(wParam), HIWORD(wParam), F().setFocusDepth > 0});
      if (F().destroyOnClick && HIWORD(wParam) == BN_CLICKED) DestroyWindow(from);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), kStaticText);
      SetBkColor(reinterpret_cast<HDC>(wParam), kStaticBack);
      return reinterpret_cast<LRESULT>(F().staticBrush);
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(F().buttonBrush);
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK MarkSetFocus(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = F().subclassed[hwnd];
  if (msg != WM_SETFOCUS) return CallWindowProcA(original, hwnd, msg, wParam, lParam);
  ++F().setFocusDepth;
  LRESULT result = CallWindowProcA(original, hwnd, msg, wParam, lParam);
  --F().setFocusDepth;
  return result;
}

}  // namespace

std::vector<Notice>& Notices() { return F().notices; }
void DestroyOnClick(bool on) { F().destroyOnClick = on; }

void ButtonTest::SetUp() {
  LayerTest::SetUp();
  F() = FixtureState{};
  controls::EnsureStandardClasses();
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ParentProc;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = "ButtonParent";
  ASSERT_NE(RegisterClassExA(&wc), 0);
  F().staticBrush = CreateSolidBrush(kStaticBack);
  F().buttonBrush = CreateSolidBrush(kButtonBack);
  parent = CreateWindowExA(0, "ButtonParent", "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  other = Child(parent, 250, 150, 40, 40);
  PumpUntilIdle();
}

void ButtonTest::TearDown() {
  DeleteObject(F().staticBrush);
  DeleteObject(F().buttonBrush);
  LayerTest::TearDown();
}

HWND ButtonTest::Make(DWORD style, const char* text, int x, int y, int w, int h, int id, HWND in) {
  HWND hwnd = CreateWindowExA(0, WC_BUTTONA, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, in ? in : parent,
                              reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(hwnd, nullptr);
  if (!hwnd) return nullptr;
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  if ((style & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
    F().subclassed[hwnd] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MarkSetFocus)));
  PumpUntilIdle();
  return hwnd;
}

POINT ButtonTest::ScreenPoint(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  return p;
}

void ButtonTest::Click(HWND hwnd, int x, int y) {
  const POINT p = ScreenPoint(hwnd, x, y);
  driver->Click(p.x, p.y);
  PumpUntilIdle();
}

std::vector<Notice> ButtonTest::ClicksFrom(HWND from) const {
  std::vector<Notice> out;
  for (const Notice& n : F().notices)
    if (n.from == from && n.code == BN_CLICKED) out.push_back(n);
  return out;
}

std::vector<COLORREF> ButtonTest::Snapshot(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  std::vector<COLORREF> pixels;
  HDC hdc = GetDC(hwnd);
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) pixels.push_back(GetPixel(hdc, x, y));
  ReleaseDC(hwnd, hdc);
  return pixels;
}

COLORREF ButtonTest::Pixel(HWND hwnd, int x, int y) {
  HDC hdc = GetDC(hwnd);
  COLORREF c = GetPixel(hdc, x, y);
  ReleaseDC(hwnd, hdc);
  return c;
}

}  // namespace quill::test
