// The shell: start-up, building the window from its definition, the message loop, event
// dispatch and shutdown. One instance for the process, on the thread that starts it.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/Control.h"
#include "ui/WindowDefinition.h"

// The one live window: its definition, its window, its controls in creation order.
struct WindowRecord {
  const WindowDefinition* definition = nullptr;
  HWND window = nullptr;
  std::vector<std::unique_ptr<Control>> controls;
  HWND rememberedFocus = nullptr;  // the control that had the focus when the window was deactivated
  bool loaded = false;
  HICON bigIcon = nullptr;
  HICON smallIcon = nullptr;
};

struct ShellState {
  DWORD mainThread = 0;
  WindowRecord main;
  bool loopRunning = false;
  bool shuttingDown = false;
};

ShellState& Shell();

// Where the window definition comes from; tests replace it to exercise the fatal paths.
using DefinitionSource = const WindowDefinition* (*)();

// The process entry: builds and shows the window, runs the loop, shuts down. Returns the exit code.
int RunProgram(DefinitionSource source = &MainWindowDefinition);

// Builds and shows the window. False when it cannot be built (whatever was built is released).
bool LoadWindow(const WindowDefinition& definition);

// Runs until a quit request is taken from the queue; returns its exit code.
int RunMessageLoop();

// Runs the handler bound to the control's event (or the window's, for a null control).
void RaiseEvent(Control* control, EventKind event);

// Releases everything the shell holds and returns the exit code.
int ShutDown(int exitCode);

// The live control of the main window with that name, or nullptr.
Control* FindControl(const char* name);
Control* FindControl(HWND hwnd);
