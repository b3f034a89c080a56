// A control of the main window: one ControlDefinition made live. Each kind applies its own
// settings while it is created and answers the notifications its window sends to the parent.
#pragma once

#include <windows.h>

#include <memory>

#include "ui/WindowDefinition.h"

class Control {
 public:
  explicit Control(const ControlDefinition& definition) : definition_(definition) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlDefinition& Definition() const { return definition_; }
  const char* Name() const { return definition_.name; }
  HWND Window() const { return hwnd_; }

  // Creates the control's window, hidden, as a child of `parent` at its stored place.
  // False when the window system refuses.
  virtual bool Create(HWND parent) = 0;

  // Whether the kind can hold the keyboard focus (entry box, button, radio box).
  virtual bool CanTakeFocus() const { return false; }
  virtual bool IsRadioBox() const { return false; }

  // A notification (WM_COMMAND code) the control's window sent to the parent, handed back.
  virtual void OnNotify(WORD /*code*/) {}
  // The parent's answer to WM_CTLCOLOR*: the brush to paint with, after setting colours on dc.
  virtual HBRUSH OnControlColour(HDC /*dc*/) { return nullptr; }

  // The control's text as a fresh copy from the shared allocator; the caller releases it.
  virtual char* ReadText() const;
  virtual void WriteText(const char* text);

 protected:
  HWND hwnd_ = nullptr;
  const ControlDefinition& definition_;
};

// Makes the control object of a definition's kind.
std::unique_ptr<Control> MakeControl(const ControlDefinition& definition);

// The system's button-face colour when `colour` is the special value, else `colour`.
COLORREF ResolveColour(COLORREF colour);
