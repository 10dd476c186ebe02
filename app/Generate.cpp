#include "app/Generate.h"

#include <sstream>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "model/FileRead.h"
#include "model/SystemFiles.h"
#include "model/Writer.h"
#include "rules/Validator.h"

namespace vorandel {

void requireScenarios(const ScenarioSet& set) { require(set.scenarioCount() > 0, kNoScenarios); }

ReplacedPair generateScenarioFiles(const ScenarioSet& set, const std::string& folder,
                                   const std::vector<OutputFile>& alongside, std::optional<PairView> start) {
  requireScenarios(set);
  validateScenarios(set, 0, kAllScenarios);
  std::ostringstream sndata, taiki;
  require(writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios), kNoScenarios);
  const std::string sndataBytes = sndata.str();
  const std::string taikiBytes = taiki.str();
  return replacePair(folder, {sndataBytes, taikiBytes}, alongside, start);
}

PairBytes pairBytesOf(const ScenarioSet& set) {
  std::ostringstream sndata, taiki;
  writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios);
  return {sndata.str(), taiki.str(), {}};
}

ReplacedPair replacePair(const std::string& folder, PairView pair, const std::vector<OutputFile>& alongside,
                         std::optional<PairView> start) {
  std::vector<OutputFile> files{{platform::pathIn(folder, kSndataName), pair.sndata},
                                {platform::pathIn(folder, kTaikiName), pair.taiki}};
  files.insert(files.end(), alongside.begin(), alongside.end());
  ReplacedPair replaced;
  WriteChoices choices;
  choices.cannotWrite = kCannotWritePair;
  choices.heldOpen = kPairHeldOpen;
  // What the folder holds is read under its lock, so the generation is exactly the pair replaced.
  choices.addUnderLock = [&] {
    PlannedKeeping keeping = planKeeping(folder);
    // Writing the very pair the folder holds keeps nothing new: another generation would only repeat it
    // and push an older one out. The first write in a folder still keeps its pair as the original.
    if (keeping.generation && !keeping.generation->original && keeping.files.bytes.at(0) == pair.sndata &&
        keeping.files.bytes.at(1) == pair.taiki) {
      replaced.sameAsBefore = true;
      return AddedFiles{{}, {}, {}, keeping.files.cannotWrite};
    }
    replaced.keptAs = keeping.generation;
    if (keeping.generation)
      replaced.differedFromStart =
          start && (keeping.files.bytes.at(0) != start->sndata || keeping.files.bytes.at(1) != start->taiki);
    return std::move(keeping.files);
  };
  choices.afterUnderLock = [&] {
    if (replaced.keptAs) removeOldGenerations(folder);
  };
  writeFiles(files, choices);
  return replaced;
}

Message replacedPairLine(const ReplacedPair& replaced) {
  if (replaced.sameAsBefore) return Message(kSamePairKeptNothing);
  if (!replaced.keptAs) return Message();
  Message line = Message::withPaths(kPreviousKeptIn, {replaced.keptAs->path});
  if (replaced.keptAs->original) line.text(kPreviousIsOriginal);
  return line;
}

PairBytes readScenarioPair(const std::string& folder) {
  KeptFiles kept = readKeptFiles({platform::pathIn(folder, kSndataName), platform::pathIn(folder, kTaikiName)},
                                 kMaxScenarioFileSize);
  return {std::move(kept.bytes.at(0)), std::move(kept.bytes.at(1)), std::move(kept.notice)};
}

}  // namespace vorandel
