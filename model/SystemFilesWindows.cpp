#include "model/SystemFiles.h"

#include <windows.h>

#include <algorithm>

#include "model/WideText.h"

namespace vorandel::platform {

namespace {

Failure closeChecked(HANDLE file, bool ok) {
  std::string reason = ok ? std::string() : lastFailure();
  if (!CloseHandle(file) && ok) {
    ok = false;
    reason = lastFailure();
  }
  if (ok) return std::nullopt;
  return reason;
}

}  // namespace

std::string lastFailure() {
  const DWORD code = GetLastError();
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

Failure writeDurably(const std::string& path, std::string_view bytes) {
  const HANDLE file =
      CreateFileW(widePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastFailure();
  bool ok = true;
  while (ok && !bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    ok = WriteFile(file, bytes.data(), chunk, &written, nullptr) && written > 0;
    bytes.remove_prefix(written);
  }
  return closeChecked(file, ok && FlushFileBuffers(file));
}

Failure linkOrCopy(const std::string& from, const std::string& to) {
  removeFile(to);
  if (CreateHardLinkW(widePath(to).c_str(), widePath(from).c_str(), nullptr)) return std::nullopt;
  // FAT and some network shares have no hard links: a copy, flushed like every file the program writes.
  if (!CopyFileW(widePath(from).c_str(), widePath(to).c_str(), FALSE)) return lastFailure();
  const HANDLE file = CreateFileW(widePath(to).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lastFailure();
  return closeChecked(file, FlushFileBuffers(file));
}

Failure renameReplacing(const std::string& from, const std::string& to) {
  if (MoveFileExW(widePath(from).c_str(), widePath(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return std::nullopt;
  return lastFailure();
}

Failure syncFolder(const std::string&) { return std::nullopt; }  // every move wrote through already

Failure removeFile(const std::string& path) {
  if (DeleteFileW(widePath(path).c_str())) return std::nullopt;
  const DWORD code = GetLastError();
  if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
  return lastFailure();
}

PathKind kindOf(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::Other;
  return PathKind::Regular;
}

bool isReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Links to the scenario files are rare on Windows; a move replaces a link itself there, as Explorer does.
std::string resolveLinks(const std::string& path) { return path; }

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

std::optional<FolderLock> FolderLock::acquire(const std::string& folder, int waitMilliseconds, std::string& reason) {
  // A lock file opened without sharing is the lock; Windows removes it when the handle closes.
  const std::wstring name = widePath(pathIn(folder, ".vorandel-lock"));
  constexpr int kPause = 20;
  for (int waited = 0;; waited += kPause) {
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) return FolderLock(reinterpret_cast<long long>(file));
    const DWORD code = GetLastError();
    // A lock file that is still there (held, or being removed) refuses access; a folder that cannot be
    // written refuses it too, but then the file is not there.
    const bool held = code == ERROR_SHARING_VIOLATION ||
                      (code == ERROR_ACCESS_DENIED && GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (!held) {
      SetLastError(code);
      reason = lastFailure();
      return std::nullopt;
    }
    if (waited >= waitMilliseconds) {
      reason.clear();
      return std::nullopt;
    }
    Sleep(kPause);
  }
}

FolderLock::~FolderLock() {
  if (handle_ != kNone) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace vorandel::platform
