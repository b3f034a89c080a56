// [SECTION] Start-up   [SECTION] Building the window   [SECTION] Dispatch   [SECTION] Shutdown
#include "app/Shell.h"

#include <cstring>

#include "app/FatalError.h"
#include "app/Keyboard.h"
#include "app/MainWindow.h"
#include "app/SharedHeap.h"
#include "stamping/Handlers.h"

ShellState& Shell() {
  static ShellState state;
  return state;
}

// [SECTION] Start-up

int RunProgram(DefinitionSource source) {
  ShellState& shell = Shell();
  shell = ShellState{};
  shell.mainThread = GetCurrentThreadId();
  RecordProcessHeap();

  const WindowDefinition* definition = source ? source() : nullptr;
  if (!definition) FatalError("\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!");  // 载入窗口模板数据段出错!

  if (!LoadWindow(*definition)) FatalError("\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC");  // 载入启动窗口失败

  shell.loopRunning = true;
  int exitCode = 0;
  if (IsWindow(shell.main.window)) exitCode = RunMessageLoop();
  return ShutDown(exitCode);
}

// [SECTION] Building the window

namespace {

void ReleaseWindow(WindowRecord& record) {
  if (record.window && IsWindow(record.window)) DestroyWindow(record.window);
  record.window = nullptr;
  record.controls.clear();
  if (record.bigIcon) DestroyIcon(record.bigIcon);
  if (record.smallIcon) DestroyIcon(record.smallIcon);
  record.bigIcon = record.smallIcon = nullptr;
  record.loaded = false;
}

HICON LoadProgramIcon(int size) {
  return CreateIconFromResourceEx(const_cast<PBYTE>(ProgramIconBytes()), static_cast<DWORD>(ProgramIconSize()), TRUE,
                                  0x00030000, size, size, LR_DEFAULTCOLOR);
}

}  // namespace

bool LoadWindow(const WindowDefinition& definition) {
  WindowRecord& record = Shell().main;
  record = WindowRecord{};
  record.definition = &definition;

  // 1. The window, hidden, centred on the primary screen.
  HWND window = CreateMainWindow(definition);
  if (!window) return false;
  record.window = window;

  // 2. Its icon and font.
  record.bigIcon = LoadProgramIcon(32);
  record.smallIcon = LoadProgramIcon(16);
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(record.bigIcon));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(record.smallIcon));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);

  // 3. The controls, hidden, in creation order.
  for (const ControlDefinition& cd : definition.controls) {
    std::unique_ptr<Control> control = MakeControl(cd);
    if (!control || !control->Create(window)) {
      ReleaseWindow(record);
      return false;
    }
    record.controls.push_back(std::move(control));
  }

  // 4. Controls that live in a container move into it, keeping their stored place.
  for (auto& control : record.controls) {
    const ControlDefinition& cd = control->Definition();
    if (!cd.parent) continue;
    Control* container = FindControl(cd.parent);
    if (!container) continue;
    SetParent(control->Window(), container->Window());
    SetWindowPos(control->Window(), nullptr, cd.left, cd.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // 5. Of two children of one parent, the later-created one lies above.
  for (auto& control : record.controls)
    SetWindowPos(control->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // 6. Show the visible controls without activating anything.
  for (auto& control : record.controls)
    if (control->Definition().visible) ShowWindow(control->Window(), SW_SHOWNA);

  // 7. The created event runs while the window is still hidden; 8. moved and resized have no handlers.
  RaiseEvent(nullptr, EventKind::Created);

  // 9. Show and activate; the focus rule puts the focus on the first control of the tab order.
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);

  // 10.
  record.loaded = true;
  return true;
}

// [SECTION] Dispatch

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void RaiseEvent(Control* control, EventKind event) {
  ShellState& shell = Shell();
  if (shell.shuttingDown || !shell.main.definition) return;
  const std::vector<EventBinding>& bindings =
      control ? control->Definition().bindings : shell.main.definition->bindings;
  for (const EventBinding& binding : bindings) {
    if (binding.event != event) continue;
    if (Handler handler = FindHandler(binding.handler)) handler();
    return;
  }
}

Control* FindControl(const char* name) {
  if (!name) return nullptr;
  for (auto& control : Shell().main.controls)
    if (std::strcmp(control->Name(), name) == 0) return control.get();
  return nullptr;
}

Control* FindControl(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (auto& control : Shell().main.controls)
    if (control->Window() == hwnd) return control.get();
  return nullptr;
}

// [SECTION] Shutdown

int ShutDown(int exitCode) {
  ShellState& shell = Shell();
  shell.shuttingDown = true;
  ReleaseWindow(shell.main);
  shell.main.definition = nullptr;
  shell.loopRunning = false;
  return exitCode;
}
