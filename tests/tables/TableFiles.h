#pragma once
// Helpers of the batch tests: table files in a folder of their own under the system's temporary folder,
// removed with everything in it when the test ends, and the text of the error that an action raises.
#include <string>
#include <utility>

#include "tests/support/ErrorText.h"
#include "tests/support/TempFolder.h"

namespace vorandel::testing {

class TableFiles {
 public:
  // Writes the bytes exactly as given and returns the file's path.
  std::string write(const std::string& name, const std::string& bytes) const {
    writeFile(folder_.file(name), bytes);
    return folder_.file(name);
  }

  std::string missing() const { return folder_.file("absent.txt"); }

 private:
  TempFolder folder_;
};

// The text of the EditError that the action raises, or "(no error)".
template <class Action>
std::string tableError(Action&& action) {
  return errorText(std::forward<Action>(action), "(no error)");
}

// The text that a cell error at the 1-based row and column shows, with the cell named as in AB7.
inline std::string cellErrorText(unsigned row, unsigned column, const std::string& cell, const std::string& message) {
  return "错误数据可能在：第" + std::to_string(row) + "行第" + std::to_string(column) + "列  (" + cell + ")\n " +
         message + "\n";
}

}  // namespace vorandel::testing
