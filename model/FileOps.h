#pragma once
// Whether a file the user named is there to be read.
#include <string>

namespace vorandel {

// False for an empty name or anything that cannot be opened for reading as an existing file.
bool fileExists(const std::string& name);

// Why the file cannot be opened for reading, in words ("原因：找不到这个文件", a folder, no permission);
// empty when it can.
std::string unreadableReason(const std::string& name);

}  // namespace vorandel
