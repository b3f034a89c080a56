#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "quill/layer.h"
#include "windows.h"

void WINAPI ExitProcess(UINT exitCode) {
  std::fflush(nullptr);
  std::exit(static_cast<int>(exitCode));
}

DWORD WINAPI GetCurrentThreadId(void) { return static_cast<DWORD>(::syscall(SYS_gettid)); }
