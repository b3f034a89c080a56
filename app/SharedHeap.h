// The one allocator behind every text and byte block handed to handlers: the process heap,
// recorded at start-up. Blocks go back through FreeBlock, whoever allocated them.
#pragma once

#include <cstddef>

// Records the process heap (start-up step one). Safe to call again.
void RecordProcessHeap();

// A block of `bytes` bytes. Running out of memory here is fatal for the whole program.
void* AllocBlock(size_t bytes);

// A block of `bytes` bytes, or nullptr when memory is short; for callers that can do without.
void* TryAllocBlock(size_t bytes);

void FreeBlock(void* block);
