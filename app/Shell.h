// The shell: start-up, building the window from its definition, the message loop, event
// dispatch and shutdown. One instance for the process.
#pragma once

#include <windows.h>

struct ShellState {
  DWORD mainThread = 0;
  bool loopRunning = false;
  bool shuttingDown = false;
};

ShellState& Shell();

// Releases everything the shell holds and returns the exit code.
int ShutDown(int exitCode);
