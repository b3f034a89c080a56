#include <cstdio>
#include <cstdlib>

#include "quill/layer.h"
#include "windows.h"

void WINAPI ExitProcess(UINT exitCode) {
  std::fflush(nullptr);
  std::exit(static_cast<int>(exitCode));
}
