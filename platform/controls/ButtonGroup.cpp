#include "controls/ButtonGroup.h"

#include <vector>

#include "controls/ButtonState.h"
#include "win/controls.h"
#include "win/user.h"

namespace quill::controls {
namespace {

bool StartsGroup(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_GROUP) != 0; }

}  // namespace

bool IsAutoRadioButton(HWND hwnd) {
  return FindButtonState(hwnd) && (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

void UncheckGroupSiblings(HWND hwnd) {
  HWND start = hwnd;
  while (!StartsGroup(start)) {
    HWND previous = GetWindow(start, GW_HWNDPREV);
    if (!previous) break;
    start = previous;
  }
  // The members are collected before any of them is told, since a subclassed sibling may react to
  // BM_SETCHECK by changing the window list.
  std::vector<HWND> others;
  for (HWND w = start; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w != start && StartsGroup(w)) break;
    if (w != hwnd && IsAutoRadioButton(w) && FindButtonState(w)->checked) others.push_back(w);
  }
  for (HWND w : others)
    if (IsWindow(w)) SendMessageA(w, BM_SETCHECK, BST_UNCHECKED, 0);
}

}  // namespace quill::controls
