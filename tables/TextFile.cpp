#include "tables/TextFile.h"

#include "model/FileRead.h"
#include "model/OpenFile.h"

namespace vorandel {

std::optional<std::string> readTextFile(const std::string& path) {
  if (!openFile(path, "rb")) return std::nullopt;
  std::string text = readWholeFile(path, kMaxTableFileSize);
  text.resize(textBeforeEnd(text).size());
  return text;
}

std::string_view textBeforeEnd(std::string_view bytes) { return bytes.substr(0, bytes.find('\x1A')); }

}  // namespace vorandel
