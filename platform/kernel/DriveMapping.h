// Where the drive C: lives on the host. The program reads no environment itself; the layer does,
// as a Windows-on-Linux layer would: $QUILLMARK_DRIVE_C when set, else
// ${XDG_DATA_HOME:-$HOME/.local/share}/quillmark/drive_c. The folder is resolved at first use.
// A folder that does not exist yet is created (with its parents) holding the skeleton
// Users/Administrator/Desktop; an existing folder is used as it is, nothing added.
#pragma once

#include <string>

namespace quill::kernel {

// The folder the environment names for the drive, whether it exists or not; empty when there is
// no home folder to put it under.
std::string DriveRootLocation();

// The drive's root folder as an absolute host path, created on first use when missing. Empty when
// no folder can be had; every open then fails with ERROR_PATH_NOT_FOUND.
std::string DriveRoot();

// Forgets the resolved folder, so the next use reads the environment again (tests point the drive
// at a fresh folder between tests; quill::ResetLayer does this too).
void ResetDriveMapping();

}  // namespace quill::kernel
