#include "model/SystemFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include "model/SystemReason.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "model/SystemCallFaults.h"

namespace vorandel::platform {

namespace {

// A descriptor closed when the operation ends without closing it itself (a failure, or a simulated kill
// standing for the system closing it).
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Writes everything, resuming after interruptions and short writes.
Failure writeAll(int fd, std::string_view bytes) {
  if (Failure injected = faultAt("write")) return injected;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return lastFailure();
    if (written == 0) return systemReason(ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return std::nullopt;
}

Failure fsyncOf(int fd) {
  if (Failure injected = faultAt("fsync")) return injected;
  if (::fsync(fd) == 0) return std::nullopt;
  return lastFailure();
}

// Closes the descriptor in every case; a failed close is reported.
Failure closeOf(Descriptor& fd) {
  const Failure injected = faultAt("close");
  if (::close(fd.release()) != 0 && !injected) return lastFailure();
  return injected;
}

Failure copyDurably(const std::string& from, const std::string& to) {
  if (Failure injected = faultAt("open")) return injected;
  const Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return lastFailure();
  std::string bytes;
  char buffer[65536];
  ssize_t got;
  while ((got = ::read(in.get(), buffer, sizeof buffer)) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return lastFailure();
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return writeDurably(to, bytes, from);
}

// The power-cut stand-in (SystemCallFaults.h): each change to a folder's names is noted, while a cut is
// planned, with the step that takes it back. The old bytes of a file a change removes or replaces are
// kept in memory for that.
std::string folderOfEntry(const std::string& path) {
  const std::filesystem::path normal = std::filesystem::absolute(path).lexically_normal();
  return (normal.has_filename() ? normal.parent_path() : normal.parent_path().parent_path()).string();
}

std::string normalFolder(const std::string& folder) {
  std::filesystem::path normal = std::filesystem::absolute(folder).lexically_normal();
  if (!normal.has_filename()) normal = normal.parent_path();
  return normal.string();
}

std::optional<std::string> bytesIfFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::string bytes;
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  char buffer[65536];
  for (ssize_t got; fd.get() >= 0 && (got = ::read(fd.get(), buffer, sizeof buffer)) > 0;)
    bytes.append(buffer, static_cast<std::size_t>(got));
  return bytes;
}

void putBack(const std::string& path, const std::optional<std::string>& bytes) {
  if (!bytes) return;
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() >= 0 && !bytes->empty() && ::write(fd.get(), bytes->data(), bytes->size()) < 0) return;
}

void noteCreated(const std::string& path) {
  if (powerCutPlanned()) noteChange(folderOfEntry(path), [path] { ::unlink(path.c_str()); });
}

}  // namespace

std::string lastFailure() { return systemReason(errno); }

Failure writeDurably(const std::string& path, std::string_view bytes, const std::string& permissionsOf) {
  if (Failure injected = faultAt("open")) return injected;
  const bool created = powerCutPlanned() && ::access(path.c_str(), F_OK) != 0;
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (fd.get() < 0) return lastFailure();
  if (created) noteCreated(path);
  struct stat old {};
  if (!permissionsOf.empty() && ::stat(permissionsOf.c_str(), &old) == 0 &&
      ::fchmod(fd.get(), old.st_mode & 07777) != 0)
    return lastFailure();
  if (Failure failure = writeAll(fd.get(), bytes)) return failure;
  if (Failure failure = fsyncOf(fd.get())) return failure;
  return closeOf(fd);
}

// A pipe opened without waiting fails with ENXIO when no one reads it; once open, it is written as any
// file, waiting for the reader to take each part.
Failure writeThrough(const std::string& path, std::string_view bytes, bool& noReader) {
  noReader = false;
  if (Failure injected = faultAt("open")) return injected;
  Descriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    noReader = errno == ENXIO;
    return lastFailure();
  }
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return lastFailure();
  if (Failure failure = writeAll(fd.get(), bytes)) return failure;
  return closeOf(fd);
}

Failure linkOrCopy(const std::string& from, const std::string& to) {
  if (Failure failure = removeFile(to)) return failure;
  if (Failure injected = faultAt("link")) return injected;
  if (::link(from.c_str(), to.c_str()) == 0) {
    noteCreated(to);
    return std::nullopt;
  }
  // File systems without hard links (FAT on a memory stick, some network shares) get a copy.
  if (errno != EPERM && errno != EXDEV && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EMLINK)
    return lastFailure();
  return copyDurably(from, to);
}

Failure renameFile(const std::string& from, const std::string& to) {
  if (Failure injected = faultAt("rename")) return injected;
  const std::optional<std::string> replaced = powerCutPlanned() ? bytesIfFile(to) : std::nullopt;
  if (::rename(from.c_str(), to.c_str()) != 0) return lastFailure();
  if (powerCutPlanned()) noteChange(folderOfEntry(to), [from, to, replaced] {
    ::rename(to.c_str(), from.c_str());
    putBack(to, replaced);
  });
  return std::nullopt;
}

Failure syncFolder(const std::string& folder) {
  if (Failure injected = faultAt("open")) return injected;
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return lastFailure();
  if (Failure injected = faultAt("fsync")) return injected;
  // Some file systems cannot sync a folder (EINVAL): their renames are as durable as they get.
  if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != EROFS) return lastFailure();
  if (powerCutPlanned()) noteSynced(normalFolder(folder));
  return closeOf(fd);
}

Failure removeFile(const std::string& path) {
  if (Failure injected = faultAt("unlink")) return injected;
  const std::optional<std::string> removed = powerCutPlanned() ? bytesIfFile(path) : std::nullopt;
  if (::unlink(path.c_str()) == 0) {
    if (removed) noteChange(folderOfEntry(path), [path, removed] { putBack(path, removed); });
    return std::nullopt;
  }
  if (errno == ENOENT) return std::nullopt;
  return lastFailure();
}

Failure makeFolder(const std::string& path) {
  if (Failure injected = faultAt("mkdir")) return injected;
  if (::mkdir(path.c_str(), 0777) == 0) {
    if (powerCutPlanned()) noteChange(folderOfEntry(path), [path] {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    });
    return std::nullopt;
  }
  return lastFailure();
}

Failure removeEmptyFolder(const std::string& path) {
  if (Failure injected = faultAt("rmdir")) return injected;
  if (::rmdir(path.c_str()) == 0) {
    if (powerCutPlanned()) noteChange(folderOfEntry(path), [path] { ::mkdir(path.c_str(), 0777); });
    return std::nullopt;
  }
  if (errno == ENOENT || errno == ENOTEMPTY || errno == EEXIST) return std::nullopt;
  return lastFailure();
}

PathKind kindOf(const std::string& path) {
  if (faultAt("stat")) return PathKind::Unknown;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno == ENOENT ? PathKind::Missing : PathKind::Unknown;
  if (S_ISREG(info.st_mode)) return PathKind::Regular;
  if (S_ISDIR(info.st_mode)) return PathKind::Folder;
  if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)) return PathKind::Stream;
  return PathKind::Other;
}

bool isReadOnly(const std::string& path) {
  struct stat info {};
  // Permission bits, not access(2): a root user may write anything, but a file marked read-only by its
  // owner is still meant to stay as it is.
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// An open file can always be read and replaced here; a planned fault plays the other program.
bool heldByAnotherProgram(const std::string&, FileUse) { return faultAt("share").has_value(); }

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

std::string nameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string absolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  const bool firstThere = ::stat(a.c_str(), &first) == 0, secondThere = ::stat(b.c_str(), &second) == 0;
  if (firstThere && secondThere) return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
  if (firstThere || secondThere) return false;
  std::error_code error;
  return std::filesystem::weakly_canonical(a, error) == std::filesystem::weakly_canonical(b, error);
}

std::optional<FolderLock> FolderLock::acquire(const std::string& folder, Mode mode, int waitMilliseconds,
                                              std::string& reason, bool* heldByReaders) {
  if (Failure injected = faultAt("lock")) {
    reason = *injected;
    return std::nullopt;
  }
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) {
    reason = lastFailure();
    return std::nullopt;
  }
  constexpr int kPause = 5;
  const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  for (int waited = 0;; waited += kPause) {
    if (::flock(fd.get(), operation) == 0) return FolderLock(fd.release());
    if (errno != EWOULDBLOCK && errno != EINTR) {
      reason = lastFailure();
      return std::nullopt;
    }
    if (waited >= waitMilliseconds) {
      reason.clear();
      // A shared lock that can be had tells that only readers hold the folder.
      if (heldByReaders) *heldByReaders = mode == Mode::Exclusive && ::flock(fd.get(), LOCK_SH | LOCK_NB) == 0;
      return std::nullopt;
    }
    ::usleep(kPause * 1000);
  }
}

FolderLock::~FolderLock() {
  if (handle_ != kNone) ::close(static_cast<int>(handle_));  // closing the descriptor releases the lock
}

}  // namespace vorandel::platform
