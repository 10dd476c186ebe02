#include "model/OpenFile.h"

#ifdef _WIN32
#include "model/WideText.h"
#endif

namespace vorandel {

#ifdef _WIN32

FileHandle openFile(const std::string& path, const char* mode) {
  return FileHandle(_wfopen(platform::widePath(path).c_str(), platform::wide(mode).c_str()), &std::fclose);
}

std::filesystem::path systemPath(const std::string& path) { return std::filesystem::path(platform::widePath(path)); }

#else

FileHandle openFile(const std::string& path, const char* mode) {
  return FileHandle(std::fopen(path.c_str(), mode), &std::fclose);
}

std::filesystem::path systemPath(const std::string& path) { return std::filesystem::path(path); }

#endif

}  // namespace vorandel
