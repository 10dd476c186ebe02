#include "model/ScenarioSet.h"

#include "model/EditError.h"

namespace vorandel {

void raiseFieldIndexError() { raiseEditError("记录字段下标超出范围"); }

void Scenario::raiseBadOfficerNumber() { raiseEditError("武将编号出错"); }
void Scenario::raiseBadCityNumber() { raiseEditError("城市编号超出范围"); }
void Scenario::raiseBadForceNumber() { raiseEditError("势力编号错误"); }

Scenario& ScenarioSet::scenario(std::size_t s) {
  require(s < scenarios.size(), "剧本编号错误");
  return scenarios[s];
}
const Scenario& ScenarioSet::scenario(std::size_t s) const {
  require(s < scenarios.size(), "剧本编号错误");
  return scenarios[s];
}

std::optional<OfficerIndex> ScenarioSet::officerIndexOf(std::size_t s, long id) const {
  if (s >= officerIndexById.size() || id < 0) return std::nullopt;
  const auto& index = officerIndexById[s];
  if (static_cast<unsigned long>(id) >= index.size() || index[static_cast<std::size_t>(id)] < 0) return std::nullopt;
  return OfficerIndex{index[static_cast<std::size_t>(id)]};
}

}  // namespace vorandel
