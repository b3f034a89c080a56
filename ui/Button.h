// A push button: the platform's button control; each click it reports raises the click event.
#pragma once

#include "ui/Control.h"

class Button : public Control {
 public:
  explicit Button(const ControlDefinition& definition) : Control(definition) {}
  ~Button() override;
  bool Create(HWND parent) override;
  bool CanTakeFocus() const override { return true; }
  void OnNotify(WORD code) override;
};
