// An entry box: the platform's single-line edit control with the box's colours, sunken edge and
// maximum length. In the decimal-text input mode only "-", "." and digits are let through among
// the typed printable characters.
#pragma once

#include "ui/Control.h"

class EditBox : public Control {
 public:
  explicit EditBox(const ControlDefinition& definition);
  ~EditBox() override;
  bool Create(HWND parent) override;
  bool CanTakeFocus() const override { return true; }
  HBRUSH OnControlColour(HDC dc) override;

  // Stores the maximum length (a negative value as 0) and hands it to the edit control.
  // Repaints nothing and reports nothing.
  void SetMaxLength(int32_t length);
  int32_t MaxLength() const { return maxLength_; }

  // Whether a typed character code reaches the edit control in the box's input mode.
  static bool AcceptsTypedChar(InputMode mode, unsigned code);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  const EditBoxSettings& settings_;
  int32_t maxLength_ = 0;
  HBRUSH background_ = nullptr;
  WNDPROC platformProc_ = nullptr;
};
