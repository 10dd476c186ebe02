#pragma once
// Generating the game's files from the current set: validate every scenario, then replace the folder's
// sndata.s5 and taiki.s5 together (with any other files of the same run, such as a change report),
// keeping the previous ones as .bak copies and as a generation in the backup folder (app/PairBackups.h),
// all in one group of the writer. Reading a folder's pair shares the folder's lock with the writers, so the two files
// read always belong together.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/PairBackups.h"
#include "model/FileWriter.h"
#include "model/PairNames.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// Raises EditError for a set without scenarios: the game's files cannot be made of it, and a pair that
// holds none is not one the game can use.
void requireScenarios(const ScenarioSet& set);

// The bytes of a pair of scenario files.
struct PairView {
  std::string_view sndata;
  std::string_view taiki;
};

// What became of the pair a new one replaced.
struct ReplacedPair {
  std::optional<Generation> keptAs;  // none when the folder held no pair
  bool differedFromStart = false;    // it was not the pair the run started from
  // The folder held these very bytes already (and has been written by this program before): no
  // generation was kept, as it would only repeat the pair now there.
  bool sameAsBefore = false;
};

// Raises EditError, touching nothing, for a set without scenarios or one that fails validation, and
// FileError when a file step fails (see writeFiles and planKeeping). alongside are written in the
// same group, after the pair's files. start: the pair the run started from, to tell whether the folder
// held another one.
ReplacedPair generateScenarioFiles(const ScenarioSet& set, const std::string& folder,
                                   const std::vector<OutputFile>& alongside = {},
                                   std::optional<PairView> start = std::nullopt);

// Replaces the folder's pair with the bytes given and keeps the one it replaces as a generation, all in
// the one writer's group: the pair, the .bak copies and the generation stand or go together. Raises
// FileError.
ReplacedPair replacePair(const std::string& folder, PairView pair, const std::vector<OutputFile>& alongside = {},
                         std::optional<PairView> start = std::nullopt);

// The line that tells where the replaced pair went, or that the folder held the same pair already; empty
// when there was no pair.
Message replacedPairLine(const ReplacedPair& replaced);

// The folder's pair as a recovery of an interrupted write would keep it (the folder is not changed).
struct PairBytes {
  std::string sndata;
  std::string taiki;
  Message notice;  // one line when the folder holds an interrupted write
};
PairBytes readScenarioPair(const std::string& folder);

// The bytes of the set's pair as generating writes them (no validation).
PairBytes pairBytesOf(const ScenarioSet& set);

}  // namespace vorandel
