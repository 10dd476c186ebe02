#include "bench/BenchTables.h"

#include <algorithm>

#include "tests/support/ScenarioBuilder.h"

namespace vorandel::bench {

namespace {

std::string header(const std::string& leading, const std::string& switches, const std::string& columns,
                   std::size_t count) {
  std::string text = leading + "\t" + columns + "\r\n" + switches;
  for (std::size_t i = 0; i < count; ++i) text += "\t1";
  return text + "\r\n";
}

std::string cell(long value) { return "\t" + std::to_string(value); }

std::string cityRows(const ScenarioSet& set) {
  std::string rows;
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    for (int c = 1; c <= kCityCount; ++c) {
      const auto city = set.scenarios[s].city(c);
      rows += std::to_string(s) + "\t" + std::to_string(c) + "\tx\t1";
      rows += cell(city.get(city::defence)) + cell(city.get(city::floodControl)) + cell(city.get(city::agriculture)) +
              cell(city.get(city::commerce)) + cell(city.get(city::population)) + cell(city.get(city::loyalty)) +
              cell(city.get(city::reserveTroops)) + cell(city.get(city::morale)) + cell(city.get(city::training));
      rows += "\r\n";
    }
  }
  return rows;
}

const char* const kCityColumns = "城防\t治水\t农业\t商业\t人口\t民忠\t预备兵\t士气\t训练";

}  // namespace

std::string officerTable(const ScenarioSet& set) {
  std::string text = header("剧本\tID\t姓名\t设置\t编号", "-\t-\t-\t1\t-",
                            "武力\t智力\t政治\t魅力\t勇名\t经验\t忠诚度\t士兵\t训练\t士气", 10);
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    const Scenario& scenario = set.scenarios[s];
    for (int n = 1; n <= static_cast<int>(scenario.officerCount); ++n) {
      const OfficerState& state = scenario.officerState(n);
      text += std::to_string(s) + cell(scenario.officerProfile(n).get(profile::id)) + "\tx\t1\t0";
      text += cell(state.get(state::war)) + cell(state.get(state::intelligence)) + cell(state.get(state::politics)) +
              cell(state.get(state::charisma)) + cell(std::min<long>(state.get(state::fame), 10000)) +
              cell(std::min<long>(state.get(state::experience), 60000)) +
              cell(std::min<long>(state.get(state::loyalty), 100)) +
              cell(std::min<long>(state.get(state::soldiers), 20000)) +
              cell(std::min<long>(state.get(state::training), 100)) + cell(std::min<long>(state.get(state::morale), 100));
      text += "\r\n";
    }
  }
  return text;
}

std::string cityTable(const ScenarioSet& set) {
  return header("剧本\tID\t名称\t设置", "-\t-\t-\t0", kCityColumns, 9) + cityRows(set);
}

std::string cityTableRows(const ScenarioSet& set, std::size_t rows) {
  const std::string all = cityRows(set);
  std::string text = header("剧本\tID\t名称\t设置", "-\t-\t-\t0", kCityColumns, 9);
  std::size_t written = 0, at = 0;
  while (written < rows) {
    const std::size_t end = all.find('\n', at) + 1;
    text.append(all, at, end - at);
    at = end == all.size() ? 0 : end;
    ++written;
  }
  return text;
}

std::string forceTable(const ScenarioSet& set) {
  std::string text = header("剧本\t编号\t设置", "-\t-\t-", "声望\t金钱\t粮食", 3);
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    for (int f = 1; f <= kForceCount; ++f) {
      const auto force = set.scenarios[s].force(f);
      text += std::to_string(s) + "\t" + std::to_string(f) + "\t1" + cell(std::min<long>(force.get(force::fame), 1000)) +
              cell(std::clamp<long>(force.get(force::money), 0, 3000000)) +
              cell(std::clamp<long>(force.get(force::food), 0, 3000000)) + "\r\n";
    }
  }
  return text;
}

ScenarioSet setAtLimits() {
  std::vector<Scenario> scenarios;
  for (int s = 0; s < 32; ++s) {
    testing::ScenarioBuilder builder(190);
    std::uint16_t id = 0;
    for (int f = 0; f < 16; ++f) builder.addForce(1 + f * 2, id++);
    int onMap = 16;
    for (int k = 0; onMap < 180; ++k, ++onMap) builder.addServing(1 + (k % 16) * 2, id++);
    for (int k = 0; onMap < 292; ++k, ++onMap) builder.addFree(2 + (k % 23) * 2, id++, k % 2 == 0 ? 4 : 5);
    for (int k = 0; k < 380; ++k) builder.addWaiting(id++, 1 + k % 47, static_cast<std::uint8_t>(91 + k % 60));
    scenarios.push_back(builder.build());
  }
  return testing::makeSet(std::move(scenarios));
}

}  // namespace vorandel::bench
