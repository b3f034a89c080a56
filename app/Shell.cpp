#include "app/Shell.h"

ShellState& Shell() {
  static ShellState state;
  return state;
}

int ShutDown(int exitCode) {
  Shell().shuttingDown = true;
  return exitCode;
}
