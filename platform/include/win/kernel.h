// KERNEL: the process, its heap, files on the mapped drive, and the ANSI code page.
#pragma once

#include "base.h"

// Ends the process with the given exit code, after the layer has released the display.
[[noreturn]] void WINAPI ExitProcess(UINT exitCode);

// The process heap.
#define HEAP_ZERO_MEMORY 0x00000008
HANDLE WINAPI GetProcessHeap(void);
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, size_t bytes);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID mem);
size_t WINAPI HeapSize(HANDLE heap, DWORD flags, LPCVOID mem);
