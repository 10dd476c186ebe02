#pragma once
// The state that the Windows program keeps from start to exit: the set every command works on, the
// pristine copy that "放弃所有修改" goes back to, the batch mode the main window chose and the path of the
// batch dialog's input file.
#include <cstddef>
#include <string>
#include <string_view>

#include "model/ScenarioSet.h"

namespace vorandel::ui {

inline constexpr int kNoBatchYet = 4;

// Room of the input path, NUL included, and the most a dropped file's name may take of it.
inline constexpr std::size_t kPathBufferSize = 264;
inline constexpr unsigned kDroppedNameRoom = 260;

struct ProgramState {
  ScenarioSet current;
  ScenarioSet pristineCopy;
  int batchMode = kNoBatchYet;
  std::string inputPath;
};

// Loads the two files' bytes into the current set, validates every scenario and keeps the pristine copy.
// Raises the EditError of the first problem.
void startUp(ProgramState& state, std::string_view sndata, std::string_view taiki);

}  // namespace vorandel::ui
