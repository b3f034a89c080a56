// The process heap. Each block carries its size in front of it so HeapSize can answer, and the
// heap handle is checked, so a foreign handle fails instead of corrupting memory.
#include <cstdlib>
#include <cstring>

#include "windows.h"

namespace {

struct alignas(16) BlockHeader {
  size_t size;
  size_t magic;
};
constexpr size_t kMagic = 0x51484541;  // marks a live block of this heap
int g_processHeapTag;

HANDLE ProcessHeapHandle() { return &g_processHeapTag; }

BlockHeader* HeaderOf(LPCVOID mem) {
  return reinterpret_cast<BlockHeader*>(const_cast<char*>(static_cast<const char*>(mem)) - sizeof(BlockHeader));
}

}  // namespace

HANDLE WINAPI GetProcessHeap(void) { return ProcessHeapHandle(); }

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, size_t bytes) {
  if (heap != ProcessHeapHandle() || bytes > (SIZE_MAX >> 1)) return nullptr;
  void* raw = (flags & HEAP_ZERO_MEMORY) ? std::calloc(1, sizeof(BlockHeader) + bytes)
                                        : std::malloc(sizeof(BlockHeader) + bytes);
  if (!raw) return nullptr;
  auto* header = static_cast<BlockHeader*>(raw);
  header->size = bytes;
  header->magic = kMagic;
  return header + 1;
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD, LPVOID mem) {
  if (heap != ProcessHeapHandle()) return FALSE;
  if (!mem) return TRUE;
  BlockHeader* header = HeaderOf(mem);
  if (header->magic != kMagic) return FALSE;
  header->magic = 0;
  std::free(header);
  return TRUE;
}

size_t WINAPI HeapSize(HANDLE heap, DWORD, LPCVOID mem) {
  if (heap != ProcessHeapHandle() || !mem) return static_cast<size_t>(-1);
  const BlockHeader* header = HeaderOf(mem);
  return header->magic == kMagic ? header->size : static_cast<size_t>(-1);
}
