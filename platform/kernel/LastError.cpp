// The last error code is kept per thread, as the platform does, so one thread's failure never
// shows up in another thread's GetLastError.
#include "windows.h"

namespace {
thread_local DWORD t_lastError = ERROR_SUCCESS;
}

DWORD WINAPI GetLastError(void) { return t_lastError; }

void WINAPI SetLastError(DWORD errorCode) { t_lastError = errorCode; }
