// The disk half of the drive mapping: walks a mapped path down from the root folder one directory
// at a time (openat), matching each part against the existing names case-insensitively, without
// ever following a symbolic link. Because every step is relative to a descriptor of a directory
// already inside the drive, and links are refused rather than followed, no host path outside the
// root can be reached, whatever the name says or the disk holds.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

#include "kernel/DrivePath.h"
#include "kernel/UniqueFd.h"

namespace quill::kernel {

struct DriveTarget {
  DWORD error = ERROR_SUCCESS;
  UniqueFd parent;       // the directory that holds (or will hold) the last part
  std::string leaf;      // the host name to open: the existing entry's name, or the name as mapped
  bool exists = false;   // an entry of that name is there; `status` describes it
  struct stat status {};
};

// The existing entry of `dir` that matches `name`: the exact name when it is there, otherwise the
// first (in byte order) whose name is equal ignoring case. Empty when none matches.
std::string FindEntry(int dir, std::string_view name);

// Locates the last part of `path` below the directory `root`. Fails with ERROR_PATH_NOT_FOUND when
// a directory on the way is missing or is not a directory, and with ERROR_ACCESS_DENIED when a
// part on the way is a symbolic link or the path names a directory.
DriveTarget LocateOnDrive(int root, const MappedPath& path);

}  // namespace quill::kernel
