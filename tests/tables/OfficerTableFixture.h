#pragma once
// The fixture of the officer-table tests: the small valid set (with six different learnable skills for
// every officer, as real officers have), a table file written from lines, and access to officers by id.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tables/OfficerTable.h"
#include "tables/TableMessages.h"
#include "tests/support/ScenarioBuilder.h"
#include "tests/tables/TableFiles.h"

namespace vorandel::testing {

// Learnable skills 0..5 for every officer of the set; nothing learned.
inline void giveDistinctSkills(ScenarioSet& set) {
  for (Scenario& scenario : set.scenarios)
    for (OfficerProfile& profile : scenario.profiles)
      for (std::size_t slot = 0; slot < 6; ++slot)
        profile.set(profile::learnableSkills, slot, static_cast<std::uint8_t>(slot));
}

class OfficerTableTest : public ::testing::Test {
 protected:
  OfficerTableTest() { giveDistinctSkills(set); }

  // Writes the lines (the header, the switch row and the data rows) and imports them.
  std::string run(const std::vector<std::string>& lines, ImportWarnings* warnings = nullptr) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return tableError([&] { importOfficerTable(set, TableText{text, "ruv5_officer.txt"}, warnings); });
  }

  int numberOf(std::size_t s, int id) const { return set.officerIndexOf(s, id).value().number(); }
  OfficerState& officer(std::size_t s, int id) { return set.scenarios[s].officerState(numberOf(s, id)); }
  OfficerProfile& profileOf(std::size_t s, int id) { return set.scenarios[s].officerProfile(numberOf(s, id)); }
  CityRecord city(std::size_t s, int c) { return set.scenarios[s].city(c); }

  // The ids of the waiting officers of a scenario, in their order.
  std::vector<int> waitingIds(std::size_t s) const {
    std::vector<int> ids;
    const Scenario& scenario = set.scenarios[s];
    for (std::size_t k = scenario.onMapCount; k < scenario.officerCount; ++k)
      ids.push_back(scenario.profiles[k].get(profile::id));
    return ids;
  }

  TableFiles files;
  ScenarioSet set = smallValidSet();
};

}  // namespace vorandel::testing
