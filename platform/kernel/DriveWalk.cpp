#include "kernel/DriveWalk.h"

#include <dirent.h>
#include <fcntl.h>

#include <cerrno>

#include "kernel/CaseFold.h"

namespace quill::kernel {

namespace {

bool Stat(int dir, const std::string& name, struct stat* st) {
  return ::fstatat(dir, name.c_str(), st, AT_SYMLINK_NOFOLLOW) == 0;
}

DriveTarget Fail(DWORD error) {
  DriveTarget target;
  target.error = error;
  return target;
}

}  // namespace

std::string FindEntry(int dir, std::string_view name) {
  std::string exact(name);
  struct stat st;
  if (Stat(dir, exact, &st)) return exact;

  int scanFd = ::openat(dir, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (scanFd < 0) return std::string();
  DIR* scan = ::fdopendir(scanFd);
  if (!scan) {
    ::close(scanFd);
    return std::string();
  }
  std::u32string wanted = FoldName(name);
  std::string best;
  while (const dirent* entry = ::readdir(scan)) {
    std::string_view candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if ((best.empty() || candidate < best) && FoldName(candidate) == wanted) best = candidate;
  }
  ::closedir(scan);
  return best;
}

DriveTarget LocateOnDrive(int root, const MappedPath& path) {
  if (path.error != ERROR_SUCCESS) return Fail(path.error);
  UniqueFd dir(::openat(root, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir.Valid()) return Fail(ERROR_PATH_NOT_FOUND);
  if (path.components.empty()) return Fail(ERROR_ACCESS_DENIED);  // the root itself

  size_t directories = path.components.size() - 1;
  for (size_t i = 0; i < directories; ++i) {
    std::string entry = FindEntry(dir.Get(), path.components[i]);
    struct stat st;
    if (entry.empty() || !Stat(dir.Get(), entry, &st)) return Fail(ERROR_PATH_NOT_FOUND);
    if (S_ISLNK(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);
    if (!S_ISDIR(st.st_mode)) return Fail(ERROR_PATH_NOT_FOUND);
    UniqueFd next(::openat(dir.Get(), entry.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!next.Valid()) return Fail(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
    dir = std::move(next);
  }

  DriveTarget target;
  const std::string& last = path.components.back();
  std::string entry = FindEntry(dir.Get(), last);
  target.exists = !entry.empty() && Stat(dir.Get(), entry, &target.status);
  target.leaf = target.exists ? entry : last;
  if (path.namesDirectory) {
    // A directory cannot be opened as a file; a missing one is a missing path.
    return Fail(target.exists && S_ISDIR(target.status.st_mode) ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
  }
  target.parent = std::move(dir);
  return target;
}

}  // namespace quill::kernel
