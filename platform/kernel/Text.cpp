// The kernel's small text helpers for ANSI strings.
#include <cstring>

#include "windows.h"

int WINAPI lstrlenA(LPCSTR text) {
  if (!text) return 0;
  // The platform's result is an int; a text longer than that reports the largest int.
  size_t length = std::strlen(text);
  return length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(length);
}
