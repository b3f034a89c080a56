#include "app/FatalError.h"

#include <windows.h>

#include <string>

#include "app/Shell.h"

void FatalError(const char* message) {
  ShellState& shell = Shell();
  shell.shuttingDown = true;  // no event reaches a handler from here on

  // "运行时出错!" + empty line + "错误信息：" + message + line break
  std::string text = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";
  text += message ? message : "";
  text += "\r\n";
  MessageBoxA(nullptr, text.c_str(), "\xB4\xED\xCE\xF3" /* 错误 */, MB_OK | MB_ICONERROR);

  ShutDown(-1);
  ExitProcess(static_cast<UINT>(-1));
}
