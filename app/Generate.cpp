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

bool holdsPair(const std::string& folder) {
  bool both = true;
  for (const char* name : {kSndataName, kTaikiName}) {
    const std::string path = platform::pathIn(folder, name);
    const platform::PathKind kind = platform::kindOf(path);
    if (kind == platform::PathKind::Unknown)
      throw FileError(Message::withPaths(kCannotReadFile, {path}).textLine("原因：").text(platform::lastFailure()));
    both = both && kind == platform::PathKind::Regular;
  }
  return both;
}

// The writer keeps the replaced pair as the .bak files; they are copied into a new generation once the
// group is in place, so a failure there loses nothing: the new pair stands and the old one is the .bak.
ReplacedPair replacePair(const std::string& folder, PairView pair, const std::vector<OutputFile>& alongside,
                         std::optional<PairView> start) {
  const bool firstWrite = !folderWritten(folder);
  std::vector<OutputFile> files{{platform::pathIn(folder, kSndataName), pair.sndata},
                                {platform::pathIn(folder, kTaikiName), pair.taiki}};
  files.insert(files.end(), alongside.begin(), alongside.end());
  WriteChoices choices;
  choices.cannotWrite = kCannotWritePair;
  const std::vector<std::string> backups = writeFiles(files, choices);
  ReplacedPair replaced;
  try {
    if (backups.at(0).empty() || backups.at(1).empty()) {
      markFolderWritten(folder);
      return replaced;
    }
    const std::string sndata = readKept(backups[0]);
    const std::string taiki = readKept(backups[1]);
    replaced.differedFromStart = start && (sndata != start->sndata || taiki != start->taiki);
    replaced.keptAs = keepGeneration(folder, sndata, taiki, firstWrite);
  } catch (const FileError& error) {
    throw WriteUnfinished(Message(error.message()).textLine(kPreviousStillBak));
  }
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
