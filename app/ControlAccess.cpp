#include "app/ControlAccess.h"

#include "app/SharedHeap.h"
#include "app/Shell.h"
#include "ui/EditBox.h"
#include "ui/PicBox.h"

char* ReadControlText(const char* name) {
  if (Control* control = FindControl(name)) return control->ReadText();
  auto* empty = static_cast<char*>(AllocBlock(1));
  empty[0] = '\0';
  return empty;
}

void WriteControlText(const char* name, const char* text) {
  if (Control* control = FindControl(name)) control->WriteText(text);
}

HWND ControlWindow(const char* name) {
  Control* control = FindControl(name);
  return control ? control->Window() : nullptr;
}

HWND MainWindowHandle() { return Shell().main.window; }

ImageBytes ReadPicture(const char* name) {
  if (auto* box = dynamic_cast<PicBox*>(FindControl(name))) return box->ReadPicture();
  return ImageBytes();
}

void WritePicture(const char* name, const ImageBytes& picture) {
  if (auto* box = dynamic_cast<PicBox*>(FindControl(name))) box->WritePicture(picture);
}

void WriteMaxLength(const char* name, int32_t length) {
  if (auto* box = dynamic_cast<EditBox*>(FindControl(name))) box->SetMaxLength(length);
}

void RefreshWindow(HWND window) { UpdateWindow(window); }
