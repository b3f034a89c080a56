#include "app/SharedHeap.h"

#include <windows.h>

#include <cstdio>

#include "app/FatalError.h"

namespace {
HANDLE g_heap = nullptr;

HANDLE Heap() {
  if (!g_heap) g_heap = GetProcessHeap();
  return g_heap;
}
}  // namespace

void RecordProcessHeap() { Heap(); }

void* TryAllocBlock(size_t bytes) { return HeapAlloc(Heap(), 0, bytes == 0 ? 1 : bytes); }

void* AllocBlock(size_t bytes) {
  void* block = TryAllocBlock(bytes);
  if (!block) {
    char message[64];
    // "分配 %d 字节内存失败!"
    std::snprintf(message, sizeof message, "\xB7\xD6\xC5\xE4 %d \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!",
                  static_cast<int>(bytes));
    FatalError(message);
  }
  return block;
}

void FreeBlock(void* block) {
  if (block) HeapFree(Heap(), 0, block);
}
