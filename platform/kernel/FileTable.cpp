#include "kernel/FileTable.h"

#include "kernel/KernelModule.h"

namespace quill::kernel {

HandleTable<OpenFile>& FileTable() {
  static HandleTable<OpenFile> table(HandleKind::File);
  static bool registered = (RegisterKernelModule(), true);
  (void)registered;
  return table;
}

}  // namespace quill::kernel
