// A radio box: the platform's automatic radio button. Every click it reports raises the click
// event, except one sent while the box is gaining or losing the keyboard focus (the platform
// checks an unchecked radio button that gets the focus, and says so, but nobody clicked it).
#pragma once

#include "ui/Control.h"

class RadioBox : public Control {
 public:
  explicit RadioBox(const ControlDefinition& definition);
  ~RadioBox() override;
  bool Create(HWND parent) override;
  bool CanTakeFocus() const override { return true; }
  bool IsRadioBox() const override { return true; }
  void OnNotify(WORD code) override;
  HBRUSH OnControlColour(HDC dc) override;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  const RadioBoxSettings& settings_;
  HBRUSH background_ = nullptr;
  WNDPROC platformProc_ = nullptr;
  int focusChanges_ = 0;  // > 0 while the platform handles the focus arriving or leaving
};
