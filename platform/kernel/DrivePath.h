// Windows path names on the mapped drive C:, turned into host names below the drive's root folder.
// This is the pure half of the mapping: it reads only the name, never the disk, so every rule
// below can be checked by table tests and a fuzzer. Matching existing names case-insensitively
// needs the disk and is done by DriveWalk.
//
// The rules, in the order they are applied:
//  - The GBK name is converted to Unicode first, so a double-byte character whose second byte is
//    0x5C ('\') is a character and never a separator. A byte sequence that is not valid GBK makes
//    the name invalid (ERROR_INVALID_NAME): two different names must never land on one file.
//  - An empty name fails with ERROR_PATH_NOT_FOUND; a name longer than MAX_PATH - 1 characters
//    fails with ERROR_FILENAME_EXCED_RANGE, as ANSI names do on the platform.
//  - "C:\..." and "C:/..." (either letter case) are absolute on the drive. "\..." is the root of
//    the current drive, which is C:. A relative name is taken relative to the current directory,
//    which is always C:\ (the layer has no SetCurrentDirectory). Other drive letters and UNC names
//    ("\\server\share") fail with ERROR_PATH_NOT_FOUND: there is no such drive or server. Device
//    names ("\\?\", "\\.\") and drive-relative names ("C:foo") fail with ERROR_INVALID_NAME.
//  - '\' and '/' both separate, and runs of separators count as one. "." parts are dropped, ".."
//    drops the part before it and stays at the root when there is none.
//  - An intermediate part loses one trailing '.'; the last part loses all trailing dots and
//    spaces. A name ending in a separator, or whose last part trims away to nothing, names a
//    directory.
//  - Characters the platform refuses in names (< > : " | ? * and codes 1 to 31) fail with
//    ERROR_INVALID_NAME, as do the reserved device names (CON, PRN, AUX, NUL, COM0-9, LPT0-9 and
//    their superscript-digit forms, with or without an extension) in any part.
//  - The normalised path ("C:\" and its parts) may not exceed MAX_PATH - 1 characters, and a part
//    may not exceed 255 bytes as a host (UTF-8) name: ERROR_FILENAME_EXCED_RANGE.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "windows.h"

namespace quill::kernel {

struct MappedPath {
  DWORD error = ERROR_SUCCESS;          // ERROR_SUCCESS when the name maps
  std::vector<std::string> components;  // host (UTF-8) names below the root; empty for the root
  bool namesDirectory = false;          // the name ends in a separator or names the root
  std::string hostPath;                 // root + "/" + components, before case matching
};

MappedPath MapPath(std::string_view root, std::string_view gbkName);

}  // namespace quill::kernel
