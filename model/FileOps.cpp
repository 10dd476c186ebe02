#include "model/FileOps.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "model/EditError.h"
#include "model/Messages.h"

namespace vorandel {

bool fileExists(const std::string& name) {
  if (name.empty()) return false;
  std::error_code error;
  if (std::filesystem::is_directory(name, error)) return false;
  std::ifstream file(name, std::ios::binary);
  return file.is_open();
}

std::string unreadableReason(const std::string& name) {
  if (name.empty()) return "原因：没有给出文件名";
  std::error_code error;
  if (std::filesystem::is_directory(name, error)) return kFolderNotFile;
  errno = 0;
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (file != nullptr) {
    std::fclose(file);
    return std::string();
  }
  switch (errno) {
    case ENOENT: return "原因：找不到这个文件（请检查文件名和文件夹）";
    case EACCES:
    case EPERM: return "原因：没有读取这个文件的权限";
    case EISDIR: return kFolderNotFile;
    default: return formatMessage("原因：无法打开（系统错误 %d）", errno);
  }
}
}  // namespace vorandel
