#include "tables/OfficerTableWaitingOrder.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "model/EditError.h"
#include "model/Messages.h"
#include "rules/RuleMessages.h"

namespace vorandel {

namespace {

void orderScenario(ScenarioSet& set, std::size_t s) {
  Scenario& scenario = set.scenario(s);
  require(s < set.waitingQueue.size() && s < set.officerIndexById.size(), kWaitingListBroken);
  std::vector<WaitingEntry>& queue = set.waitingQueue[s];
  OfficerIdIndex& indexById = set.officerIndexById[s];
  std::stable_sort(queue.begin(), queue.end(), [](const WaitingEntry& a, const WaitingEntry& b) {
    return std::tie(a.appearYear, a.orderKey, a.index) < std::tie(b.appearYear, b.orderKey, b.index);
  });

  require(scenario.waitingCount == queue.size(), "待上场武将数出错");
  require(scenario.onMapCount + scenario.waitingCount == scenario.officerCount, kOfficerTotalWrong);
  require(scenario.block.get(block::storedOnMapCount) == scenario.onMapCount &&
              scenario.block.get(block::storedWaitingCount) == scenario.waitingCount,
          kOfficersBroken);
  require(scenario.officerCount == scenario.profiles.size() && scenario.officerCount == scenario.states.size(),
          "剧本信息被破坏");

  const std::uint32_t onMap = scenario.onMapCount;
  OfficerStates states;
  OfficerProfiles profiles;
  states.reserve(queue.size());
  profiles.reserve(queue.size());
  for (std::size_t j = 0; j < queue.size(); ++j) {
    WaitingEntry& entry = queue[j];
    require(entry.index >= 0 && static_cast<std::uint32_t>(entry.index) >= onMap &&
                static_cast<std::uint32_t>(entry.index) < scenario.officerCount,
            "待上场武将编号出错");
    states.push_back(scenario.states[static_cast<std::size_t>(entry.index)]);
    profiles.push_back(scenario.profiles[static_cast<std::size_t>(entry.index)]);
    scenario.block.set(block::appearYear, j, static_cast<std::uint8_t>(entry.appearYear));
    require(entry.id >= 0 && static_cast<std::uint32_t>(entry.id) < set.idCapacity &&
                static_cast<std::size_t>(entry.id) < indexById.size() &&
                indexById[static_cast<std::size_t>(entry.id)] == entry.index,
            kWaitingListBroken);
    const auto place = static_cast<std::int32_t>(onMap + j);
    indexById[static_cast<std::size_t>(entry.id)] = static_cast<std::int16_t>(place);
    entry.index = place;
  }
  std::copy(states.begin(), states.end(), scenario.states.begin() + onMap);
  std::copy(profiles.begin(), profiles.end(), scenario.profiles.begin() + onMap);
}

}  // namespace

void orderWaitingOfficers(ScenarioSet& set) {
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) orderScenario(set, s);
}

}  // namespace vorandel
