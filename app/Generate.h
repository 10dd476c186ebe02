#pragma once
// Generating the game's files from the current set: validate every scenario, then replace the folder's
// sndata.s5 and taiki.s5 together, keeping the previous ones as .bak copies.
#include <string>

#include "model/PairNames.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// Raises EditError for a set without scenarios: the game's files cannot be made of it, and a pair that
// holds none is not one the game can use.
void requireScenarios(const ScenarioSet& set);

// Raises EditError, touching nothing, for a set without scenarios or one that fails validation, and
// FileError when a file step fails; the folder then holds its previous files under their own names.
void generateScenarioFiles(const ScenarioSet& set, const std::string& folder);

// Finishes or undoes a generation into the folder that was killed part way (see FileReplacement.h).
void recoverInterruptedGeneration(const std::string& folder);

}  // namespace vorandel
