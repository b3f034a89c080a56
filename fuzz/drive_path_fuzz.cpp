// Arbitrary GBK names mapped onto the drive's root folder. A name either fails with an error or
// maps to a host path made of the root and plain parts: no part that climbs ("..") or stays (".")
// or is empty, no separator or zero byte inside a part, nothing outside the root.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "kernel/DrivePath.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view name) {
  std::fprintf(stderr, "drive_path_fuzz: %s (name of %zu bytes)\n", what, name.size());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string kRoot = "/fuzz/drive_c";
  std::string_view name(reinterpret_cast<const char*>(data), size);
  quill::kernel::MappedPath mapped = quill::kernel::MapPath(kRoot, name);
  if (mapped.error != ERROR_SUCCESS) {
    if (!mapped.components.empty() || !mapped.hostPath.empty()) Fail("a failed mapping still names a path", name);
    return 0;
  }
  std::string expected = kRoot;
  for (const std::string& part : mapped.components) {
    if (part.empty() || part == "." || part == "..") Fail("a part that is empty, '.' or '..'", name);
    if (part.find('/') != std::string::npos || part.find('\0') != std::string::npos)
      Fail("a separator or zero byte inside a part", name);
    if (part.size() > 255) Fail("a part longer than a host name may be", name);
    expected += '/';
    expected += part;
  }
  if (mapped.hostPath != expected) Fail("the host path is not the root followed by the parts", name);
  if (mapped.components.empty() && !mapped.namesDirectory) Fail("the root named as a file", name);
  return 0;
}
