// A transparent overlay label: draws only its text, in its stored colour, over whatever its parent
// drew beneath it. A text write repaints the parent's picture under the label and every label
// reaching into that area before it returns, so a capture taken right afterwards holds the text.
#pragma once

#include <string>

#include "ui/Control.h"

class TransLabel : public Control {
 public:
  explicit TransLabel(const ControlDefinition& definition);
  ~TransLabel() override;
  bool Create(HWND parent) override;

  char* ReadText() const override;
  void WriteText(const char* text) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void RepaintLabelArea();

  const TransLabelSettings& settings_;
  std::string text_;  // the stored setting; the window text is what the painter draws
};
