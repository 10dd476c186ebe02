#include "tables/TextFile.h"

#include <cstdio>
#include <memory>

#include "model/FileRead.h"

namespace vorandel {

std::optional<std::string> readTextFile(const std::string& path) {
  if (const std::unique_ptr<std::FILE, int (*)(std::FILE*)> probe(std::fopen(path.c_str(), "rb"), &std::fclose); !probe)
    return std::nullopt;
  std::string text = readWholeFile(path, kMaxTableFileSize);
  text.resize(textBeforeEnd(text).size());
  return text;
}

std::string_view textBeforeEnd(std::string_view bytes) { return bytes.substr(0, bytes.find('\x1A')); }

}  // namespace vorandel
