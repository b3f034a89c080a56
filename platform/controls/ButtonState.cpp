#include "controls/ButtonState.h"

#include <memory>
#include <unordered_map>

#include "core/Layer.h"

namespace quill::controls {
namespace {

// Records are held by pointer so that one stays where it is while the map grows under a nested
// message; a handler that destroys the button erases it, so callers look it up again after any
// message they send out.
std::unordered_map<HWND, std::unique_ptr<ButtonState>>& States() {
  static std::unordered_map<HWND, std::unique_ptr<ButtonState>> states;
  return states;
}

void Reset() { States().clear(); }
void Count(LiveObjects&) {}  // the windows themselves are counted by the window manager

const LayerModule kModule{"controls.button", &Reset, &Count};

}  // namespace

ButtonState* FindButtonState(HWND hwnd) {
  auto it = States().find(hwnd);
  return it == States().end() ? nullptr : it->second.get();
}

ButtonState* AddButtonState(HWND hwnd) {
  RegisterModule(&kModule);
  std::unique_ptr<ButtonState>& slot = States()[hwnd];
  if (!slot) slot = std::make_unique<ButtonState>();
  return slot.get();
}

void RemoveButtonState(HWND hwnd) { States().erase(hwnd); }

}  // namespace quill::controls
