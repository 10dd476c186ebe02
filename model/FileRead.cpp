#include "model/FileRead.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "model/FileError.h"
#include "model/Messages.h"
#include "model/OpenFile.h"
#include "model/SystemFiles.h"
#include "model/SystemReason.h"

namespace vorandel {

std::string readFileUpTo(const std::string& path, std::size_t maxBytes, bool roomForHalfMore) {
  const auto cannotRead = [&](int error) {
    throw FileError(Message::withPaths(kCannotReadFile, {path}).textLine(systemReason(error)));
  };
  // A folder opens on some systems and fails only at reading, with a reason in the system's words.
  if (platform::kindOf(path) == platform::PathKind::Folder)
    throw FileError(Message::withPaths(kCannotReadFile, {path}).textLine(kFolderNotFile));
  const FileHandle file = openFile(path, "rb");
  if (!file) cannotRead(errno);
  std::string bytes;
  // A file of known size is read into a string of that size: a large table would otherwise take up to
  // twice its size while the string grows. A pipe or a device has no size, and grows the string.
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(file.get());
    if (size > 0) {
      const std::size_t expected = std::min(static_cast<std::size_t>(size), maxBytes + 1);
      bytes.reserve(expected + (roomForHalfMore ? expected / 2 : 0));
    }
    std::rewind(file.get());
  } else {
    std::clearerr(file.get());
  }
  char buffer[1 << 16];
  while (bytes.size() <= maxBytes) {
    const std::size_t wanted = std::min(sizeof buffer, maxBytes + 1 - bytes.size());
    const std::size_t got = std::fread(buffer, 1, wanted, file.get());
    bytes.append(buffer, got);
    if (got < wanted) break;
  }
  if (std::ferror(file.get())) cannotRead(errno);
  return bytes;
}

std::string readWholeFile(const std::string& path, std::size_t maxBytes) {
  std::string bytes = readFileUpTo(path, maxBytes);
  if (bytes.size() > maxBytes) {
    throw FileError(Message::withPaths(kCannotReadFile, {path})
                        .textLine(std::string("文件太大（超过 ") + std::to_string(maxBytes >> 20) + " MB）。"));
  }
  return bytes;
}

std::string readRegularFile(const std::string& path, std::size_t maxBytes) {
  // A missing file, a folder, or one that cannot be looked at, is told by the reading with the system's
  // reason.
  const platform::PathKind kind = platform::kindOf(path);
  if (kind == platform::PathKind::Stream || kind == platform::PathKind::Other) {
    throw FileError(Message::withPaths(kCannotReadFile, {path})
                        .textLine("这不是普通文件，而是管道或设备：剧本文件只能从普通文件读取。"));
  }
  return readWholeFile(path, maxBytes);
}

}  // namespace vorandel
