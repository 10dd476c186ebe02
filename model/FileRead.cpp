#include "model/FileRead.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "model/FileError.h"

namespace vorandel {

std::string readWholeFile(const std::string& path, std::size_t maxBytes) {
  const auto cannotRead = [&](std::string_view reason) {
    throw FileError(Message::withPaths(kCannotReadFile, {path}).nativeLine(reason));
  };
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) cannotRead(std::strerror(errno));
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    if (bytes.size() + got > maxBytes) {
      throw FileError(Message::withPaths(kCannotReadFile, {path})
                          .textLine(std::string("文件太大（超过 ") + std::to_string(maxBytes >> 20) + " MB）。"));
    }
    bytes.append(buffer, got);
    if (got < sizeof buffer) break;
  }
  if (std::ferror(file.get())) cannotRead(std::strerror(errno));
  return bytes;
}

}  // namespace vorandel
