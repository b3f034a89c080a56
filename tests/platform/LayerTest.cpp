#include "LayerTest.h"

#include <map>

namespace quill::test {

namespace {

std::map<HWND, int>& Paints() {
  static std::map<HWND, int> paints;
  return paints;
}

std::map<HWND, COLORREF>& Colors() {
  static std::map<HWND, COLORREF> colors;
  return colors;
}

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MessageLog().push_back(Logged{hwnd, msg, wParam, lParam});
  if (msg == WM_PAINT) {
    ++Paints()[hwnd];
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    auto it = Colors().find(hwnd);
    if (it != Colors().end()) {
      HBRUSH brush = CreateSolidBrush(it->second);
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(hdc, &r, brush);
      DeleteObject(brush);
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

std::vector<Logged>& MessageLog() {
  static std::vector<Logged> log;
  return log;
}

std::vector<std::pair<HWND, UINT>> Sequence(const std::vector<UINT>& interesting) {
  std::vector<std::pair<HWND, UINT>> out;
  for (const Logged& l : MessageLog())
    for (UINT m : interesting)
      if (l.msg == m) out.emplace_back(l.hwnd, l.msg);
  return out;
}

int PaintCount(HWND hwnd) { return Paints()[hwnd]; }

void SetPaintColor(HWND hwnd, COLORREF color) { Colors()[hwnd] = color; }

void LayerTest::SetUp() {
  MessageLog().clear();
  Paints().clear();
  Colors().clear();
  auto d = std::make_unique<HeadlessDriver>();
  driver = d.get();
  SetDriver(std::move(d));
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = RecordingProc;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "Rec";
  ASSERT_NE(RegisterClassExA(&wc), 0);
}

void LayerTest::TearDown() { ResetLayer(); }

HWND LayerTest::TopLevel(DWORD style, int x, int y, int w, int h, DWORD exStyle, const char* title) {
  HWND hwnd = CreateWindowExA(exStyle, "Rec", title, style, x, y, w, h, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(hwnd, nullptr);
  return hwnd;
}

HWND LayerTest::Child(HWND parent, int x, int y, int w, int h, DWORD style, DWORD exStyle, int id) {
  HWND hwnd = CreateWindowExA(exStyle, "Rec", "", style, x, y, w, h, parent,
                              reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
  EXPECT_NE(hwnd, nullptr);
  return hwnd;
}

COLORREF LayerTest::WindowPixel(HWND top, int x, int y) { return driver->WindowPixel(top, x, y); }

}  // namespace quill::test
