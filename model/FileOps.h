#pragma once
// Small file operations around writing: the existence test, the check for a table file the user chose,
// and the rename that moves an existing file to its backup name before a new one is written.
#include <string>

#include "model/UserNotifier.h"

namespace vorandel {

// False for an empty name or anything that cannot be opened for reading as an existing file.
bool fileExists(const std::string& name);

// Why the file cannot be opened for reading, in GBK words ("原因：找不到这个文件", a folder, no permission);
// empty when it can.
std::string unreadableReason(const std::string& name);

// True when the file exists; otherwise tells the user "文件不存在！" with the reason on the next line,
// and returns false.
bool requireFile(const std::string& path, UserNotifier& notifier);

// Moves name to backupName, replacing an older backup. True when the way is clear for writing name
// (also when there was nothing to move); on a failed rename the user is told and the result is false.
bool backupFile(UserNotifier& notifier, const std::string& name, const std::string& backupName);

}  // namespace vorandel
