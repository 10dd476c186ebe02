#include "app/Generate.h"

#include <sstream>

#include "app/AppMessages.h"
#include "model/EditError.h"
#include "model/FileReplacement.h"
#include "model/Writer.h"
#include "rules/Validator.h"

namespace vorandel {

void generateScenarioFiles(const ScenarioSet& set, const std::string& folder) {
  require(set.scenarioCount() > 0, kNoScenarios);
  validateScenarios(set, 0, kAllScenarios);
  std::ostringstream sndata, taiki;
  require(writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios), kNoScenarios);
  const std::string sndataBytes = sndata.str();
  const std::string taikiBytes = taiki.str();
  replaceFiles(folder, {{kSndataName, sndataBytes}, {kTaikiName, taikiBytes}});
}

void recoverInterruptedGeneration(const std::string& folder) {
  recoverInterruptedReplacement(folder, {kSndataName, kTaikiName});
}

}  // namespace vorandel
