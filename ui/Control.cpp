#include "ui/Control.h"

#include <cstring>

#include "app/SharedHeap.h"
#include "ui/Button.h"
#include "ui/EditBox.h"
#include "ui/Label.h"
#include "ui/PicBox.h"
#include "ui/RadioBox.h"
#include "ui/TransLabel.h"

char* Control::ReadText() const {
  int length = hwnd_ ? GetWindowTextLengthA(hwnd_) : 0;
  auto* text = static_cast<char*>(AllocBlock(static_cast<size_t>(length) + 1));
  text[0] = '\0';
  if (length > 0) GetWindowTextA(hwnd_, text, length + 1);
  return text;
}

void Control::WriteText(const char* text) {
  if (hwnd_) SetWindowTextA(hwnd_, text ? text : "");
}

std::unique_ptr<Control> MakeControl(const ControlDefinition& definition) {
  switch (definition.kind) {
    case ControlKind::Label: return std::make_unique<Label>(definition);
    case ControlKind::EditBox: return std::make_unique<EditBox>(definition);
    case ControlKind::PicBox: return std::make_unique<PicBox>(definition);
    case ControlKind::Button: return std::make_unique<Button>(definition);
    case ControlKind::RadioBox: return std::make_unique<RadioBox>(definition);
    case ControlKind::TransLabel: return std::make_unique<TransLabel>(definition);
  }
  return nullptr;
}

COLORREF ResolveColour(COLORREF colour) {
  return colour == kButtonFaceColour ? GetSysColor(COLOR_BTNFACE) : colour;
}
