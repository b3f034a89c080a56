// Creates (or truncates) a file and writes byte blocks into it in order.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "ui/ImageBytes.h"

// True when the file was opened, every block written in full, and the file closed. The file is
// opened for writing only, shared with nobody, created always. An empty or null name fails at
// once and touches nothing. Empty (or null) blocks are skipped, so writing only empty blocks
// leaves a file of length 0. On a failure the file is closed and keeps what was written.
bool WriteBytesToFile(const char* fileName, const ImageBytes* const* blocks, size_t count);

inline bool WriteBytesToFile(const char* fileName, std::initializer_list<const ImageBytes*> blocks) {
  return WriteBytesToFile(fileName, blocks.begin(), blocks.size());
}
