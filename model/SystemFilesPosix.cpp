#include "model/SystemFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

namespace vorandel::platform {

namespace {

// Writes everything, resuming after interruptions and short writes.
bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

Failure closeChecked(int fd, bool ok) {
  std::string reason = ok ? std::string() : lastFailure();
  if (::close(fd) != 0 && ok) {
    ok = false;
    reason = lastFailure();
  }
  if (ok) return std::nullopt;
  return reason;
}

Failure copyDurably(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return lastFailure();
  std::string bytes;
  char buffer[65536];
  ssize_t got;
  while ((got = ::read(in, buffer, sizeof buffer)) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const std::string reason = lastFailure();
      ::close(in);
      return reason;
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(in);
  return writeDurably(to, bytes);
}

}  // namespace

std::string lastFailure() { return std::strerror(errno); }

Failure writeDurably(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return lastFailure();
  return closeChecked(fd, writeAll(fd, bytes) && ::fsync(fd) == 0);
}

Failure linkOrCopy(const std::string& from, const std::string& to) {
  removeFile(to);
  if (::link(from.c_str(), to.c_str()) == 0) return std::nullopt;
  // File systems without hard links (FAT on a memory stick, some network shares) get a copy.
  if (errno != EPERM && errno != EXDEV && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EMLINK)
    return lastFailure();
  return copyDurably(from, to);
}

Failure renameReplacing(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return lastFailure();
  return syncFolder(folderOf(to));
}

Failure syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return lastFailure();
  // Some file systems cannot sync a folder (EINVAL): their renames are as durable as they get.
  const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
  return closeChecked(fd, synced);
}

Failure removeFile(const std::string& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return std::nullopt;
  return lastFailure();
}

PathKind kindOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return PathKind::Missing;
  if (S_ISREG(info.st_mode)) return PathKind::Regular;
  if (S_ISDIR(info.st_mode)) return PathKind::Folder;
  return PathKind::Other;
}

bool isReadOnly(const std::string& path) {
  struct stat info {};
  // Permission bits, not access(2): a root user may write anything, but a file marked read-only by its
  // owner is still meant to stay as it is.
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string resolveLinks(const std::string& path) {
  std::filesystem::path current(path);
  for (int depth = 0; depth < 40; ++depth) {
    std::error_code error;
    if (!std::filesystem::is_symlink(current, error)) return current.string();
    const std::filesystem::path target = std::filesystem::read_symlink(current, error);
    if (error) return current.string();
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  return current.string();
}

std::string folderOf(const std::string& path) {
  const std::string parent = std::filesystem::path(path).parent_path().string();
  return parent.empty() ? "." : parent;
}

std::string pathIn(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

std::optional<FolderLock> FolderLock::acquire(const std::string& folder, int waitMilliseconds, std::string& reason) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) {
    reason = lastFailure();
    return std::nullopt;
  }
  constexpr int kPause = 20;
  for (int waited = 0;; waited += kPause) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return FolderLock(fd);
    if (errno != EWOULDBLOCK && errno != EINTR) {
      reason = lastFailure();
      break;
    }
    if (waited >= waitMilliseconds) {
      reason.clear();
      break;
    }
    ::usleep(kPause * 1000);
  }
  ::close(fd);
  return std::nullopt;
}

FolderLock::~FolderLock() {
  if (handle_ != kNone) ::close(static_cast<int>(handle_));  // closing the descriptor releases the lock
}

}  // namespace vorandel::platform
