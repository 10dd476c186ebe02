#pragma once
// Whether a file the user named is there to be read.
#include <string>

namespace vorandel {

// False for an empty name or anything that cannot be opened for reading as an existing file.
bool fileExists(const std::string& name);

}  // namespace vorandel
