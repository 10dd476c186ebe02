#include "model/ScenarioSet.h"

#include "model/EditError.h"
#include "model/Messages.h"

namespace vorandel {

void raiseFieldIndexError() { raiseEditError("记录字段下标超出范围"); }

void Scenario::raiseBadOfficerNumber() { raiseEditError(kOfficerNumberBroken); }
void Scenario::raiseBadCityNumber() { raiseEditError(kCityNumberOutOfRange); }
void Scenario::raiseBadForceNumber() { raiseEditError(kForceNumberWrong); }

void ScenarioSet::raiseBadScenarioNumber() { raiseEditError(kScenarioNumberWrong); }

std::optional<OfficerIndex> ScenarioSet::officerIndexOf(std::size_t s, long id) const {
  if (s >= officerIndexById.size() || id < 0) return std::nullopt;
  const auto& index = officerIndexById[s];
  if (static_cast<unsigned long>(id) >= index.size() || index[static_cast<std::size_t>(id)] < 0) return std::nullopt;
  return OfficerIndex{index[static_cast<std::size_t>(id)]};
}

}  // namespace vorandel
