#include "model/FileOps.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "model/EditError.h"

namespace vorandel {

bool fileExists(const std::string& name) {
  if (name.empty()) return false;
  std::error_code error;
  if (std::filesystem::is_directory(name, error)) return false;
  std::ifstream file(name, std::ios::binary);
  return file.is_open();
}

bool requireFile(const std::string& path, UserNotifier& notifier) {
  if (fileExists(path)) return true;
  notifier.showError("文件不存在！");
  return false;
}

bool backupFile(UserNotifier& notifier, const std::string& name, const std::string& backupName) {
  if (!fileExists(name)) return true;
  if (fileExists(backupName)) std::remove(backupName.c_str());
  if (std::rename(name.c_str(), backupName.c_str()) == 0) return true;
  notifier.showError(formatMessage("无法将 %s 重命名为: %s\n", name.c_str(), backupName.c_str()));
  return false;
}

}  // namespace vorandel
