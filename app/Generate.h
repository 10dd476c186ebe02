#pragma once
// Generating the game's files from the current set: validate every scenario, then replace the folder's
// sndata.s5 and taiki.s5 together (with any other files of the same run, such as a change report),
// keeping the previous ones as .bak copies. Reading a folder's pair shares the folder's lock with the
// writers, so the two files read always belong together.
#include <string>
#include <vector>

#include "model/FileWriter.h"
#include "model/PairNames.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// Raises EditError for a set without scenarios: the game's files cannot be made of it, and a pair that
// holds none is not one the game can use.
void requireScenarios(const ScenarioSet& set);

// Raises EditError, touching nothing, for a set without scenarios or one that fails validation, and
// FileError when a file step fails (see writeFiles). alongside are written in the same group, after
// the pair's files.
void generateScenarioFiles(const ScenarioSet& set, const std::string& folder,
                           const std::vector<OutputFile>& alongside = {});

// The folder's pair as a recovery of an interrupted write would keep it (the folder is not changed).
struct PairBytes {
  std::string sndata;
  std::string taiki;
  Message notice;  // one line when the folder holds an interrupted write
};
PairBytes readScenarioPair(const std::string& folder);

}  // namespace vorandel
