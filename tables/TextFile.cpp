#include "tables/TextFile.h"

#include <cstdio>
#include <memory>

#include "model/FileRead.h"

namespace vorandel {

std::optional<std::string> readTextFile(const std::string& path) {
  if (const std::unique_ptr<std::FILE, int (*)(std::FILE*)> probe(std::fopen(path.c_str(), "rb"), &std::fclose); !probe)
    return std::nullopt;
  std::string text = readWholeFile(path, kMaxTableFileSize);
  if (const std::size_t end = text.find('\x1A'); end != std::string::npos) text.resize(end);
  return text;
}

}  // namespace vorandel
