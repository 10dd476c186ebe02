#pragma once
// Random batches of ruler changes, new forces, owner changes and officer moves: each batch is one to
// three rows of a force or city table, or one officer-table row that moves an officer. A batch that the
// tables accept and that leaves every scenario valid becomes the set; so the set stays a valid pair
// that drifts away from where it started.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/ScenarioSet.h"
#include "rules/Validator.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/OfficerTable.h"
#include "tables/Vocabulary.h"
#include "tests/support/ErrorText.h"

namespace vorandel::testing {

struct Tally {
  int batches = 0, accepted = 0, refused = 0;
  int rulers = 0, foundings = 0, owners = 0, releases = 0, moves = 0, movesAccepted = 0;
};

class RandomBatches {
 public:
  RandomBatches(unsigned seed, ScenarioSet start) : set(std::move(start)), rng_(seed) {}

  ScenarioSet set;
  Tally tally;

  // One random batch of one to three rows of one kind, or one officer move.
  void batch() {
    ++tally.batches;
    const int kind = pick(0, 99);
    if (kind < 20) return move();
    const bool force = kind < 60;
    const int rows = pick(1, 3);
    std::string table =
        force ? "剧本\t编号\t设置\t君主\r\n-\t-\t-\t1\r\n" : "剧本\tID\t名称\t设置\t势力\r\n-\t-\t-\t32\t1\r\n";
    for (int r = 0; r < rows; ++r) table += force ? forceRow() : cityRow();
    ScenarioSet copy = set;
    const std::string refusal = errorText([&] {
      if (force)
        importForceTable(copy, TableText{table, "t"});
      else
        importCityTable(copy, TableText{table, "t"});
    });
    if (!refusal.empty()) {
      ++tally.refused;
      // A refused single row writes nothing: its only column refuses before it writes.
      if (rows == 1) {
        ASSERT_TRUE(copy == set) << table << refusal;
      }
      return;
    }
    ASSERT_EQ(validationError(copy), "") << table;
    ++tally.accepted;
    set = std::move(copy);
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

  std::size_t scenario() { return static_cast<std::size_t>(pick(0, static_cast<int>(set.scenarioCount()) - 1)); }

  // An officer on the map (now and then a waiting one) of scenario s, chosen among those the row wants.
  int officer(std::size_t s, int f) {
    const Scenario& scenario = set.scenarios[s];
    const int count = static_cast<int>(scenario.onMapCount);
    if (pick(0, 19) == 0 && scenario.officerCount > scenario.onMapCount) return count + 1;
    for (int tries = 0; tries < 40; ++tries) {
      const int n = pick(1, count);
      const OfficerState& o = scenario.officerState(n);
      if (f < 0 || pick(0, 9) == 0) return n;
      if (f > 0 && o.get(state::force) == f) return n;
      if (f == 0 && o.get(state::force) <= 0 && scenario.city(o.get(state::location)).get(city::owner) <= 0) return n;
    }
    return pick(1, count);
  }

  std::string forceRow() {
    const std::size_t s = scenario();
    const Scenario& scenario = set.scenarios[s];
    const int f = pick(1, kForceCount);
    const bool inUse = scenario.force(f).get(force::ruler) != -1;
    inUse ? ++tally.rulers : ++tally.foundings;
    const int n = pick(0, 29) == 0 ? 0 : officer(s, inUse ? f : 0);
    const int id = n == 0 ? 0 : scenario.officerProfile(n).get(profile::id);
    return std::to_string(s) + "\t" + std::to_string(f) + "\t1\t" + std::to_string(id) + "\r\n";
  }

  std::string cityRow() {
    const std::size_t s = scenario();
    const Scenario& scenario = set.scenarios[s];
    const int c = pick(1, kCityCount);
    int f = pick(0, 5) == 0 ? 0 : pick(1, kForceCount);
    for (int tries = 0; f > 0 && tries < 20 && scenario.force(f).get(force::ruler) == -1; ++tries)
      f = pick(1, kForceCount);
    f == 0 ? ++tally.releases : ++tally.owners;
    return std::to_string(s) + "\t" + std::to_string(c) + "\tx\t1\t" + std::to_string(f) + "\r\n";
  }

  // An officer table of one row that moves an officer on the map to a city: row mode 1 (a move within
  // his force, or into a city nobody owns), 4 (he joins the city's force) or 5 (he takes the city).
  void move() {
    ++tally.moves;
    const std::size_t s = scenario();
    const Scenario& scenario = set.scenarios[s];
    const int n = pick(1, static_cast<int>(scenario.onMapCount));
    const int modes[] = {1, 4, 5};
    const std::string table = "剧本\tID\t姓名\t设置\t编号\t所在地\r\n-\t-\t-\t1\t-\t1\r\n" + std::to_string(s) + "\t" +
                              std::to_string(scenario.officerProfile(n).get(profile::id)) + "\tx\t" +
                              std::to_string(modes[pick(0, 2)]) + "\t" + std::to_string(n) + "\t" +
                              std::string(nameOf(cityTable(), pick(1, kCityCount))) + "\r\n";
    ScenarioSet copy = set;
    if (!errorText([&] { importOfficerTable(copy, TableText{table, "t"}); }).empty()) {
      ++tally.refused;
      return;
    }
    ASSERT_EQ(validationError(copy), "") << table;
    ++tally.accepted;
    ++tally.movesAccepted;
    set = std::move(copy);
  }

  std::mt19937 rng_;
};

}  // namespace vorandel::testing
