#include "cli/ExportFile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>
#include <vector>

#include "app/AppMessages.h"
#include "cli/Cli.h"
#include "model/FileError.h"
#include "model/Messages.h"
#include "model/OpenFile.h"

#ifdef _WIN32
#include <windows.h>

#include "cli/WindowsConsole.h"
#include "model/WideText.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace vorandel {

namespace {

constexpr const char* kExists = "文件 %s 已存在，没有导出。\n要覆盖它，请加 --force（原有的文件保存为 %s）。";
constexpr const char* kFolder = "无法写入文件：%s\n这是一个文件夹。";
constexpr const char* kNoReader = "无法写入文件：%s\n这是一个管道，但没有程序在读取它。";
constexpr const char* kNotAFile = "无法写入文件：%s\n这不是普通文件，也不是可以写入的设备或管道。";
constexpr const char* kStandardOut = "无法写入标准输出。";

[[noreturn]] void fail(int code, const char* text, const std::vector<std::string>& paths,
                       const std::string& reason = {}) {
  Message message;
  if (paths.empty())
    message.text(text);
  else if (paths.size() == 1)
    message = Message::withPaths(text, {paths[0]});
  else
    message = Message::withPaths(text, {paths[0], paths[1]});
  if (!reason.empty()) message.textLine("原因：").native(reason);
  if (code == kExitRefused) throw ExportRefused(std::move(message));
  throw FileError(std::move(message));
}

enum class Kind { Missing, Regular, Directory, Stream, Other };  // Stream: a character device or a pipe

// A name beside target that nobody uses yet: hidden, and marked as the program's own.
std::string besideName(const std::string& target) {
  static constexpr char kDigits[] = "0123456789abcdef";
#ifdef _WIN32
  static constexpr const char* kSeparators = "\\/:";
#else
  static constexpr const char* kSeparators = "/";
#endif
  std::random_device random;
  // Separators are ASCII, which no byte of a UTF-8 character is; npos + 1 is the start of a bare name.
  const std::size_t start = target.find_last_of(kSeparators) + 1;
  std::string name = target.substr(0, start) + '.' + target.substr(start) + ".vorandel-";
  for (unsigned bits = random(), n = 0; n < 8; ++n, bits >>= 4) name += kDigits[bits & 15u];
  return name;
}

#ifdef _WIN32

using platform::widePath;

std::string systemReason(DWORD error = GetLastError()) {
  wchar_t* text = nullptr;
  const DWORD size =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason =
      size > 0 && text != nullptr ? platform::narrow(std::wstring_view(text, size)) : "error " + std::to_string(error);
  if (text != nullptr) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return reason;
}

// Links are left to the system: a name is replaced where it stands.
std::string resolveLinks(const std::string& typed) { return typed; }

struct Found {
  Kind kind;
};

Found inspect(const std::string& typed, const std::string& target) {
  HANDLE handle = CreateFileW(widePath(target).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {Kind::Missing};
    fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason(error));
  }
  const DWORD type = GetFileType(handle);
  BY_HANDLE_FILE_INFORMATION information{};
  const bool described = type == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &information);
  CloseHandle(handle);
  if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) return {Kind::Stream};
  if (!described) return {Kind::Other};
  return {(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? Kind::Directory : Kind::Regular};
}

bool writeAll(HANDLE handle, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

void writeThrough(const std::string& typed, const std::string& target, const std::string& bytes) {
  HANDLE handle = CreateFileW(widePath(target).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason());
  const bool written = writeAll(handle, bytes);
  const DWORD error = GetLastError();
  CloseHandle(handle);
  if (!written) fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason(error));
}

// Writes bytes to a new file beside target, flushed to the disk and closed; returns its name.
std::string writeBeside(const std::string& typed, const std::string& target, const std::string& bytes, const Found&) {
  for (int attempt = 0;; ++attempt) {
    const std::string temp = besideName(target);
    HANDLE handle =
        CreateFileW(widePath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS && attempt < 100) continue;
      fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason(error));
    }
    const bool written = writeAll(handle, bytes) && FlushFileBuffers(handle);
    const DWORD error = GetLastError();
    const bool closed = CloseHandle(handle);
    if (!written || !closed) {
      DeleteFileW(widePath(temp).c_str());
      fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason(written ? GetLastError() : error));
    }
    return temp;
  }
}

// Keeps what target holds now under backup, replacing an older backup only once the copy is whole.
bool keepAsBackup(const std::string& target, const std::string& backup, std::string& reason) {
  const std::string temp = besideName(backup);
  if (!CreateHardLinkW(widePath(temp).c_str(), widePath(target).c_str(), nullptr) &&
      !CopyFileW(widePath(target).c_str(), widePath(temp).c_str(), TRUE)) {
    reason = systemReason();
    return false;
  }
  if (MoveFileExW(widePath(temp).c_str(), widePath(backup).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  reason = systemReason();
  DeleteFileW(widePath(temp).c_str());
  return false;
}

bool moveOver(const std::string& from, const std::string& to, std::string& reason) {
  if (MoveFileExW(widePath(from).c_str(), widePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  reason = systemReason();
  DeleteFileW(widePath(from).c_str());
  return false;
}

#else

std::string systemReason(int error = errno) { return std::strerror(error); }

// The file that typed finally names, following each link from the folder that holds it.
std::string resolveLinks(const std::string& typed) {
  std::filesystem::path target(typed);
  for (int hops = 0;; ++hops) {
    struct stat information {};
    if (lstat(target.c_str(), &information) != 0 || !S_ISLNK(information.st_mode)) return target.string();
    std::error_code error;
    const std::filesystem::path next = std::filesystem::read_symlink(target, error);
    if (error) fail(kExitFileFailed, kCannotWriteFile, {typed}, error.message());
    if (hops == 40) fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason(ELOOP));
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
}

struct Found {
  Kind kind;
  mode_t mode = 0;
};

Found inspect(const std::string& typed, const std::string& target) {
  struct stat information {};
  if (stat(target.c_str(), &information) != 0) {
    if (errno == ENOENT) return {Kind::Missing};
    fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason());
  }
  const mode_t mode = information.st_mode;
  if (S_ISREG(mode)) return {Kind::Regular, mode};
  if (S_ISDIR(mode)) return {Kind::Directory, mode};
  if (S_ISFIFO(mode) || S_ISCHR(mode)) return {Kind::Stream, mode};
  return {Kind::Other, mode};
}

bool writeAll(int file, const std::string& bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t written = write(file, bytes.data() + done, std::min<std::size_t>(bytes.size() - done, 1u << 20));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// A pipe opened without waiting fails with ENXIO when no one reads it; once open, it is written as
// any file, waiting for the reader to take each part.
void writeThrough(const std::string& typed, const std::string& target, const std::string& bytes) {
  const int file = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (file < 0) {
    if (errno == ENXIO) fail(kExitFileFailed, kNoReader, {typed});
    fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason());
  }
  const int flags = fcntl(file, F_GETFL);
  bool written = flags >= 0 && fcntl(file, F_SETFL, flags & ~O_NONBLOCK) == 0 && writeAll(file, bytes);
  int error = errno;
  if (close(file) != 0 && written) written = false, error = errno;
  if (!written) fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason(error));
}

// Writes bytes to a new file beside target, with target's permissions when it exists, flushed to the
// disk and closed; returns its name.
std::string writeBeside(const std::string& typed, const std::string& target, const std::string& bytes,
                        const Found& found) {
  for (int attempt = 0;; ++attempt) {
    const std::string temp = besideName(target);
    const int file = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file < 0) {
      if (errno == EEXIST && attempt < 100) continue;
      fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason());
    }
    if (found.kind == Kind::Regular) fchmod(file, found.mode & 07777);
    bool written = writeAll(file, bytes) && fsync(file) == 0;
    int error = errno;
    if (close(file) != 0 && written) written = false, error = errno;
    if (!written) {
      unlink(temp.c_str());
      fail(kExitFileFailed, kCannotWriteFile, {typed}, systemReason(error));
    }
    return temp;
  }
}

// Keeps what target holds now under backup: a second name for the same file (a copy where the file
// system has no such names), put over an older backup only once it is whole.
bool keepAsBackup(const std::string& target, const std::string& backup, std::string& reason) {
  const std::string temp = besideName(backup);
  std::error_code error;
  if (link(target.c_str(), temp.c_str()) != 0 && !std::filesystem::copy_file(target, temp, error)) {
    reason = error ? error.message() : systemReason();
    return false;
  }
  if (rename(temp.c_str(), backup.c_str()) == 0) return true;
  reason = systemReason();
  unlink(temp.c_str());
  return false;
}

bool moveOver(const std::string& from, const std::string& to, std::string& reason) {
  if (rename(from.c_str(), to.c_str()) != 0) {
    reason = systemReason();
    unlink(from.c_str());
    return false;
  }
  // The new name lasts only once the folder holding it reaches the disk.
  const std::string folder = std::filesystem::path(to).parent_path().string();
  const int directory = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory >= 0) {
    fsync(directory);
    close(directory);
  }
  return true;
}

#endif

}  // namespace

ExportedFile writeExportFile(const std::string& path, const std::string& bytes, bool force, std::ostream& standardOut) {
  if (path == "-") {
#ifdef _WIN32
    const PassedBytes bytesAsTheyAre(standardOut);
#endif
    standardOut.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    standardOut.flush();
    if (!standardOut) fail(kExitFileFailed, kStandardOut, {});
    return {};
  }
  const std::string target = resolveLinks(path);
  const Found found = inspect(path, target);
  switch (found.kind) {
    case Kind::Directory: fail(kExitFileFailed, kFolder, {path});
    case Kind::Other: fail(kExitFileFailed, kNotAFile, {path});
    case Kind::Stream: writeThrough(path, target, bytes); return {};
    case Kind::Missing:
    case Kind::Regular: break;
  }
  const std::string backup = found.kind == Kind::Regular ? target + ".bak" : std::string();
  if (!backup.empty() && !force) fail(kExitRefused, kExists, {path, backup});
  const std::string temp = writeBeside(path, target, bytes, found);
  std::string reason;
  if (!backup.empty() && !keepAsBackup(target, backup, reason)) {
    std::error_code ignored;
    std::filesystem::remove(systemPath(temp), ignored);
    fail(kExitFileFailed, kCannotBackUp, {path, backup}, reason);
  }
  if (!moveOver(temp, target, reason)) fail(kExitFileFailed, kCannotWriteFile, {path}, reason);
  return {backup};
}

}  // namespace vorandel
