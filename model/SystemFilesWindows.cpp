#include "model/SystemFiles.h"

#include <windows.h>

#include <algorithm>

#include "model/Messages.h"
#include "model/SystemCallFaults.h"
#include "model/WideText.h"

namespace vorandel::platform {

namespace {

// A handle closed when the operation ends without closing it itself (a failure, or a simulated kill
// standing for the system closing it).
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  HANDLE release() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }

 private:
  HANDLE handle_;
};

Failure writeAll(HANDLE file, std::string_view bytes) {
  if (Failure injected = faultAt("write")) return injected;
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return lastFailure();
    if (written == 0) return std::string("disk full");
    bytes.remove_prefix(written);
  }
  return std::nullopt;
}

Failure flushOf(HANDLE file) {
  if (Failure injected = faultAt("fsync")) return injected;
  if (FlushFileBuffers(file)) return std::nullopt;
  return lastFailure();
}

// Closes the handle in every case; a failed close is reported.
Failure closeOf(Handle& file) {
  const Failure injected = faultAt("close");
  if (!CloseHandle(file.release()) && !injected) return lastFailure();
  return injected;
}

}  // namespace

std::string lastFailure() {
  const DWORD code = GetLastError();
  // The common reasons in the player's words, whatever the system's language.
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return kReasonNotFound;
    case ERROR_DIRECTORY: return kReasonNotAFolder;
    case ERROR_ACCESS_DENIED: return kReasonNoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return kReasonDiskFull;
    case ERROR_WRITE_PROTECT: return kReasonReadOnlySystem;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return kReasonExists;
    case ERROR_FILENAME_EXCED_RANGE: return kReasonNameTooLong;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return kReasonBusy;
    default: break;
  }
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason =
      length > 0 && text != nullptr ? narrow(std::wstring_view(text, length)) : "Windows error " + std::to_string(code);
  if (text != nullptr) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return reason;
}

// Permissions on Windows come from the folder the file is made in; permissionsOf has nothing to copy.
Failure writeDurably(const std::string& path, std::string_view bytes, const std::string&) {
  if (Failure injected = faultAt("open")) return injected;
  Handle file(
      CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return lastFailure();
  if (Failure failure = writeAll(file.get(), bytes)) return failure;
  if (Failure failure = flushOf(file.get())) return failure;
  return closeOf(file);
}

Failure writeThrough(const std::string& path, std::string_view bytes, bool& noReader) {
  noReader = false;
  if (Failure injected = faultAt("open")) return injected;
  Handle file(CreateFileW(widePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) {
    noReader = GetLastError() == ERROR_PIPE_BUSY || GetLastError() == ERROR_PIPE_NOT_CONNECTED;
    return lastFailure();
  }
  if (Failure failure = writeAll(file.get(), bytes)) return failure;
  return closeOf(file);
}

Failure linkOrCopy(const std::string& from, const std::string& to) {
  if (Failure failure = removeFile(to)) return failure;
  if (Failure injected = faultAt("link")) return injected;
  if (CreateHardLinkW(widePath(to).c_str(), widePath(from).c_str(), nullptr)) return std::nullopt;
  // FAT and some network shares have no hard links: a copy, flushed like every file the program writes.
  if (Failure injected = faultAt("open")) return injected;
  if (!CopyFileW(widePath(from).c_str(), widePath(to).c_str(), FALSE)) return lastFailure();
  Handle file(CreateFileW(widePath(to).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return lastFailure();
  if (Failure failure = flushOf(file.get())) return failure;
  return closeOf(file);
}

Failure renameFile(const std::string& from, const std::string& to) {
  if (Failure injected = faultAt("rename")) return injected;
  if (MoveFileExW(widePath(from).c_str(), widePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return std::nullopt;
  return lastFailure();
}

// Every move wrote through already; the call is still counted, so that a fault walk has the same steps
// on both systems.
Failure syncFolder(const std::string&) {
  if (Failure injected = faultAt("fsync")) return injected;
  return std::nullopt;
}

Failure removeFile(const std::string& path) {
  if (Failure injected = faultAt("unlink")) return injected;
  if (DeleteFileW(widePath(path).c_str())) return std::nullopt;
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
  SetLastError(code);
  return lastFailure();
}

Failure makeFolder(const std::string& path) {
  if (Failure injected = faultAt("mkdir")) return injected;
  if (CreateDirectoryW(widePath(path).c_str(), nullptr)) return std::nullopt;
  return lastFailure();
}

Failure removeEmptyFolder(const std::string& path) {
  if (Failure injected = faultAt("rmdir")) return injected;
  if (RemoveDirectoryW(widePath(path).c_str())) return std::nullopt;
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || code == ERROR_DIR_NOT_EMPTY) return std::nullopt;
  SetLastError(code);
  return lastFailure();
}

PathKind kindOf(const std::string& path) {
  if (faultAt("stat")) return PathKind::Unknown;
  const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return PathKind::Folder;
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return PathKind::Missing;
  }
  // Devices (NUL, CON) and pipes may have attributes or none: ask what the open handle is.
  const Handle handle(CreateFileW(widePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (handle.get() == INVALID_HANDLE_VALUE)
    return attributes != INVALID_FILE_ATTRIBUTES ? PathKind::Regular : PathKind::Unknown;
  const DWORD type = GetFileType(handle.get());
  if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) return PathKind::Stream;
  return type == FILE_TYPE_DISK ? PathKind::Regular : PathKind::Other;
}

bool isReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Opened as the program would use it, with every sharing allowed: only a sharing or lock violation means
// another program holds it.
bool heldByAnotherProgram(const std::string& path, FileUse use) {
  if (faultAt("share")) return true;
  const DWORD access = use == FileUse::Read ? GENERIC_READ : DELETE;
  const Handle file(CreateFileW(widePath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() != INVALID_HANDLE_VALUE) return false;
  const DWORD code = GetLastError();
  return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION;
}

// Links to the scenario files are rare on Windows; a move replaces a link itself there, as Explorer does.
std::string resolveLinks(const std::string& path) { return path; }

// Separators are looked for in the wide form, character by character.
std::string folderOf(const std::string& path) {
  const std::wstring text = wide(path);
  const std::size_t slash = text.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return ".";
  if (slash == 0 || (slash == 2 && text[1] == L':')) return narrow(text.substr(0, slash + 1));
  return narrow(text.substr(0, slash));
}

std::string pathIn(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const wchar_t last = wide(folder).back();
  return last == L'\\' || last == L'/' || last == L':' ? folder + name : folder + '\\' + name;
}

std::string nameOf(const std::string& path) {
  const std::wstring text = wide(path);
  const std::size_t slash = text.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? path : narrow(text.substr(slash + 1));
}

std::string absolutePath(const std::string& path) {
  const std::wstring text = wide(path);
  const DWORD size = GetFullPathNameW(text.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(text.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return narrow(full);
}

bool sameFile(const std::string& a, const std::string& b) {
  const auto identify = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& information) {
    const Handle file(CreateFileW(widePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.get() != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file.get(), &information);
  };
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  const bool firstThere = identify(a, first), secondThere = identify(b, second);
  if (firstThere && secondThere)
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
  if (firstThere || secondThere) return false;
  return CompareStringOrdinal(wide(absolutePath(a)).c_str(), -1, wide(absolutePath(b)).c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::optional<FolderLock> FolderLock::acquire(const std::string& folder, Mode mode, int waitMilliseconds,
                                              std::string& reason, bool* heldByReaders) {
  if (Failure injected = faultAt("lock")) {
    reason = *injected;
    return std::nullopt;
  }
  // A hidden lock file, shared by every reader and writer and removed with its last handle; the lock
  // is a byte range of it, shared for readers, exclusive for a writer.
  const std::wstring name = widePath(pathIn(folder, ".vorandel-lock"));
  constexpr int kPause = 5;
  for (int waited = 0;; waited += kPause) {
    Handle file(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    bool held = false;
    if (file.get() != INVALID_HANDLE_VALUE) {
      OVERLAPPED range{};
      const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (mode == Mode::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
      if (LockFileEx(file.get(), flags, 0, 1, 0, &range))
        return FolderLock(reinterpret_cast<long long>(file.release()));
      held = GetLastError() == ERROR_LOCK_VIOLATION || GetLastError() == ERROR_IO_PENDING;
    } else {
      const DWORD code = GetLastError();
      // A lock file being removed refuses access for a moment; a folder that cannot be written refuses it
      // too, but then the file is not there: a reader may read without a lock, since no writer can write.
      const bool there = GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
      held = code == ERROR_SHARING_VIOLATION || (code == ERROR_ACCESS_DENIED && there);
      if (!held && code == ERROR_ACCESS_DENIED && mode == Mode::Shared) return FolderLock(kNone);
      if (!held) {
        SetLastError(code);
        reason = lastFailure();
        return std::nullopt;
      }
    }
    if (!held) {
      reason = lastFailure();
      return std::nullopt;
    }
    if (waited >= waitMilliseconds) {
      reason.clear();
      // A shared range that can be had tells that only readers hold the folder; closing the handle
      // gives it back.
      if (heldByReaders && mode == Mode::Exclusive && file.get() != INVALID_HANDLE_VALUE) {
        OVERLAPPED range{};
        *heldByReaders = LockFileEx(file.get(), LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range) != 0;
      }
      return std::nullopt;
    }
    Sleep(kPause);
  }
}

FolderLock::~FolderLock() {
  if (handle_ != kNone) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace vorandel::platform
