#pragma once
// Generating the game's files from the current set: validate every scenario, move the existing
// sndata.s5 and taiki.s5 of the folder to their .bak names, then write both files anew.
#include <string>

#include "model/ScenarioSet.h"
#include "model/UserNotifier.h"

namespace vorandel {

inline constexpr const char* kSndataName = "sndata.s5";
inline constexpr const char* kTaikiName = "taiki.s5";

// Returns true when both files were written. A set that fails validation raises its EditError before
// anything is moved. A failed rename or write is told to the user through the notifier and gives false;
// the files that were there before are then still there, under their own or their .bak names.
bool generateScenarioFiles(const ScenarioSet& set, const std::string& folder, UserNotifier& notifier);

}  // namespace vorandel
