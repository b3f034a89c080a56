#include "stamping/JoinTexts.h"

#include <cstring>

#include "app/SharedHeap.h"

char* JoinTexts(int count, const char* const* texts) {
  if (!texts) count = 0;
  size_t total = 0;
  for (int i = 0; i < count; ++i)
    if (texts[i]) total += std::strlen(texts[i]);

  char* joined = static_cast<char*>(AllocBlock(total + 1));
  char* end = joined;
  for (int i = 0; i < count; ++i) {
    if (!texts[i]) continue;
    size_t length = std::strlen(texts[i]);
    std::memcpy(end, texts[i], length);
    end += length;
  }
  *end = '\0';
  return joined;
}
