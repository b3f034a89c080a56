#include "ui/TransLabel.h"

#include <cstring>
#include <vector>

#include "app/SharedHeap.h"
#include "ui/WindowClass.h"

namespace {

// Appends the visible descendants of `parent`, walking its children from the top of the Z order
// down, each child after its own descendants.
void ListVisibleDescendants(HWND parent, std::vector<HWND>& out) {
  for (HWND child = GetTopWindow(parent); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    if (GetTopWindow(child)) ListVisibleDescendants(child, out);
    out.push_back(child);
  }
}

}  // namespace

TransLabel::TransLabel(const ControlDefinition& definition)
    : Control(definition), settings_(std::get<TransLabelSettings>(definition.settings)), text_(definition.text) {}

TransLabel::~TransLabel() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool TransLabel::Create(HWND parent) {
  const char* cls = RegisterControlClass("QuillmarkTransLabel", &TransLabel::WindowProc,
                                         static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
  if (!cls) return false;
  hwnd_ = CreateControlWindow(WS_EX_TRANSPARENT, cls, text_.c_str(), WS_CHILD | WS_CLIPSIBLINGS, definition_,
                              parent, this);
  return hwnd_ != nullptr;
}

char* TransLabel::ReadText() const {
  auto* copy = static_cast<char*>(AllocBlock(text_.size() + 1));
  std::memcpy(copy, text_.c_str(), text_.size() + 1);
  return copy;
}

void TransLabel::WriteText(const char* text) {
  text_ = text ? text : "";
  if (!hwnd_) return;
  SetWindowTextA(hwnd_, text_.c_str());
  RepaintLabelArea();
}

LRESULT CALLBACK TransLabel::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = ControlFromWindow<TransLabel>(hwnd, message, lParam);
  if (self && message == WM_PAINT) {
    self->Paint();
    return 0;
  }
  if (self && message == WM_MOVE) {
    LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
    self->RepaintLabelArea();
    return result;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void TransLabel::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT area;
  GetClientRect(hwnd_, &area);
  int length = GetWindowTextLengthA(hwnd_);
  if (length > 0) {
    std::vector<char> text(static_cast<size_t>(length) + 1);
    length = GetWindowTextA(hwnd_, text.data(), length + 1);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, settings_.textColour);
    DrawTextA(dc, text.data(), length, &area, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, oldFont);
  }
  EndPaint(hwnd_, &ps);
}

void TransLabel::RepaintLabelArea() {
  // The top-level window the label lives in.
  HWND top = hwnd_;
  while (!(GetWindowLongA(top, GWL_STYLE) & WS_POPUP) && GetParent(top)) top = GetParent(top);

  // The label's client area on the screen.
  RECT area;
  GetClientRect(hwnd_, &area);
  POINT corners[2] = {{area.left, area.top}, {area.right, area.bottom}};
  ClientToScreen(hwnd_, &corners[0]);
  ClientToScreen(hwnd_, &corners[1]);
  RECT screenArea{corners[0].x, corners[0].y, corners[1].x, corners[1].y};

  RECT inTop = screenArea;
  MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&inTop), 2);
  InvalidateRect(top, &inTop, TRUE);
  UpdateWindow(top);

  // Back to front: lower siblings before higher ones, a parent before its children.
  std::vector<HWND> windows;
  ListVisibleDescendants(top, windows);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    RECT windowRect, overlap;
    GetWindowRect(*it, &windowRect);
    if (!IntersectRect(&overlap, &windowRect, &screenArea)) continue;
    MapWindowPoints(nullptr, *it, reinterpret_cast<POINT*>(&overlap), 2);
    RedrawWindow(*it, &overlap, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW | RDW_UPDATENOW);
  }

  InvalidateRect(hwnd_, nullptr, FALSE);
}
