// CreateFileA, WriteFile and CloseHandle over the drive mapping.
//
// Sharing: a file opened with share mode 0 holds an exclusive flock on its open file description;
// any other share mode holds a shared one. flock belongs to the open description, not to the
// process, so a second open of the same file conflicts whether it comes from this process or from
// another process of this layer. This is coarser than the platform (which weighs each access
// against each share flag), but exact for the case the program relies on: share mode 0 admits no
// other opening at all. The lock is taken before the file is truncated, so an open that is refused
// leaves the file as it was.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>

#include "kernel/DriveMapping.h"
#include "kernel/DrivePath.h"
#include "kernel/DriveWalk.h"
#include "kernel/FileTable.h"
#include "windows.h"

namespace {

using quill::kernel::FileTable;
using quill::kernel::OpenFile;
using quill::kernel::UniqueFd;

DWORD ErrorFromErrno(int error) {
  switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case ENOMEM:
    case EMFILE:
    case ENFILE: return ERROR_NOT_ENOUGH_MEMORY;
    case EEXIST: return ERROR_FILE_EXISTS;
    case EWOULDBLOCK: return ERROR_SHARING_VIOLATION;
    case EIO: return ERROR_WRITE_FAULT;
    default: return ERROR_ACCESS_DENIED;  // EACCES, EPERM, EROFS, EISDIR, ELOOP, ENXIO, ...
  }
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

OpenFile* LookUp(HANDLE handle) { return FileTable().Get(reinterpret_cast<uintptr_t>(handle)); }

// A write past RLIMIT_FSIZE would kill the process with SIGXFSZ; ignored, it becomes a short write
// and EFBIG, which WriteFile reports as a full disk. A handler the process installed is left alone.
void IgnoreFileSizeSignal() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
      struct sigaction ignore {};
      ignore.sa_handler = SIG_IGN;
      ::sigemptyset(&ignore.sa_mask);
      ::sigaction(SIGXFSZ, &ignore, nullptr);
    }
  });
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                          DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE) {
  const DWORD accessBits = GENERIC_READ | GENERIC_WRITE;
  if (!fileName || desiredAccess == 0 || (desiredAccess & ~accessBits) != 0 || creationDisposition < CREATE_NEW ||
      creationDisposition > TRUNCATE_EXISTING)
    return Fail(ERROR_INVALID_PARAMETER);
  const bool wantRead = desiredAccess & GENERIC_READ, wantWrite = desiredAccess & GENERIC_WRITE;
  if (creationDisposition == TRUNCATE_EXISTING && !wantWrite) return Fail(ERROR_INVALID_PARAMETER);

  std::string root = quill::kernel::DriveRoot();
  if (root.empty()) return Fail(ERROR_PATH_NOT_FOUND);
  UniqueFd rootFd(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!rootFd.Valid()) return Fail(ERROR_PATH_NOT_FOUND);
  quill::kernel::MappedPath mapped = quill::kernel::MapPath(root, fileName);
  if (mapped.error != ERROR_SUCCESS) return Fail(mapped.error);

  // Creating over an existing file rewrites it, so the host file is opened for writing even when
  // the caller asked only to read.
  const bool needWrite = wantWrite || creationDisposition == CREATE_ALWAYS;
  const int accessFlags = wantRead && needWrite ? O_RDWR : needWrite ? O_WRONLY : O_RDONLY;
  // O_NONBLOCK keeps a FIFO planted in the drive from blocking the open; it is cleared again below.
  const int openFlags = accessFlags | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  const mode_t createMode = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;

  UniqueFd fd;
  bool existed = false;
  int openError = 0;
  // Twice at most: a file that appears or vanishes between the look-up and the open is looked up
  // once more.
  for (int attempt = 0; attempt < 2 && !fd.Valid(); ++attempt) {
    quill::kernel::DriveTarget target = quill::kernel::LocateOnDrive(rootFd.Get(), mapped);
    if (target.error != ERROR_SUCCESS) return Fail(target.error);
    existed = target.exists;
    if (existed) {
      if (!S_ISREG(target.status.st_mode)) return Fail(ERROR_ACCESS_DENIED);
      if (creationDisposition == CREATE_NEW) return Fail(ERROR_FILE_EXISTS);
      // The process may run with privileges that ignore file modes, so the read-only mark is
      // checked here rather than left to open(2).
      if (needWrite && !(target.status.st_mode & S_IWUSR)) return Fail(ERROR_ACCESS_DENIED);
      fd = UniqueFd(::openat(target.parent.Get(), target.leaf.c_str(), openFlags));
    } else {
      if (creationDisposition == OPEN_EXISTING || creationDisposition == TRUNCATE_EXISTING)
        return Fail(ERROR_FILE_NOT_FOUND);
      // A new name is an entry written into the folder, so a folder without write permission
      // refuses it. As for files, the mode is checked here so that privileges that ignore it do
      // not change what the program sees.
      struct stat folder;
      if (::fstat(target.parent.Get(), &folder) != 0 || !(folder.st_mode & S_IWUSR)) return Fail(ERROR_ACCESS_DENIED);
      fd = UniqueFd(::openat(target.parent.Get(), target.leaf.c_str(), openFlags | O_CREAT | O_EXCL, createMode));
    }
    openError = fd.Valid() ? 0 : errno;
    if (openError != 0 && openError != ENOENT && openError != EEXIST) return Fail(ErrorFromErrno(openError));
  }
  if (!fd.Valid()) return Fail(ErrorFromErrno(openError));

  struct stat st;
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);
  if (existed && needWrite && !(st.st_mode & S_IWUSR)) return Fail(ERROR_ACCESS_DENIED);
  if (::flock(fd.Get(), (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0)
    return Fail(errno == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : ErrorFromErrno(errno));
  bool truncate = existed && (creationDisposition == CREATE_ALWAYS || creationDisposition == TRUNCATE_EXISTING);
  if (truncate && ::ftruncate(fd.Get(), 0) != 0) return Fail(ErrorFromErrno(errno));
  int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return Fail(ErrorFromErrno(errno));

  auto file = std::make_unique<OpenFile>();
  file->fd = std::move(fd);
  file->canRead = wantRead;
  file->canWrite = wantWrite;
  HANDLE handle = reinterpret_cast<HANDLE>(FileTable().Add(std::move(file)));
  // The platform reports, on success, that CREATE_ALWAYS or OPEN_ALWAYS found the file already there.
  bool reused = existed && (creationDisposition == CREATE_ALWAYS || creationDisposition == OPEN_ALWAYS);
  SetLastError(reused ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                      LPOVERLAPPED overlapped) {
  if (bytesWritten) *bytesWritten = 0;
  OpenFile* file = LookUp(handle);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (overlapped || (!buffer && bytesToWrite > 0)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!file->canWrite) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  IgnoreFileSizeSignal();
  // The host may take a large request in pieces; all of them belong to this one call.
  const char* bytes = static_cast<const char*>(buffer);
  DWORD done = 0;
  while (done < bytesToWrite) {
    ssize_t n = ::write(file->fd.Get(), bytes + done, bytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (bytesWritten) *bytesWritten = done;
      SetLastError(n == 0 ? ERROR_DISK_FULL : ErrorFromErrno(errno));
      return FALSE;
    }
    done += static_cast<DWORD>(n);
  }
  if (bytesWritten) *bytesWritten = done;
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE object) {
  auto& table = FileTable();
  OpenFile* file = LookUp(object);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // close(2) may report a deferred write error; the descriptor is gone either way, and so is the
  // handle, but the caller learns that the data may not have reached the disk.
  int closed = file->fd.Reset();
  int error = errno;
  table.Remove(reinterpret_cast<uintptr_t>(object));
  if (closed != 0 && error != EINTR) {
    SetLastError(ErrorFromErrno(error));
    return FALSE;
  }
  return TRUE;
}
