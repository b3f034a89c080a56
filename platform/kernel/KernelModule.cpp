#include "kernel/KernelModule.h"

#include "core/Layer.h"
#include "kernel/DriveMapping.h"
#include "kernel/FileTable.h"

namespace quill::kernel {

namespace {

void Reset() {
  FileTable().Clear();
  ResetDriveMapping();
}

void Count(LiveObjects& into) { into.files += FileTable().Live(); }

const LayerModule kKernelModule{"kernel", &Reset, &Count};

}  // namespace

void RegisterKernelModule() { RegisterModule(&kKernelModule); }

}  // namespace quill::kernel
