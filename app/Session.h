#pragma once
// What both programs keep from start to exit: the set every command works on, and the pristine copy
// that discarding all changes goes back to.
#include <string_view>

#include "model/ScenarioSet.h"

namespace vorandel {

struct Session {
  ScenarioSet current;
  ScenarioSet pristineCopy;
};

// Loads the two files' bytes into the current set, validates every scenario and keeps the pristine copy.
// Raises the EditError of the first problem.
void startUp(Session& session, std::string_view sndata, std::string_view taiki);

}  // namespace vorandel
