#include "rules/WaitingOfficers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "model/CellError.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "model/Messages.h"
#include "model/RecordLinks.h"
#include "rules/GameRules.h"
#include "rules/Placement.h"
#include "rules/RuleMessages.h"

namespace vorandel {

namespace {

// The officer state that every new officer starts from: waiting, lifespan 7, abilities 90, no force,
// good/evil 3 and the one duty 特殊, which is what an officer who enters a force without an assigned
// job has. A non-ruler may hold only one duty, so a new officer passes the officer table's finishing
// rules without a 主管 column.
constexpr std::array<std::uint8_t, kOfficerStateSize> kNewOfficerState = {
    0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x3E, 0x00, 0x5A, 0x5A, 0x5A, 0x5A,
    0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

OfficerState newOfficerState() {
  OfficerState officer{};
  officer.bytes = kNewOfficerState;
  return officer;
}

OfficerProfile newOfficerProfile(int id, int birthYear) {
  OfficerProfile profile{};
  profile.setText(profile::name, utf8ToGbk("新武将").value(), profile::name.length);
  profile.set(profile::birthYear, static_cast<std::uint8_t>(birthYear));
  for (std::size_t i = 0; i < profile::learnableSkills.count; ++i)
    profile.set(profile::learnableSkills, i, static_cast<std::uint8_t>(i));
  profile.set(profile::id, static_cast<std::uint16_t>(id));
  profile.set(profile::parentId, 0xFFFF);
  profile.set(profile::righteousness, 12);
  profile.set(profile::ambition, 12);
  profile.set(profile::calmness, 6);
  profile.set(profile::bravery, 6);
  profile.set(profile::formations, 3);
  return profile;
}

void setStoredCounts(Scenario& scenario) {
  scenario.block.set(block::storedOnMapCount, static_cast<std::uint16_t>(scenario.onMapCount));
  scenario.block.set(block::storedWaitingCount, static_cast<std::uint16_t>(scenario.waitingCount));
}

}  // namespace

int storedStartYear(const Scenario& scenario) {
  const int december = scenario.block.get(block::startMonth) == 12 ? 1 : 0;
  return scenario.block.get(block::startYear) - kYearBase + december;
}

std::optional<OfficerIndex> activateWaitingOfficer(ScenarioSet& set, std::size_t s, int id, int newStatus) {
  if (newStatus != kStrategist && newStatus != kOrdinary && newStatus != kUnaffiliated && newStatus != kHermit)
    return std::nullopt;
  Scenario& scenario = set.scenario(s);
  require(s < set.officerIndexById.size() && set.officerIndexById[s].size() == set.idCapacity, "索引出错1");
  OfficerIdIndex& indexById = set.officerIndexById[s];
  if (id < 0 || static_cast<std::uint32_t>(id) >= set.idCapacity) return std::nullopt;

  const int k = indexById[static_cast<std::size_t>(id)];
  const auto m = static_cast<int>(scenario.onMapCount);
  if (k == kNoOfficerIndex || k < m || static_cast<std::uint32_t>(k) >= scenario.officerCount) return std::nullopt;
  if (!scenario.isOfficerNumber(k + 1) || scenario.officerState(k + 1).get(state::status) != kWaiting)
    return std::nullopt;

  if (scenario.onMapCount >= kMaxOnMap) failCell("已上场人数过多， 添加失败");

  require(s < set.waitingQueue.size() && set.waitingQueue[s].size() == scenario.waitingCount, kWaitingListBroken);
  std::vector<WaitingEntry>& queue = set.waitingQueue[s];
  const auto slot = static_cast<std::size_t>(k - m);
  require(queue[0].index == m && queue[slot].index == k, kWaitingListBroken);

  if (k != m) {
    // Bring officer k to the first waiting place m, exchanging him with the officer there.
    const auto mIndex = static_cast<std::size_t>(m);
    const auto kIndex = static_cast<std::size_t>(k);
    std::size_t firstWaitingId = scenario.profiles[mIndex].get(profile::id);
    if (firstWaitingId >= indexById.size() || indexById[firstWaitingId] != m) {
      const auto found = std::find(indexById.begin(), indexById.end(), m);
      require(found != indexById.end(), "索引出错2");
      firstWaitingId = static_cast<std::size_t>(found - indexById.begin());
    }
    indexById[static_cast<std::size_t>(id)] = static_cast<std::int16_t>(m);
    indexById[firstWaitingId] = static_cast<std::int16_t>(k);
    std::swap(scenario.states[kIndex], scenario.states[mIndex]);
    std::swap(scenario.profiles[kIndex], scenario.profiles[mIndex]);
    queue[0].index = queue[slot].index;
    std::swap(queue[0], queue[slot]);
  }
  queue.erase(queue.begin());

  // The appearance bytes of the block are laid out again from the queue by the caller.
  ++scenario.onMapCount;
  --scenario.waitingCount;
  setStoredCounts(scenario);

  const OfficerNumber number = OfficerIndex{m}.officerNumber();
  OfficerState& officer = scenario.officerState(number);
  OfficerProfile& profile = scenario.officerProfile(number);
  // An officer on the map is at least 15 years old at the start.
  const int latestBirthYear = std::max(storedStartYear(scenario) - kMinAgeOnMap, 0);
  if (profile.get(profile::birthYear) > latestBirthYear)
    profile.set(profile::birthYear, static_cast<std::uint8_t>(latestBirthYear));

  officer.set(state::prevOfficer, 0);
  officer.set(state::nextOfficer, -1);
  CityNumber c{officer.get(state::location)};
  if (!isCityNumber(c)) c = CityNumber{1};
  const std::optional<ForceNumber> owner = forceLink(scenario.city(c).get(city::owner));

  if (owner || newStatus == kUnaffiliated || newStatus == kHermit) {
    officer.set(state::status, static_cast<unsigned>(newStatus));
    officer.set(state::force, storedForceLink(owner));
  } else {
    // Nobody owns the city he enters: he cannot serve there.
    officer.set(state::status, kUnaffiliated);
  }
  officer.set(state::allegiance, 0);
  const unsigned status = officer.get(state::status);
  if (status == kUnaffiliated || status == kHermit) {
    officer.set(state::force, -1);
    officer.set(state::changeMarker, 0xFF);
    officer.set(state::duties, kSpecialDuty);
  }
  appendToCity(set, s, number, c);
  return OfficerIndex{m};
}

// The officers a batch can bring a scenario to stay within what the id index holds.
static_assert(kMaxOnMap + kMaxWaiting <= kMaxOfficers);

void addWaitingOfficer(ScenarioSet& set, std::size_t s, int id) {
  require(s < set.scenarioCount(), kScenarioNumberWrong);
  require(id >= 0 && id < kIdLimit, kPortraitOutOfRange);
  Scenario& scenario = set.scenarios[s];
  require(scenario.onMapCount + scenario.waitingCount == scenario.officerCount, kOfficerTotalWrong);
  require(scenario.block.get(block::storedOnMapCount) == scenario.onMapCount &&
              scenario.block.get(block::storedWaitingCount) == scenario.waitingCount &&
              scenario.states.size() == scenario.officerCount && scenario.profiles.size() == scenario.officerCount,
          kOfficersBroken);
  if (scenario.waitingCount >= kMaxWaiting) failCell("待上场人数过多， 添加失败");
  require(s < set.waitingQueue.size() && set.waitingQueue[s].size() == scenario.waitingCount, kWaitingListBroken);
  std::vector<WaitingEntry>& queue = set.waitingQueue[s];

  // He enters play in the same year as the last waiting officer: the latest year in the queue, so the
  // waiting part stays in order. Inside an import neither the appearance bytes of the block (laid out
  // again only at its end) nor the queue's order (an activation swaps entries) follow the years, so
  // the year is the largest of the queue, which holds every change.
  int appearYear = storedStartYear(scenario);
  if (!queue.empty())
    appearYear = std::max_element(queue.begin(), queue.end(), [](const WaitingEntry& a, const WaitingEntry& b) {
                   return a.appearYear < b.appearYear;
                 })->appearYear;
  require(appearYear >= 0 && appearYear <= 0xFF, "新武将的登场年份超出范围");

  const auto n = static_cast<std::int32_t>(scenario.officerCount);
  scenario.states.push_back(newOfficerState());
  scenario.profiles.push_back(newOfficerProfile(id, std::max(appearYear - kMinAgeOnMap, 0)));

  require(s < set.officerIndexById.size() && set.officerIndexById[s].size() == set.idCapacity, kIdIndexBroken);
  const auto idSlot = static_cast<std::uint32_t>(id);
  if (idSlot >= set.idCapacity) {
    require(set.officerIndexById.size() == set.scenarioCount(), "武将ID索引的剧本数与剧本不一致，数据已损坏");
    for (OfficerIdIndex& index : set.officerIndexById)
      if (index.size() <= idSlot) index.resize(idSlot + 1, -1);
    set.idCapacity = idSlot + 1;
    require(set.officerIndexById[s].size() == set.idCapacity, kIdIndexBroken);
  }

  scenario.block.set(block::appearYear, scenario.waitingCount, static_cast<std::uint8_t>(appearYear));
  queue.push_back(WaitingEntry{id, n, static_cast<std::uint32_t>(n) + 1, appearYear});
  set.officerIndexById[s][idSlot] = static_cast<std::int16_t>(n);

  ++scenario.waitingCount;
  ++scenario.officerCount;
  setStoredCounts(scenario);
}

}  // namespace vorandel
