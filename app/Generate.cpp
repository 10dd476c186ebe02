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

void generateScenarioFiles(const ScenarioSet& set, const std::string& folder,
                           const std::vector<OutputFile>& alongside) {
  requireScenarios(set);
  validateScenarios(set, 0, kAllScenarios);
  std::ostringstream sndata, taiki;
  require(writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios), kNoScenarios);
  const std::string sndataBytes = sndata.str();
  const std::string taikiBytes = taiki.str();
  std::vector<OutputFile> files{{platform::pathIn(folder, kSndataName), sndataBytes},
                                {platform::pathIn(folder, kTaikiName), taikiBytes}};
  files.insert(files.end(), alongside.begin(), alongside.end());
  WriteChoices choices;
  choices.cannotWrite = kCannotWritePair;
  writeFiles(files, choices);
}

PairBytes readScenarioPair(const std::string& folder) {
  KeptFiles kept = readKeptFiles({platform::pathIn(folder, kSndataName), platform::pathIn(folder, kTaikiName)},
                                 kMaxScenarioFileSize);
  return {std::move(kept.bytes.at(0)), std::move(kept.bytes.at(1)), std::move(kept.notice)};
}

}  // namespace vorandel
