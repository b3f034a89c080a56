#include "ui/EditBox.h"

#include "ui/WindowClass.h"

EditBox::EditBox(const ControlDefinition& definition)
    : Control(definition), settings_(std::get<EditBoxSettings>(definition.settings)) {}

EditBox::~EditBox() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (background_) DeleteObject(background_);
}

bool EditBox::Create(HWND parent) {
  // Left aligned, scrolling sideways with the caret, selection hidden without the focus.
  DWORD style = WS_CHILD | ES_LEFT | ES_AUTOHSCROLL;
  if (definition_.tabStop) style |= WS_TABSTOP;
  if (!settings_.hideSelection) style |= ES_NOHIDESEL;
  DWORD exStyle = settings_.sunkenBorder ? WS_EX_CLIENTEDGE : 0;
  hwnd_ = CreateWindowExA(exStyle, WC_EDITA, definition_.text, style, definition_.left, definition_.top,
                          definition_.width, definition_.height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  platformProc_ = SubclassControl(hwnd_, this, &EditBox::SubclassProc);

  background_ = CreateSolidBrush(settings_.backColour);
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SetMaxLength(settings_.maxLength);
  SendMessageA(hwnd_, EM_SETSEL, 0, 0);
  SendMessageA(hwnd_, EM_SCROLLCARET, 0, 0);

  // A single-line box is at least as tall as its text plus the sunken edge above and below.
  HDC dc = GetDC(hwnd_);
  HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE extent{0, 0};
  GetTextExtentPoint32A(dc, "\xCE\xE2" /* 吴 */, 2, &extent);
  SelectObject(dc, oldFont);
  ReleaseDC(hwnd_, dc);
  int minimum = extent.cy + 2 * GetSystemMetrics(SM_CYEDGE);
  if (definition_.height < minimum)
    SetWindowPos(hwnd_, nullptr, 0, 0, definition_.width, minimum, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void EditBox::SetMaxLength(int32_t length) {
  maxLength_ = length < 0 ? 0 : length;
  if (hwnd_) SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

HBRUSH EditBox::OnControlColour(HDC dc) {
  SetTextColor(dc, settings_.textColour);
  SetBkColor(dc, settings_.backColour);
  return background_;
}

bool EditBox::AcceptsTypedChar(InputMode mode, unsigned code) {
  if (mode == InputMode::Normal || code < 32) return true;
  return code == '-' || code == '.' || (code >= '0' && code <= '9');
}

LRESULT CALLBACK EditBox::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<EditBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  // Characters the mode refuses are dropped silently, before the edit control sees them.
  if (message == WM_CHAR && !AcceptsTypedChar(self->settings_.inputMode, static_cast<unsigned>(wParam & 0xFF)))
    return 0;
  WNDPROC platform = self->platformProc_;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platform));
    self->hwnd_ = nullptr;
  }
  return CallWindowProcA(platform, hwnd, message, wParam, lParam);
}
