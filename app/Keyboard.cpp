#include "app/Keyboard.h"

#include <algorithm>
#include <vector>

#include "app/Shell.h"

namespace {

bool Focusable(const Control& control) {
  HWND w = control.Window();
  return w && IsWindow(w) && IsWindowVisible(w) && IsWindowEnabled(w) && control.CanTakeFocus() &&
         control.Definition().tabStop;
}

// The focusable controls by tab position, equal positions in creation order.
std::vector<Control*> TabOrder() {
  std::vector<Control*> order;
  for (auto& control : Shell().main.controls)
    if (Focusable(*control)) order.push_back(control.get());
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    return a->Definition().tabPosition < b->Definition().tabPosition;
  });
  return order;
}

void MoveFocusAlongTabOrder(bool backward) {
  std::vector<Control*> order = TabOrder();
  if (order.empty()) return;
  HWND focus = GetFocus();
  auto it = std::find_if(order.begin(), order.end(), [&](Control* c) { return c->Window() == focus; });
  size_t n = order.size(), next;
  if (it == order.end())
    next = backward ? n - 1 : 0;
  else
    next = (static_cast<size_t>(it - order.begin()) + (backward ? n - 1 : 1)) % n;
  SetFocus(order[next]->Window());
}

// Left/Up choose the previous radio box of the same parent, Right/Down the next one, wrapping.
bool MoveAmongRadioBoxes(Control& focused, bool backward) {
  HWND parent = GetParent(focused.Window());
  std::vector<Control*> group;
  for (Control* c : TabOrder())
    if (c->IsRadioBox() && GetParent(c->Window()) == parent) group.push_back(c);
  auto it = std::find(group.begin(), group.end(), &focused);
  if (it == group.end()) return true;
  size_t n = group.size(), i = static_cast<size_t>(it - group.begin());
  Control* chosen = group[(i + (backward ? n - 1 : 1)) % n];
  if (chosen == &focused) return true;
  for (auto& c : Shell().main.controls)
    if (c->IsRadioBox() && GetParent(c->Window()) == parent) SendMessageA(c->Window(), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(chosen->Window(), BM_SETCHECK, BST_CHECKED, 0);
  RaiseEvent(chosen, EventKind::Click);
  SetFocus(chosen->Window());
  return true;
}

}  // namespace

Control* FirstInTabOrder() {
  std::vector<Control*> order = TabOrder();
  return order.empty() ? nullptr : order.front();
}

bool PreTranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  WindowRecord& record = Shell().main;
  HWND window = record.window;
  if (!window || !record.definition || (msg.hwnd != window && !IsChild(window, msg.hwnd))) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;

  switch (msg.wParam) {
    case VK_TAB:
      MoveFocusAlongTabOrder(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      Control* focused = FindControl(GetFocus());
      if (!focused || !focused->IsRadioBox()) return false;
      return MoveAmongRadioBoxes(*focused, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
    }
    case VK_RETURN:
      // No default button and Enter does not move the focus: the focused control gets the key.
      return record.definition->enterMovesFocus;
    case VK_ESCAPE:
      if (!record.definition->escClosesWindow) return false;
      SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // exactly as the close box asks
      return true;
  }
  return false;
}
