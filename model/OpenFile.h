#pragma once
// Opening a file that the user named. Paths are UTF-8 on every system; on Windows they reach the system
// through the wide calls, so that any name and any length Windows accepts is opened.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace vorandel {

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// std::fopen of the path; null (and errno set) when the file cannot be opened.
FileHandle openFile(const std::string& path, const char* mode);

// The path as the standard file streams and std::filesystem take it.
std::filesystem::path systemPath(const std::string& path);

}  // namespace vorandel
