#include "model/WideText.h"

#include <windows.h>

namespace vorandel::platform {

namespace {

// Shorter paths work everywhere without the prefix; CreateDirectory's limit (MAX_PATH less room for a
// name of 8.3 characters) is the lowest of the calls'.
constexpr std::size_t kPlainPathRoom = MAX_PATH - 12;

}  // namespace

std::wstring wide(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
  return text;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) return std::string();
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(), size, nullptr, nullptr);
  return text;
}

std::wstring widePath(std::string_view utf8) {
  std::wstring path = wide(utf8);
  if (path.size() < kPlainPathRoom || path.starts_with(LR"(\\?\)") || path.starts_with(LR"(\\.\)")) return path;
  // The prefixed form is taken literally: it must be absolute, with backslashes and without "." or "..",
  // which is what the full path name gives.
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
  return LR"(\\?\)" + full;
}

}  // namespace vorandel::platform
