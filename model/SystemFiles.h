#pragma once
// The file-system calls whose every step the program must control: durable writes, renames, second names
// for a file, folder syncs and folder locks. SystemFilesPosix.cpp and SystemFilesWindows.cpp implement
// them; nothing else in the core calls the system for these. Every call that touches the disk passes
// through the fault seam of SystemCallFaults.h first.
// Paths are narrow strings as the user gave them: the locale's bytes on POSIX, UTF-8 on Windows (where
// the wide calls take them, whatever the system's code page and length).
#include <optional>
#include <string>
#include <string_view>

namespace vorandel::platform {

// Empty when the call succeeded; otherwise the system's reason, UTF-8 (the error number in Chinese words,
// SystemReason.h; on Windows FormatMessage's own text).
using Failure = std::optional<std::string>;

// Creates or truncates the file, writes all bytes, flushes them to the disk and closes it, checking every
// step. With permissionsOf, the new file gets that file's permissions (when it can be read). A failed
// write may leave a partial file behind: callers write to names they own.
Failure writeDurably(const std::string& path, std::string_view bytes, const std::string& permissionsOf = {});

// Writes the bytes into a character device or a named pipe as it stands. A pipe that nobody reads is
// refused at once (noReader set) instead of waited on.
Failure writeThrough(const std::string& path, std::string_view bytes, bool& noReader);

// Gives the existing file a second name (a hard link); where the file system has none, a durable copy.
Failure linkOrCopy(const std::string& from, const std::string& to);

// Moves a file to a name, replacing a file of that name in one step. The move is durable only once
// syncFolder has run on the folder: a failure of that sync is not a failed move.
Failure renameFile(const std::string& from, const std::string& to);

// Makes the names in the folder durable (POSIX: fsync of the folder; Windows writes through already).
Failure syncFolder(const std::string& folder);

// Removes a file; a missing file is no failure.
Failure removeFile(const std::string& path);

// Makes a new folder; one already there is a failure (the caller makes only folders it has found missing).
Failure makeFolder(const std::string& path);

// Removes a folder when it is empty; a missing folder, or one that still holds something, is no failure.
Failure removeEmptyFolder(const std::string& path);

// Missing only when the system says there is no such file; any other failure to look is Unknown.
enum class PathKind { Missing, Regular, Folder, Stream, Other, Unknown };  // Stream: a device or a pipe
PathKind kindOf(const std::string& path);                                  // links followed

// A file whose permissions forbid writing (the read-only attribute on Windows).
bool isReadOnly(const std::string& path);

// Whether another program holds the existing file open so that it cannot be read (Read) or replaced
// (Replace): a sharing violation on Windows, where a spreadsheet keeps its file open that way. POSIX has
// no such lock; the fault seam ("share") stands in for it there. False when the file is missing.
enum class FileUse { Read, Replace };
bool heldByAnotherProgram(const std::string& path, FileUse use);

// The path a chain of symbolic links finally names (the path itself when it is no link), so that a
// file is replaced where it lives and the link keeps working.
std::string resolveLinks(const std::string& path);

// The folder part of a path ("." when it has none), a name inside a folder, and the last part of a path.
std::string folderOf(const std::string& path);
std::string pathIn(const std::string& folder, const std::string& name);
std::string nameOf(const std::string& path);

// The same path from the root, so that a record of it holds wherever the program runs from next.
std::string absolutePath(const std::string& path);

// Whether two paths name the same existing file (hard links and symbolic links included), or, when
// neither exists, the same path.
bool sameFile(const std::string& a, const std::string& b);

// The system's reason for the last failed call, UTF-8.
std::string lastFailure();

// A lock on a folder, held until destroyed: writers take it alone, readers share it, so that no read
// sees a group of files half replaced.
class FolderLock {
 public:
  enum class Mode { Shared, Exclusive };
  // Waits up to the given milliseconds for the lock. Nothing when another process keeps it (reason
  // empty; heldByReaders says whether only readers hold it) or it cannot be taken at all (the system's
  // reason). A reader of a folder where no lock can be made (a read-only share on Windows) gets a lock
  // that holds nothing: no writer can work there.
  static std::optional<FolderLock> acquire(const std::string& folder, Mode mode, int waitMilliseconds,
                                           std::string& reason, bool* heldByReaders = nullptr);
  FolderLock(FolderLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }
  FolderLock& operator=(FolderLock&&) = delete;
  ~FolderLock();

 private:
  static constexpr long long kNone = -1;
  explicit FolderLock(long long handle) : handle_(handle) {}
  long long handle_;  // a descriptor or a HANDLE
};

}  // namespace vorandel::platform
