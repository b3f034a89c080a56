#include "ui/Label.h"

#include "ui/WindowClass.h"

Label::Label(const ControlDefinition& definition)
    : Control(definition), settings_(std::get<LabelSettings>(definition.settings)) {}

Label::~Label() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (background_) DeleteObject(background_);
}

bool Label::Create(HWND parent) {
  const char* cls = RegisterControlClass("QuillmarkLabel", &Label::WindowProc, nullptr);
  if (!cls) return false;
  background_ = CreateSolidBrush(ResolveColour(settings_.backColour));
  hwnd_ = CreateControlWindow(0, cls, definition_.text, WS_CHILD | WS_CLIPSIBLINGS, definition_, parent, this);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK Label::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = ControlFromWindow<Label>(hwnd, message, lParam);
  if (self && message == WM_PAINT) {
    self->Paint();
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;  // the paint fills every pixel
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void Label::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT area;
  GetClientRect(hwnd_, &area);
  FillRect(dc, &area, background_);

  char text[512];
  int length = GetWindowTextA(hwnd_, text, sizeof text);
  if (length > 0) {
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, settings_.textColour);
    UINT format = DT_SINGLELINE | DT_NOCLIP;
    format |= settings_.align == HorizontalAlign::Centre ? DT_CENTER
              : settings_.align == HorizontalAlign::Right ? DT_RIGHT
                                                          : DT_LEFT;
    format |= settings_.valign == VerticalAlign::Centre ? DT_VCENTER
              : settings_.valign == VerticalAlign::Bottom ? DT_BOTTOM
                                                          : DT_TOP;
    DrawTextA(dc, text, length, &area, format);
    SelectObject(dc, oldFont);
  }
  EndPaint(hwnd_, &ps);
}
