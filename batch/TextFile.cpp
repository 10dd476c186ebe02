#include "batch/TextFile.h"

#include <fstream>
#include <iterator>

namespace vorandel {

std::optional<std::string> readTextFile(const std::string& path) {
  std::ifstream file(path, std::ios::in | std::ios::binary);
  if (!file.is_open()) return std::nullopt;
  std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (const std::size_t end = text.find('\x1A'); end != std::string::npos) text.resize(end);
  return text;
}

}  // namespace vorandel
