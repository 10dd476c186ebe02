#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end of a test.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#include "model/OpenFile.h"
#include "model/SystemFiles.h"

namespace vorandel::testing {

// A path of the system as the program's UTF-8 text (on Windows the narrow form would be the ANSI code page).
inline std::string utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

class TempFolder {
 public:
  // Memory: on a memory file system where there is one, for walks that write many thousand small files.
  enum class Where { Disk, Memory };
  explicit TempFolder(Where where = Where::Disk) {
    std::random_device random;
#ifdef _WIN32
    const bool memory = false;
    (void)where;
#else
    std::error_code error;
    const bool memory = where == Where::Memory && std::filesystem::is_directory("/dev/shm", error);
#endif
    path_ = (memory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
            ("vorandel-test-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return platform::pathIn(utf8Path(path_), name); }

 private:
  std::filesystem::path path_;
};

// The names in the folder.
inline std::set<std::string> namesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(systemPath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(systemPath(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace vorandel::testing
