// The kernel's entry in the layer's module registry: quill::ResetLayer closes every open file and
// forgets the drive mapping, and quill::CountLiveObjects counts the open files.
#pragma once

namespace quill::kernel {

void RegisterKernelModule();

}  // namespace quill::kernel
