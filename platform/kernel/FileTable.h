// The files opened through CreateFileA, owned behind their handles.
#pragma once

#include "core/Handles.h"
#include "kernel/UniqueFd.h"

namespace quill::kernel {

struct OpenFile {
  UniqueFd fd;
  bool canRead = false;
  bool canWrite = false;
};

// The table of open files; using it registers the kernel with the layer.
HandleTable<OpenFile>& FileTable();

}  // namespace quill::kernel
