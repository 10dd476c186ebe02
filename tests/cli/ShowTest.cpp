// show city and show force on the built-in data: the officers listed are exactly those the records
// place there, in the order of the game's lists.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "app/ScenarioViews.h"
#include "cli/Cli.h"
#include "model/EditError.h"
#include "model/GbkText.h"
#include "model/Loader.h"

namespace vorandel {
namespace {

// The ids listed under each heading of a view, in the order shown. A heading is a line ending in
// "人）" (with its count); officer lines follow the column header up to the next blank line.
std::map<std::string, std::vector<int>> listedIds(const std::string& view) {
  std::map<std::string, std::vector<int>> lists;
  std::istringstream lines(view);
  std::string line, heading;
  bool inTable = false;
  while (std::getline(lines, line)) {
    if (line.empty()) {
      inTable = false;
    } else if (line.find("人）") != std::string::npos && line.find(' ') == std::string::npos) {
      heading = line.substr(0, line.find("（"));
      lists[heading];
    } else if (line.starts_with("姓名") || line.starts_with("城市   姓名")) {
      inTable = true;
    } else if (inTable) {
      std::istringstream words(line);
      std::string first, second, third;
      words >> first >> second >> third;
      // The force view starts each line with the city.
      lists[heading].push_back(std::stoi(heading == "武将" ? third : second));
    }
  }
  return lists;
}

class Show : public ::testing::Test {
 protected:
  Show() { loadScenarioSet(set, builtInData().sndata, builtInData().taiki); }

  int officerNumber(std::size_t s, int id) const { return set.officerIndexOf(s, id).value().number(); }

  ScenarioSet set;
};

TEST_F(Show, ACityListsExactlyItsOfficersInListOrder) {
  const std::map<std::string, unsigned> statusOfHeading{
      {"任职武将", kOrdinary}, {"修行武将", kInTraining}, {"在野武将", kUnaffiliated}, {"隐士", kHermit}};
  std::map<std::string, std::size_t> seen;
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    const Scenario& scenario = set.scenario(s);
    for (int c = 1; c <= kCityCount; ++c) {
      SCOPED_TRACE("scenario " + std::to_string(s) + ", city " + std::to_string(c));
      // Every officer on the map whose location is the city, by the list his status puts him in.
      std::map<std::string, std::set<int>> expected;
      for (int o = 1; o <= static_cast<int>(scenario.onMapCount); ++o) {
        const OfficerState& officer = scenario.officerState(o);
        if (officer.get(state::location) != c || officer.get(state::status) >= kWaiting) continue;
        const unsigned status = officer.get(state::status);
        const std::string heading = status <= kOrdinary       ? "任职武将"
                                    : status == kInTraining   ? "修行武将"
                                    : status == kUnaffiliated ? "在野武将"
                                                              : "隐士";
        expected[heading].insert(scenario.officerProfile(o).get(profile::id));
      }
      const std::map<std::string, std::vector<int>> shown = listedIds(cityView(set, s, c));
      for (const auto& [heading, status] : statusOfHeading) {
        const std::vector<int> ids = shown.contains(heading) ? shown.at(heading) : std::vector<int>{};
        EXPECT_EQ(std::set<int>(ids.begin(), ids.end()), expected[heading]) << heading;
        EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size()) << heading << " lists an officer twice";
        // List order: each officer's previous link is the officer shown before him.
        int previous = 0;
        for (const int id : ids) {
          const int o = officerNumber(s, id);
          EXPECT_EQ(scenario.officerState(o).get(state::prevOfficer), previous) << heading << ", id " << id;
          previous = o;
        }
        if (!ids.empty() && heading == "任职武将") {
          EXPECT_EQ(officerNumber(s, ids.front()), scenario.city(c).get(city::governor));
        }
        seen[heading] += ids.size();
      }
    }
  }
  // The data has officers of each of these kinds, so every branch above was taken.
  EXPECT_GT(seen["任职武将"], 0u);
  EXPECT_GT(seen["在野武将"], 0u);
  EXPECT_GT(seen["隐士"], 0u);
}

TEST_F(Show, AForceListsExactlyTheOfficersServingIt) {
  for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
    const Scenario& scenario = set.scenario(s);
    for (int f = 1; f <= kForceCount; ++f) {
      const int ruler = scenario.force(f).get(force::ruler);
      if (ruler < 1) continue;
      SCOPED_TRACE("scenario " + std::to_string(s) + ", force " + std::to_string(f));
      std::set<int> expected;
      for (int o = 1; o <= static_cast<int>(scenario.onMapCount); ++o) {
        const OfficerState& officer = scenario.officerState(o);
        if (officer.get(state::force) == f && officer.get(state::status) <= kInTraining)
          expected.insert(scenario.officerProfile(o).get(profile::id));
      }
      const std::vector<int> shown = listedIds(forceView(set, s, f))["武将"];
      EXPECT_EQ(std::set<int>(shown.begin(), shown.end()), expected);
      EXPECT_EQ(shown.size(), expected.size());
      ASSERT_FALSE(shown.empty());
      EXPECT_EQ(officerNumber(s, shown.front()), ruler) << "the ruler's city comes first";
      EXPECT_EQ(findForce(set, s, gbkToUtf8(scenario.officerProfile(ruler).text(profile::name)).value()), f);
      EXPECT_EQ(findForce(set, s, std::to_string(f)), f);
    }
  }
}

TEST_F(Show, NamesAndNumbersFindTheirCityOrForceAndOthersAreRefused) {
  EXPECT_EQ(findCity(set, 0, "11"), 11);
  EXPECT_EQ(findCity(set, 0, gbkToUtf8(set.scenario(0).cityName(46).text(cityName::name)).value()), 46);
  EXPECT_THROW(findCity(set, 0, set.scenario(0).cityName(46).text(cityName::name)), EditError)
      << "the GBK bytes are no name";
  EXPECT_THROW(findCity(set, 0, "48"), EditError);
  EXPECT_THROW(findCity(set, 0, "0"), EditError);
  EXPECT_THROW(findCity(set, 0, ""), EditError);
  int empty = 1;
  while (empty <= kForceCount && set.scenario(0).force(empty).get(force::ruler) >= 1) ++empty;
  ASSERT_LE(empty, kForceCount) << "every force slot of scenario 0 is used";
  EXPECT_THROW(findForce(set, 0, std::to_string(empty)), EditError);
  EXPECT_THROW(findForce(set, 0, "22"), EditError);
}

TEST_F(Show, TheCommandTakesNamesInTheTerminalsCharsetAndPrintsInIt) {
  std::ostringstream out, err;
  CliContext context{out, err, "UTF-8", builtInData()};
  const std::string_view gbkName = set.scenario(1).cityName(46).text(cityName::name);
  const std::string name = gbkToUtf8(gbkName).value();
  ASSERT_EQ(runCli({"show", "city", name, "--scenario", "1"}, context), kExitDone) << err.str();
  EXPECT_EQ(out.str(), cityView(set, 1, 46));
  ASSERT_NE(name, std::string(gbkName)) << "the city has a Chinese name";

  // A GBK terminal: the name is typed in GBK and the view printed in it.
  std::ostringstream gbkOut;
  CliContext gbkTerminal{gbkOut, err, "GBK", builtInData()};
  ASSERT_EQ(runCli({"show", "city", std::string(gbkName), "--scenario", "1"}, gbkTerminal), kExitDone) << err.str();
  EXPECT_EQ(gbkOut.str(), utf8To(cityView(set, 1, 46), "GBK"));

  out.str("");
  const int ruler = set.scenario(0).force(set.scenario(0).city(46).get(city::owner)).get(force::ruler);
  ASSERT_GT(ruler, 0);
  const std::string rulerName = gbkToUtf8(set.scenario(0).officerProfile(ruler).text(profile::name)).value();
  ASSERT_EQ(runCli({"show", "force", rulerName}, context), kExitDone) << err.str();
  EXPECT_EQ(out.str(), forceView(set, 0, set.scenario(0).city(46).get(city::owner)));

  EXPECT_EQ(runCli({"show", "city", "nowhere"}, context), kExitRefused);
  EXPECT_NE(err.str().find("nowhere"), std::string::npos) << err.str();
  EXPECT_EQ(runCli({"show", "town", "1"}, context), kExitUsage);
  EXPECT_EQ(runCli({"show", "city"}, context), kExitUsage);
  EXPECT_EQ(runCli({"show", "city", "1", "--scenario", "99"}, context), kExitUsage);
  EXPECT_EQ(runCli({"show", "city", "1", "--scenario", "0", "1"}, context), kExitUsage);
  EXPECT_EQ(runCli({"show", "city", "1", "-o", "x"}, context), kExitUsage);
}

}  // namespace
}  // namespace vorandel
