#include "tests/support/ScenarioBuilder.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "model/Loader.h"
#include "model/Writer.h"
#include "tests/support/TempFolder.h"

namespace vorandel::testing {

ScenarioBuilder::ScenarioBuilder(std::uint16_t startYear, std::uint8_t startMonth) {
  ScenarioBlock& block = scenario_.block;
  block.set(block::startYear, startYear);
  block.set(block::startMonth, startMonth);
  for (int c = 1; c <= kCityCount; ++c) {
    CityRecord city = scenario_.city(c);
    city.set(city::governor, -1);
    city.set(city::unaffiliatedHead, -1);
    city.set(city::hermitHead, -1);
    city.set(city::trainingHead, -1);
    city.set(city::prevCity, -1);
    city.set(city::nextCity, -1);
    city.set(city::owner, -1);
    CityNameRecord names = scenario_.cityName(c);
    names.setText(cityName::name, std::string(1, 'C').append(std::to_string(c)), 5);
    for (int slot = 0; slot < kNeighbourSlots; ++slot) names.set(cityName::neighbours, slot, -1);
    names.set(cityName::neighbours, 0, static_cast<std::int8_t>(c == 1 ? kCityCount : c - 1));
    names.set(cityName::neighbours, 1, static_cast<std::int8_t>(c == kCityCount ? 1 : c + 1));
  }
  for (int f = 1; f <= kForceCount; ++f) {
    scenario_.force(f).set(force::ruler, -1);
    scenario_.force(f).set(force::namedOfficer, -1);
    scenario_.force(f).set(force::firstCity, -1);
  }
  for (int i = 0; i < kItemCount; ++i) scenario_.trailer.set(trailer::itemHolder, i, -1);
}

int ScenarioBuilder::addOnMap(std::uint16_t id, unsigned status, int location, int force) {
  OfficerState state{};
  state.set(state::prevOfficer, 0);
  state.set(state::nextOfficer, -1);
  state.set(state::status, status);
  state.set(state::location, static_cast<std::int8_t>(location));
  state.set(state::force, static_cast<std::int8_t>(force));
  state.set(state::war, 50);
  OfficerProfile profile{};
  profile.setText(profile::name, std::string(1, 'W').append(std::to_string(id)), 9);
  profile.set(profile::id, id);
  scenario_.states.push_back(state);
  scenario_.profiles.push_back(profile);
  ++scenario_.onMapCount;
  ++scenario_.officerCount;
  return static_cast<int>(scenario_.onMapCount);
}

void ScenarioBuilder::appendToList(std::int16_t& head, int officer) {
  if (head == -1) {
    head = static_cast<std::int16_t>(officer);
    return;
  }
  int last = head;
  while (scenario_.officerState(last).get(state::nextOfficer) != -1)
    last = scenario_.officerState(last).get(state::nextOfficer);
  scenario_.officerState(last).set(state::nextOfficer, static_cast<std::int16_t>(officer));
  scenario_.officerState(officer).set(state::prevOfficer, static_cast<std::int16_t>(last));
}

int ScenarioBuilder::addForce(int city, std::uint16_t rulerId) {
  const int f = ++forces_;
  const int ruler = addOnMap(rulerId, kRuler, city, f);
  scenario_.officerState(ruler).set(state::isGovernor, 1);
  scenario_.force(f).set(force::ruler, static_cast<std::int16_t>(ruler));
  addCity(f, city);
  CityRecord record = scenario_.city(city);
  const int oldGovernor = record.get(city::governor);
  if (oldGovernor != -1) throw std::logic_error("addForce: the city already has a governor");
  record.set(city::governor, static_cast<std::int16_t>(ruler));
  return f;
}

void ScenarioBuilder::addCity(int f, int c) {
  CityRecord record = scenario_.city(c);
  if (record.get(city::owner) != -1) throw std::logic_error("addCity: the city is owned already");
  record.set(city::owner, static_cast<std::int8_t>(f));
  const int first = scenario_.force(f).get(force::firstCity);
  if (first == -1) {
    scenario_.force(f).set(force::firstCity, static_cast<std::int8_t>(c));
    record.set(city::prevCity, 0);
    return;
  }
  int last = first;
  while (scenario_.city(last).get(city::nextCity) != -1) last = scenario_.city(last).get(city::nextCity);
  scenario_.city(last).set(city::nextCity, static_cast<std::int8_t>(c));
  record.set(city::prevCity, static_cast<std::int8_t>(last));
}

int ScenarioBuilder::addServing(int c, std::uint16_t id, unsigned status) {
  const int f = scenario_.city(c).get(city::owner);
  if (f == -1) throw std::logic_error("addServing: the city has no owner");
  const int o = addOnMap(id, status, c, f);
  std::int16_t head = scenario_.city(c).get(city::governor);
  if (head == -1) scenario_.officerState(o).set(state::isGovernor, 1);
  appendToList(head, o);
  scenario_.city(c).set(city::governor, head);
  return o;
}

int ScenarioBuilder::addFree(int c, std::uint16_t id, unsigned status) {
  const int o = addOnMap(id, status, c, -1);
  CityRecord record = scenario_.city(c);
  std::int16_t head = status == kHermit ? record.get(city::hermitHead) : record.get(city::unaffiliatedHead);
  appendToList(head, o);
  if (status == kHermit)
    record.set(city::hermitHead, head);
  else
    record.set(city::unaffiliatedHead, head);
  return o;
}

int ScenarioBuilder::addWaiting(std::uint16_t id, int location, std::uint8_t appearYear) {
  OfficerState state{};
  state.set(state::prevOfficer, 0);
  state.set(state::nextOfficer, -1);
  state.set(state::status, kWaiting);
  state.set(state::location, static_cast<std::int8_t>(location));
  state.set(state::force, -1);
  OfficerProfile profile{};
  profile.setText(profile::name, std::string(1, 'D').append(std::to_string(id)), 9);
  profile.set(profile::id, id);
  waitingStates_.push_back(state);
  waitingProfiles_.push_back(profile);
  appearYears_.push_back(appearYear);
  return static_cast<int>(scenario_.onMapCount + waitingStates_.size());
}

int ScenarioBuilder::rulerOf(int f) const { return scenario_.force(f).get(force::ruler); }

Scenario ScenarioBuilder::build() const {
  Scenario scenario = scenario_;
  scenario.states.insert(scenario.states.end(), waitingStates_.begin(), waitingStates_.end());
  scenario.profiles.insert(scenario.profiles.end(), waitingProfiles_.begin(), waitingProfiles_.end());
  scenario.waitingCount = static_cast<std::uint32_t>(waitingStates_.size());
  scenario.officerCount = scenario.onMapCount + scenario.waitingCount;
  scenario.block.set(block::storedOnMapCount, static_cast<std::uint16_t>(scenario.onMapCount));
  scenario.block.set(block::storedWaitingCount, static_cast<std::uint16_t>(scenario.waitingCount));
  for (std::size_t j = 0; j < appearYears_.size(); ++j) scenario.block.set(block::appearYear, j, appearYears_[j]);
  return scenario;
}

ScenarioSet makeSet(std::vector<Scenario> scenarios) {
  ScenarioSet set;
  set.scenarios = std::move(scenarios);
  set.sndataTable.assign(set.scenarios.size(), ChunkEntry{});
  set.taikiTable.assign(set.scenarios.size(), ChunkEntry{});
  buildDerivedIndexes(set);
  return set;
}

ScenarioSet smallValidSet() {
  std::vector<Scenario> scenarios;
  for (std::uint16_t year : {190, 200}) {
    ScenarioBuilder b(year, year == 200 ? 12 : 1);
    const int wei = b.addForce(11, 10);  // 洛阳
    b.addCity(wei, 12);
    b.addServing(11, 11, kStrategist);
    b.addServing(11, 12);
    b.addServing(12, 13);
    b.addServing(12, 14);
    const int wu = b.addForce(34, 20);
    b.addCity(wu, 33);
    b.addServing(34, 21);
    b.addFree(5, 30);
    b.addFree(5, 31, kHermit);
    b.addFree(11, 32);
    b.addWaiting(40, 11, static_cast<std::uint8_t>(year - 100 + 1));
    b.addWaiting(41, 34, static_cast<std::uint8_t>(year - 100 + 2));
    b.addWaiting(42, 20, static_cast<std::uint8_t>(year - 100 + 2));
    scenarios.push_back(b.build());
  }
  return makeSet(std::move(scenarios));
}

FileBytes writeToBytes(const ScenarioSet& set) {
  std::stringstream sndata, taiki;
  writeScenarioStreams(set, sndata, taiki, 0, kAllScenarios);
  return {sndata.str(), taiki.str()};
}

}  // namespace vorandel::testing

namespace vorandel::testing {

std::string derivedIndexMismatch(const ScenarioSet& set) {
  if (set.officerIndexById.size() != set.scenarioCount()) return "id index: wrong number of scenarios";
  if (set.waitingQueue.size() != set.scenarioCount()) return "waiting queue: wrong number of scenarios";
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    const Scenario& scenario = set.scenarios[s];
    const OfficerIdIndex& index = set.officerIndexById[s];
    const std::string where = "scenario " + std::to_string(s) + ": ";
    if (index.size() != set.idCapacity) return where + "id index length differs from idCapacity";
    for (std::size_t k = 0; k < scenario.officerCount; ++k) {
      const unsigned id = scenario.profiles[k].get(profile::id);
      if (id >= index.size() || index[id] != static_cast<std::int32_t>(k))
        return where + "officer index " + std::to_string(k) + " (id " + std::to_string(id) + ") not registered";
    }
    for (std::size_t id = 0; id < index.size(); ++id) {
      const std::int32_t k = index[id];
      if (k == -1) continue;
      if (k < 0 || static_cast<std::uint32_t>(k) >= scenario.officerCount ||
          scenario.profiles[static_cast<std::size_t>(k)].get(profile::id) != id)
        return where + "id " + std::to_string(id) + " points at the wrong officer";
    }
    const std::vector<WaitingEntry>& queue = set.waitingQueue[s];
    if (queue.size() != scenario.waitingCount) return where + "queue length differs from waitingCount";
    for (std::size_t j = 0; j < queue.size(); ++j) {
      const std::size_t k = scenario.onMapCount + j;
      if (queue[j].index != static_cast<std::int32_t>(k) ||
          queue[j].id != static_cast<std::int32_t>(scenario.profiles[k].get(profile::id)))
        return where + "queue entry " + std::to_string(j) + " does not describe waiting officer " + std::to_string(k);
    }
  }
  return std::string();
}

ScenarioSet busyValidSet() {
  std::vector<Scenario> scenarios;
  for (std::uint16_t year : {190, 205}) {
    ScenarioBuilder b(year, year == 205 ? 12 : 3);
    std::uint16_t servingId = 200;
    std::uint16_t freeId = 300;
    for (int f = 1; f <= 6; ++f) {
      const int home = 7 * f - 4;  // 3, 10, 17, 24, 31, 38
      b.addForce(home, static_cast<std::uint16_t>(100 + f));
      b.addCity(f, home + 1);
      b.addCity(f, home + 2);
      b.addCity(f, home + 3);  // stays without a governor
      b.addServing(home, servingId++, kStrategist);
      b.addServing(home, servingId++);
      for (int extra = 1; extra <= 2; ++extra)
        for (int i = 0; i < 2 + f % 3; ++i) b.addServing(home + extra, servingId++, i == 1 ? kStrategist : kOrdinary);
    }
    for (int i = 0; i < 20; ++i) b.addFree(1 + (i * 5) % kCityCount, freeId++, i % 3 == 0 ? kHermit : kUnaffiliated);
    for (int i = 0; i < 40; ++i)
      b.addWaiting(static_cast<std::uint16_t>(400 + i), 1 + (i * 7) % kCityCount,
                   static_cast<std::uint8_t>(year - 100 + 1 + i / 8));
    scenarios.push_back(b.build());
  }
  return makeSet(std::move(scenarios));
}

void writePair(const std::string& dir, const FileBytes& files) {
  std::filesystem::create_directories(systemPath(dir));
  writeFile(dir + "/sndata.s5", files.sndata);
  writeFile(dir + "/taiki.s5", files.taiki);
}

}  // namespace vorandel::testing
