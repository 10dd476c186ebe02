#pragma once
// Helpers of the batch tests: table files in a folder of their own under the system's temporary folder,
// removed with everything in it when the test ends, and the text of the error that an action raises.
#include <atomic>
#include <random>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "edit/EditError.h"

namespace vorandel::testing {

class TableFiles {
 public:
  TableFiles() {
    static std::atomic<unsigned> counter{0};
    const unsigned stamp = std::random_device{}();
    folder_ = std::filesystem::temp_directory_path() /
              ("vorandel-batch-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(folder_);
  }
  ~TableFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TableFiles(const TableFiles&) = delete;
  TableFiles& operator=(const TableFiles&) = delete;

  // Writes the bytes exactly as given and returns the file's path.
  std::string write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path path = folder_ / name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    return path.string();
  }

  std::string missing() const { return (folder_ / "absent.txt").string(); }

 private:
  std::filesystem::path folder_;
};

// The text of the EditError that the action raises, or "(no error)".
template <class Action>
std::string errorText(Action&& action) {
  try {
    std::forward<Action>(action)();
  } catch (const EditError& e) {
    return e.text();
  }
  return "(no error)";
}

// The text that a cell error at the 1-based row and column shows, with the cell named as in AB7.
inline std::string cellErrorText(unsigned row, unsigned column, const std::string& cell, const std::string& message) {
  return "错误数据可能在：第" + std::to_string(row) + "行第" + std::to_string(column) + "列  (" + cell + ")\n " +
         message + "\n";
}

}  // namespace vorandel::testing
