#include "controls/EditControl.h"

#include <memory>
#include <unordered_map>

#include "controls/EditWindow.h"
#include "core/Layer.h"
#include "win/controls.h"

namespace quill::controls {

namespace {

// The live edit controls by handle. The program keeps its own pointer in GWLP_USERDATA and
// subclasses the window, so the control's state lives here rather than in the window's longs.
// Each call holds a shared reference, so a control destroyed by a notification handler in the
// middle of a message stays valid memory until that message returns.
using Instances = std::unordered_map<HWND, std::shared_ptr<EditWindow>>;

Instances& Live() {
  static Instances instances;
  return instances;
}

void ResetEdits() { Live().clear(); }
void CountEdits(LiveObjects&) {}  // the windows themselves are counted by the window module

const LayerModule kEditModule{"edit", &ResetEdits, &CountEdits};

LRESULT CALLBACK EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Instances& live = Live();
  auto found = live.find(hwnd);
  std::shared_ptr<EditWindow> edit;
  if (found != live.end()) {
    edit = found->second;
  } else {
    if (message != WM_NCCREATE && message != WM_CREATE) return DefWindowProcA(hwnd, message, wParam, lParam);
    edit = std::make_shared<EditWindow>(hwnd);
    live[hwnd] = edit;
  }
  const LRESULT result = edit->Handle(message, wParam, lParam);
  // A refused creation or the last message of the window ends the instance.
  if (edit->Destroyed() || (message == WM_CREATE && result == -1)) {
    auto again = live.find(hwnd);
    if (again != live.end() && again->second == edit) live.erase(again);
  }
  return result;
}

}  // namespace

bool RegisterEditClass() {
  RegisterModule(&kEditModule);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(nullptr, WC_EDITA, &existing)) return existing.lpfnWndProc == &EditWindowProc;

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = &EditWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  wc.hbrBackground = nullptr;  // the control paints its whole client area itself
  wc.lpszClassName = WC_EDITA;
  return RegisterClassExA(&wc) != 0;
}

}  // namespace quill::controls
