#include "model/FileOps.h"

#include <cerrno>
#include <cstdio>

#include "model/EditError.h"
#include "model/Messages.h"
#include "model/OpenFile.h"
#include "model/SystemFiles.h"

namespace vorandel {

bool fileExists(const std::string& name) {
  if (name.empty()) return false;
  if (platform::kindOf(name) == platform::PathKind::Folder) return false;
  return openFile(name, "rb") != nullptr;
}

std::string unreadableReason(const std::string& name) {
  if (name.empty()) return "原因：没有给出文件名";
  if (platform::kindOf(name) == platform::PathKind::Folder) return kFolderNotFile;
  errno = 0;
  if (openFile(name, "rb")) return std::string();
  switch (errno) {
    case ENOENT: return "原因：找不到这个文件（请检查文件名和文件夹）";
    case EACCES:
    case EPERM: return "原因：没有读取这个文件的权限";
    case EISDIR: return kFolderNotFile;
    default: return formatMessage("原因：无法打开（系统错误 %d）", errno);
  }
}
}  // namespace vorandel
