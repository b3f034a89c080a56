#include "core/Diagnostics.h"

#include <cstdio>

namespace quill {

void ReportMisuse(const char* what) { std::fprintf(stderr, "quill: misuse: %s\n", what); }

}  // namespace quill
