#include "ui/Button.h"

#include "app/Shell.h"

Button::~Button() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool Button::Create(HWND parent) {
  const auto& settings = std::get<ButtonSettings>(definition_.settings);
  DWORD style = WS_CHILD | (settings.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  if (settings.multiLine) style |= BS_MULTILINE;
  if (definition_.tabStop) style |= WS_TABSTOP;
  hwnd_ = CreateWindowExA(0, WC_BUTTONA, definition_.text, style, definition_.left, definition_.top,
                          definition_.width, definition_.height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return true;
}

void Button::OnNotify(WORD code) {
  if (code == BN_CLICKED) RaiseEvent(this, EventKind::Click);
}
