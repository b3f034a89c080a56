// Joins zero-terminated texts into one new text, allocated once from the shared allocator.
#pragma once

#include <initializer_list>

// The concatenation of `count` texts in order; a null text counts as empty. The block holds
// exactly the sum of the lengths plus the terminator. The caller releases it with FreeBlock.
// Running out of memory is fatal, as for every handler text.
char* JoinTexts(int count, const char* const* texts);

inline char* JoinTexts(std::initializer_list<const char*> texts) {
  return JoinTexts(static_cast<int>(texts.size()), texts.begin());
}
