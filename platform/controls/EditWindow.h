// One live edit control: its model and view, and the handling of every message the "EDIT" class
// answers. The class's window procedure (EditControl.cpp) finds the instance and calls Handle.
#pragma once

#include "controls/EditContextMenu.h"
#include "controls/EditModel.h"
#include "controls/EditView.h"
#include "win/user.h"

namespace quill::controls {

class EditWindow {
 public:
  explicit EditWindow(HWND hwnd) : hwnd_(hwnd) {}
  EditWindow(const EditWindow&) = delete;
  EditWindow& operator=(const EditWindow&) = delete;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  // The window is gone (WM_NCDESTROY). Code still running for it, for instance after a
  // notification whose handler destroyed the control, must stop touching the window.
  bool Destroyed() const { return destroyed_; }

 private:
  // [messages]
  LRESULT OnCreate(const CREATESTRUCTA* create);
  LRESULT OnSetText(const char* text);
  LRESULT OnGetText(size_t capacity, char* buffer) const;
  LRESULT OnSetSel(int start, int end);
  LRESULT OnGetSel(DWORD* start, DWORD* end) const;
  void OnChar(unsigned code);
  bool OnKeyDown(UINT vk);
  void OnButtonDown(int x, bool extend);
  void OnMouseMove(int x);
  void OnDoubleClick(int x);
  void OnSetFocus();
  void OnKillFocus();
  void OnPaint();
  void OnDestroy();

  // [commands shared by keys, messages and the context menu]
  void Copy();
  void Cut();
  void Paste();
  void Clear();
  void Undo();
  void ShowContextMenu(POINT screen);

  // [after an action]
  // Sends the notifications an edit calls for (EN_MAXTEXT, EN_UPDATE, EN_CHANGE) and redraws.
  void AfterEdit(EditModel::Outcome outcome);
  // The caret moved or the selection changed: keep the caret in view, restart its blink, redraw.
  void AfterMove();
  void ScrollCaretIntoView();
  void RestartBlink();
  // WM_COMMAND to the parent. False when the parent's handler destroyed this control.
  bool Notify(WORD code);

  bool ReadOnly() const;
  int ClientWidth() const;
  void Invalidate() const;

  HWND hwnd_;
  EditModel model_;
  EditView view_;
  HFONT font_ = nullptr;
  bool focused_ = false;
  bool caretOn_ = false;
  bool dragging_ = false;
  bool destroyed_ = false;
};

}  // namespace quill::controls
