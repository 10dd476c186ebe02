#include "model/FileOps.h"

#include <filesystem>
#include <fstream>

namespace vorandel {

bool fileExists(const std::string& name) {
  if (name.empty()) return false;
  std::error_code error;
  if (std::filesystem::is_directory(name, error)) return false;
  std::ifstream file(name, std::ios::binary);
  return file.is_open();
}

}  // namespace vorandel
