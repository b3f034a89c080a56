#include "ui/RadioBox.h"

#include "app/Shell.h"
#include "ui/WindowClass.h"

RadioBox::RadioBox(const ControlDefinition& definition)
    : Control(definition), settings_(std::get<RadioBoxSettings>(definition.settings)) {}

RadioBox::~RadioBox() {
  if (hwnd_) DestroyWindow(hwnd_);
  if (background_) DeleteObject(background_);
}

bool RadioBox::Create(HWND parent) {
  DWORD style = WS_CHILD | BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER;
  if (settings_.multiLine) style |= BS_MULTILINE;
  if (definition_.tabStop) style |= WS_TABSTOP;
  hwnd_ = CreateWindowExA(0, WC_BUTTONA, definition_.text, style, definition_.left, definition_.top,
                          definition_.width, definition_.height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  platformProc_ = SubclassControl(hwnd_, this, &RadioBox::SubclassProc);
  background_ = CreateSolidBrush(ResolveColour(settings_.backColour));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SendMessageA(hwnd_, BM_SETCHECK, settings_.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

void RadioBox::OnNotify(WORD code) {
  if (code == BN_CLICKED && focusChanges_ == 0) RaiseEvent(this, EventKind::Click);
}

HBRUSH RadioBox::OnControlColour(HDC dc) {
  SetTextColor(dc, settings_.textColour);
  SetBkColor(dc, ResolveColour(settings_.backColour));
  return background_;
}

LRESULT CALLBACK RadioBox::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<RadioBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  WNDPROC platform = self->platformProc_;
  if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
    ++self->focusChanges_;
    LRESULT result = CallWindowProcA(platform, hwnd, message, wParam, lParam);
    --self->focusChanges_;
    return result;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(platform));
    self->hwnd_ = nullptr;
  }
  return CallWindowProcA(platform, hwnd, message, wParam, lParam);
}
