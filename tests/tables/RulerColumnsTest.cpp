// The columns that say who rules what: the force table's 君主 and the city table's 势力. Refusals name
// their cell and leave the set as it was; accepted rows leave every scenario valid; the exported tables
// carry the new columns through an import unchanged.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/BuiltInData.h"
#include "model/Loader.h"
#include "rules/RuleMessages.h"
#include "rules/Validator.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/TableExport.h"
#include "tables/TableMessages.h"
#include "tests/tables/TableExportSets.h"
#include "tests/tables/TableFiles.h"

namespace vorandel::testing {
namespace {

int idOf(const Scenario& scenario, int n) { return scenario.officerProfile(n).get(profile::id); }

// The first officer on the map of scenario 0 that the test asks for; 0 when there is none.
int findOfficer(const Scenario& scenario, const std::function<bool(const OfficerState&)>& wanted) {
  for (int n = 1; n <= static_cast<int>(scenario.onMapCount); ++n)
    if (wanted(scenario.officerState(n))) return n;
  return 0;
}

int findForce(const Scenario& scenario, bool inUse) {
  for (int f = 1; f <= kForceCount; ++f)
    if ((scenario.force(f).get(force::ruler) != -1) == inUse) return f;
  return 0;
}

// A row that sets the force's ruler and its fame, 77; with fameOn false the 声望 column is switched off.
std::string forceTable(int f, const std::string& ruler, bool fameOn = true) {
  return std::string("剧本\t编号\t设置\t声望\t君主\r\n-\t-\t-\t") + (fameOn ? "1" : "0") + "\t1\r\n0\t" +
         std::to_string(f) + "\t1\t77\t" + ruler + "\r\n";
}

std::string cityTable(int c, const std::string& owner) {
  return "剧本\tID\t名称\t设置\t城防\t势力\r\n-\t-\t-\t32\t1\t1\r\n0\t" + std::to_string(c) + "\tx\t1\t123\t" + owner +
         "\r\n";
}

struct Refusal {
  const char* what;
  std::function<std::string(const Scenario&)> table;  // empty when the data has no such case
  bool forceTable;
  std::string message;
  std::string cell;
};

TEST(RulerColumns, RefusalsNameTheirCellAndChangeNothing) {
  const ScenarioSet pristine = builtInSet();
  const Scenario& scenario = pristine.scenarios[0];
  const int f = findForce(scenario, true);
  const int ruler = scenario.force(f).get(force::ruler);
  const int empty = findForce(scenario, false);
  int another = 0;
  for (int g = 1; g <= kForceCount && another == 0; ++g)
    if (g != f && scenario.force(g).get(force::ruler) != -1) another = g;
  ASSERT_NE(f, 0);
  ASSERT_NE(empty, 0) << "the built-in scenario 0 has an unused force slot";
  const auto servesOther = [&](const OfficerState& o) { return o.get(state::force) > 0 && o.get(state::force) != f; };
  const auto isFreeIn = [&](bool owned) {
    return [&, owned](const OfficerState& o) {
      return o.get(state::status) == kUnaffiliated &&
             (scenario.city(o.get(state::location)).get(city::owner) > 0) == owned;
    };
  };
  const int other = findOfficer(scenario, servesOther);
  const int freeInOwned = findOfficer(scenario, isFreeIn(true));
  const int waiting = static_cast<int>(scenario.onMapCount) + 1;
  ASSERT_NE(other, 0);
  ASSERT_NE(freeInOwned, 0);
  ASSERT_EQ(scenario.officerState(waiting).get(state::status), kWaiting);
  const int rulerCity = scenario.officerState(ruler).get(state::location);
  const auto id = [&](int n) { return std::to_string(idOf(scenario, n)); };

  const std::vector<Refusal> refusals{
      {"a ruler from another force", [&](const Scenario&) { return forceTable(f, id(other)); }, true,
       kNewRulerNotServing, "E3"},
      {"a free officer as ruler", [&](const Scenario&) { return forceTable(f, id(freeInOwned)); }, true,
       kNewRulerNotServing, "E3"},
      {"a waiting officer as ruler", [&](const Scenario&) { return forceTable(f, id(waiting)); }, true,
       kNewRulerNotServing, "E3"},
      {"no ruler", [&](const Scenario&) { return forceTable(f, "0"); }, true, kNoRulerGiven, "E3"},
      {"an id nobody has", [&](const Scenario&) { return forceTable(f, "2999"); }, true, kOfficerIdUnknown, "E3"},
      {"an id above the range", [&](const Scenario&) { return forceTable(f, "3000"); }, true, kOutOfRange, "E3"},
      {"a serving officer founds", [&](const Scenario&) { return forceTable(empty, id(other)); }, true, kFounderNotFree,
       "E3"},
      {"a founder in an owned city", [&](const Scenario&) { return forceTable(empty, id(freeInOwned)); }, true,
       kFounderCityOwned, "E3"},
      {"a waiting founder", [&](const Scenario&) { return forceTable(empty, id(waiting)); }, true, kFounderNotOnMap,
       "E3"},
      {"the ruler's city", [&](const Scenario&) { return cityTable(rulerCity, std::to_string(another)); }, false,
       kRulerCityCannotChange, "F3"},
      {"an unused force slot", [&](const Scenario&) { return cityTable(rulerCity, std::to_string(empty)); }, false,
       kNoSuchForce, "F3"},
      {"a force number above 21", [&](const Scenario&) { return cityTable(rulerCity, "22"); }, false, kOutOfRange,
       "F3"},
  };
  for (const Refusal& refusal : refusals) {
    ScenarioSet set = pristine;
    const std::string table = refusal.table(scenario);
    const std::string text = tableError([&] {
      if (refusal.forceTable)
        importForceTable(set, TableText{table, "lord"});
      else
        importCityTable(set, TableText{table, "city"});
    });
    const unsigned column = refusal.forceTable ? 5 : 6;
    EXPECT_EQ(text, cellErrorText(3, column, refusal.cell, refusal.message)) << refusal.what;
    // Nothing of the row is written: the ruler or owner cell comes first and refuses before it writes.
    EXPECT_TRUE(set == pristine) << refusal.what;
  }
}

// Applies the table; fails the test unless it is accepted and the set stays valid.
void applyValid(ScenarioSet& set, bool isForceTable, const std::string& table) {
  ASSERT_EQ(tableError([&] {
              if (isForceTable)
                importForceTable(set, TableText{table, "t"});
              else
                importCityTable(set, TableText{table, "t"});
            }),
            "(no error)")
      << table;
  ASSERT_EQ(validationError(set), "") << table;
}

TEST(RulerColumns, RulerChangeFoundingAndOwnerChangeKeepTheSetValid) {
  ScenarioSet set = builtInSet();
  Scenario& scenario = set.scenarios[0];
  const int f = findForce(scenario, true);
  const int oldRuler = scenario.force(f).get(force::ruler);
  const int home = scenario.officerState(oldRuler).get(state::location);

  // A serving officer of the force in another city becomes ruler and governs there; the old ruler keeps
  // governing his city as an ordinary officer.
  const int heir = findOfficer(scenario, [&](const OfficerState& o) {
    return o.get(state::force) == f && o.get(state::status) >= kStrategist && o.get(state::status) <= kOrdinary &&
           o.get(state::location) != home && o.get(state::isGovernor) == 0;
  });
  ASSERT_NE(heir, 0);
  const int heirCity = scenario.officerState(heir).get(state::location);
  const int heirCityGovernor = scenario.city(heirCity).get(city::governor);
  applyValid(set, true, forceTable(f, std::to_string(idOf(scenario, heir))));
  EXPECT_EQ(scenario.force(f).get(force::ruler), heir);
  EXPECT_EQ(scenario.force(f).get(force::fame), 77) << "the row's other columns apply after the ruler";
  EXPECT_EQ(scenario.officerState(heir).get(state::status), kRuler);
  EXPECT_EQ(scenario.city(heirCity).get(city::governor), heir);
  EXPECT_EQ(scenario.officerState(heir).get(state::nextOfficer), heirCityGovernor);
  EXPECT_EQ(scenario.officerState(oldRuler).get(state::status), kOrdinary);
  EXPECT_EQ(scenario.city(home).get(city::governor), oldRuler);

  // The old ruler's city, no longer the ruler's, goes over to another force with its officers.
  int taker = 0;
  for (int g = 1; g <= kForceCount && taker == 0; ++g)
    if (g != f && scenario.force(g).get(force::ruler) != -1) taker = g;
  ASSERT_NE(taker, 0);
  applyValid(set, false, cityTable(home, std::to_string(taker)));
  EXPECT_EQ(scenario.city(home).get(city::owner), taker);
  EXPECT_EQ(scenario.city(home).get(city::governor), oldRuler);
  EXPECT_EQ(scenario.officerState(oldRuler).get(state::force), taker);

  // Released, the city's officers are unaffiliated there; one of them founds a force in it.
  applyValid(set, false, cityTable(home, "0"));
  EXPECT_EQ(scenario.city(home).get(city::owner), -1);
  EXPECT_EQ(scenario.officerState(oldRuler).get(state::status), kUnaffiliated);
  // The new force takes the row's fame although its column is switched off; a ruler change does not.
  const int slot = findForce(scenario, false);
  ASSERT_NE(scenario.force(slot).get(force::fame), 77);
  applyValid(set, true, forceTable(slot, std::to_string(idOf(scenario, oldRuler)), false));
  EXPECT_EQ(scenario.force(slot).get(force::ruler), oldRuler);
  EXPECT_EQ(scenario.force(slot).get(force::firstCity), home);
  EXPECT_EQ(scenario.city(home).get(city::governor), oldRuler);
  EXPECT_EQ(scenario.force(slot).get(force::fame), 77);
  scenario.force(f).set(force::fame, 5);
  applyValid(set, true, forceTable(f, std::to_string(idOf(scenario, heir)), false));
  EXPECT_EQ(scenario.force(f).get(force::fame), 5);

  // A city nobody owns joins a force without a governor; its free officers stay free.
  int emptyCity = 0;
  for (int c = 1; c <= kCityCount && emptyCity == 0; ++c)
    if (scenario.city(c).get(city::owner) <= 0 && scenario.city(c).get(city::unaffiliatedHead) > 0) emptyCity = c;
  ASSERT_NE(emptyCity, 0);
  const int free = scenario.city(emptyCity).get(city::unaffiliatedHead);
  applyValid(set, false, cityTable(emptyCity, std::to_string(f)));
  EXPECT_EQ(scenario.city(emptyCity).get(city::owner), f);
  EXPECT_EQ(scenario.city(emptyCity).get(city::governor), -1);
  EXPECT_EQ(scenario.officerState(free).get(state::status), kUnaffiliated);
}

TEST(RulerColumns, ExportedTablesGoThroughAnImportUnchanged) {
  for (ScenarioSet set : {builtInSet(), tableReadySet()}) {
    for (const BatchKind kind : {BatchKind::ForceTable, BatchKind::CityTable}) {
      const ExportedTable exported = exportTable(set, kind, {});
      ASSERT_NE(exported.text.find(kind == BatchKind::ForceTable ? "\t君主\t君主姓名" : "\t势力\t君主姓名"),
                std::string::npos);
      ScenarioSet copy = set;
      ASSERT_EQ(tableError([&] {
                  if (kind == BatchKind::ForceTable)
                    importForceTable(copy, TableText{exported.text, "t"});
                  else
                    importCityTable(copy, TableText{exported.text, "t"});
                }),
                "(no error)");
      EXPECT_TRUE(copy == set);
      EXPECT_EQ(exportTable(copy, kind, {}).text, exported.text);
    }
  }
}

}  // namespace
}  // namespace vorandel::testing
