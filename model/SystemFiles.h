#pragma once
// The file-system calls whose every step the program must control: durable writes, renames that replace
// their target, second names for a file, folder syncs and folder locks. SystemFilesPosix.cpp and
// SystemFilesWindows.cpp implement them; nothing else in the core calls the system for these.
// Paths are narrow strings as the user gave them: the locale's bytes on POSIX, UTF-8 on Windows (where
// the wide calls take them, whatever the system's code page and length).
#include <optional>
#include <string>
#include <string_view>

namespace vorandel::platform {

// Empty when the call succeeded; otherwise the system's reason (strerror in the locale's encoding,
// FormatMessage as UTF-8).
using Failure = std::optional<std::string>;

// Creates or truncates the file, writes all bytes, flushes them to the disk and closes it, checking every
// step. A failed write may leave a partial file behind: callers write to names they own.
Failure writeDurably(const std::string& path, std::string_view bytes);

// Gives the existing file a second name (a hard link); where the file system has none, a durable copy.
Failure linkOrCopy(const std::string& from, const std::string& to);

// Moves a file to a name, replacing a file of that name in one step, and makes the move durable.
Failure renameReplacing(const std::string& from, const std::string& to);

// Makes the names in the folder durable (POSIX: fsync of the folder; Windows writes through already).
Failure syncFolder(const std::string& folder);

// Removes a file; a missing file is no failure.
Failure removeFile(const std::string& path);

enum class PathKind { Missing, Regular, Folder, Other };
PathKind kindOf(const std::string& path);  // links followed

// A file whose permissions forbid writing (the read-only attribute on Windows).
bool isReadOnly(const std::string& path);

// The path a chain of symbolic links finally names (the path itself when it is no link), so that a
// file is replaced where it lives and the link keeps working.
std::string resolveLinks(const std::string& path);

// The folder part of a path ("." when it has none), and a name inside a folder.
std::string folderOf(const std::string& path);
std::string pathIn(const std::string& folder, const std::string& name);

// The system's reason for the last failed call.
std::string lastFailure();

// An exclusive lock on a folder, held until destroyed: one writer at a time.
class FolderLock {
 public:
  // Waits up to the given milliseconds for the lock. Nothing when another process keeps it (reason
  // empty) or it cannot be taken at all (the system's reason).
  static std::optional<FolderLock> acquire(const std::string& folder, int waitMilliseconds, std::string& reason);
  FolderLock(FolderLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
  FolderLock& operator=(FolderLock&&) = delete;
  ~FolderLock();

 private:
  static constexpr long long kNone = -1;
  explicit FolderLock(long long handle) : handle_(handle) {}
  long long handle_;  // a descriptor or a HANDLE
};

}  // namespace vorandel::platform
