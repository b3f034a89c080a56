// A caption: fills its area with its background colour and draws its text on one line, left
// aligned and vertically centred, cut at its edge.
#pragma once

#include "ui/Control.h"

class Label : public Control {
 public:
  explicit Label(const ControlDefinition& definition);
  ~Label() override;
  bool Create(HWND parent) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  const LabelSettings& settings_;
  HBRUSH background_ = nullptr;
};
