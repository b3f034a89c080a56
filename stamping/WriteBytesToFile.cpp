#include "stamping/WriteBytesToFile.h"

#include <windows.h>

namespace {

// One block in one request when it fits the request's 32-bit count (every image does); a larger
// block goes in several, each of which must be written in full.
bool WriteBlock(HANDLE file, const ImageBytes& block) {
  const uint8_t* data = block.Data();
  size_t left = block.Size();
  while (left > 0) {
    DWORD request = left > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file, data, request, &written, nullptr) || written != request) return false;
    data += request;
    left -= request;
  }
  return true;
}

}  // namespace

bool WriteBytesToFile(const char* fileName, const ImageBytes* const* blocks, size_t count) {
  if (!fileName || fileName[0] == '\0') return false;
  HANDLE file = CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  for (size_t i = 0; blocks && i < count; ++i) {
    if (blocks[i] && !WriteBlock(file, *blocks[i])) {
      CloseHandle(file);
      return false;
    }
  }
  return CloseHandle(file) != FALSE;
}
