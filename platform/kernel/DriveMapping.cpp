#include "kernel/DriveMapping.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "kernel/KernelModule.h"

namespace quill::kernel {

namespace {

std::optional<std::string> g_root;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  const passwd* entry = getpwuid(getuid());
  return entry && entry->pw_dir ? std::string(entry->pw_dir) : std::string();
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// mkdir -p for the folders above the root; they are ordinary folders of the user.
bool MakeParents(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    std::string prefix = path.substr(0, slash);
    if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

// Creates the root. Only the caller whose mkdir made the folder adds the skeleton, so a root that
// another process created at the same moment, or one the user made, is never altered.
bool CreateRoot(const std::string& root) {
  if (!MakeParents(root)) return false;
  if (::mkdir(root.c_str(), 0755) != 0) return errno == EEXIST && IsDirectory(root);
  for (const char* sub : {"/Users", "/Users/Administrator", "/Users/Administrator/Desktop"}) {
    if (::mkdir((root + sub).c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

std::string DriveRootLocation() {
  std::string explicitRoot = Environment("QUILLMARK_DRIVE_C");
  if (!explicitRoot.empty()) return explicitRoot;
  // XDG_DATA_HOME counts only when it is an absolute path; a relative one is ignored, as the
  // desktop's base-directory rules say.
  std::string dataHome = Environment("XDG_DATA_HOME");
  if (dataHome.empty() || dataHome[0] != '/') {
    std::string home = HomeFolder();
    if (home.empty()) return std::string();
    dataHome = home + "/.local/share";
  }
  return dataHome + "/quillmark/drive_c";
}

std::string DriveRoot() {
  if (g_root) return *g_root;
  std::string location = DriveRootLocation();
  while (location.size() > 1 && location.back() == '/') location.pop_back();
  if (location.empty() || (!IsDirectory(location) && !CreateRoot(location))) return std::string();
  // An absolute, symlink-free path keeps the drive where it is even if the process changes its
  // current directory later.
  char resolved[PATH_MAX];
  if (!::realpath(location.c_str(), resolved)) return std::string();
  RegisterKernelModule();
  g_root = resolved;
  return *g_root;
}

void ResetDriveMapping() { g_root.reset(); }

}  // namespace quill::kernel
