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

bool holdsPair(const std::string& folder) {
  bool both = true;
  for (const char* name : {kSndataName, kTaikiName}) {
    const std::string path = platform::pathIn(folder, name);
    const platform::PathKind kind = platform::kindOf(path);
    if (kind == platform::PathKind::Unknown)
      throw FileError(Message::withPaths(kCannotReadFile, {path}).textLine("原因：").native(platform::lastFailure()));
    both = both && kind == platform::PathKind::Regular;
  }
  return both;
}

ReplacedPair replacePair(const std::string& folder, PairView pair, const std::vector<OutputFile>& alongside,
                         std::optional<PairView> start) {
  ReplacedPair replaced;
  if (holdsPair(folder)) {
    const PairBytes previous = readScenarioPair(folder);
    replaced.keptAs = keepGeneration(folder, previous.sndata, previous.taiki);
    replaced.differedFromStart = start && (previous.sndata != start->sndata || previous.taiki != start->taiki);
  } else {
    markFolderWritten(folder);
  }
  std::vector<OutputFile> files{{platform::pathIn(folder, kSndataName), pair.sndata},
                                {platform::pathIn(folder, kTaikiName), pair.taiki}};
  files.insert(files.end(), alongside.begin(), alongside.end());
  WriteChoices choices;
  choices.cannotWrite = kCannotWritePair;
  writeFiles(files, choices);
  return replaced;
}

Message replacedPairLine(const ReplacedPair& replaced) {
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
