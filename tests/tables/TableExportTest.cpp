// Exported tables applied to the data they came from change nothing; values that a table cannot carry
// are reported, and their rows are switched off so that they stay as they are.
#include "tables/TableExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/BatchRun.h"
#include "app/TableEncoding.h"
#include "tables/BatchTable.h"
#include "tables/CityTable.h"
#include "tables/OfficerTable.h"
#include "tables/TableMessages.h"
#include "tests/support/ErrorText.h"
#include "tests/support/RecordNames.h"
#include "tests/support/TempFolder.h"
#include "tests/tables/RandomBatches.h"
#include "tests/tables/TableExportSets.h"

namespace vorandel {

using testing::gbkName;
using testing::nameText;
namespace {

constexpr BatchKind kKinds[] = {BatchKind::OfficerTable, BatchKind::ForceTable, BatchKind::CityTable,
                                BatchKind::NameList};

class TableExport : public ::testing::Test {
 protected:
  // Exports the kind, applies the table to a copy of the set and returns the copy.
  ScenarioSet roundTrip(const ScenarioSet& set, BatchKind kind, ExportedTable& table) {
    table = exportTable(set, kind, {});
    const std::string path = folder.file("table.txt");
    testing::writeFile(path, encodeTable(table.text, false));
    ScenarioSet copy = set;
    runBatch(copy, kind, path);
    return copy;
  }

  void expectUnchanged(const ScenarioSet& set, BatchKind kind, ExportedTable& table) {
    const ScenarioSet after = roundTrip(set, kind, table);
    const testing::FileBytes before = testing::writeToBytes(set);
    const testing::FileBytes written = testing::writeToBytes(after);
    EXPECT_TRUE(written.sndata == before.sndata) << "sndata.s5 changed, table kind " << static_cast<int>(kind);
    EXPECT_TRUE(written.taiki == before.taiki) << "taiki.s5 changed, table kind " << static_cast<int>(kind);
  }

  // The data row of the table whose leading cells are these.
  static std::vector<std::string> row(const ExportedTable& table, const std::string& leading) {
    const std::size_t at = table.text.find("\r\n" + leading + "\t");
    if (at == std::string::npos) return {};
    const std::size_t end = table.text.find("\r\n", at + 2);
    const auto cells = splitCells(std::string_view(table.text).substr(at + 2, end - at - 2));
    return {cells.begin(), cells.end()};
  }

  static bool mentions(const ExportedTable& table, const std::string& text) {
    for (const std::string& problem : table.problems)
      if (problem.find(text) != std::string::npos) return true;
    return false;
  }

  testing::TempFolder folder;
};

TEST_F(TableExport, EveryKindWritesBackTheTestSetUnchanged) {
  for (const BatchKind kind : kKinds) {
    ExportedTable table;
    expectUnchanged(testing::tableReadySet(), kind, table);
    EXPECT_TRUE(table.problems.empty()) << table.problems.front();
  }
}

// Officers of the set learn further skills besides those of their learned slots, and some learn a
// different number of slots (with the experience that number needs): values every table can carry.
void learnRandomSkills(ScenarioSet& set, std::mt19937& rng) {
  for (Scenario& scenario : set.scenarios) {
    for (int n = 1; n <= static_cast<int>(scenario.officerCount); ++n) {
      if (rng() % 3 != 0) continue;
      OfficerState& officer = scenario.officerState(n);
      const OfficerProfile& profile = scenario.officerProfile(n);
      std::uint32_t learned = officer.get(state::learnedSkills) | (1u << (rng() % 32)) | (1u << (rng() % 32));
      if (rng() % 2 == 0 && profile.get(profile::growth) < experienceTable.size()) {
        const unsigned count = rng() % 7;
        officer.set(state::learnedCount, count);
        for (std::size_t slot = 0; slot < count; ++slot)
          learned |= 1u << (profile.get(profile::learnableSkills, slot) % 32);
        const std::uint16_t least = experienceTable[profile.get(profile::growth)][count];
        if (officer.get(state::experience) < least) officer.set(state::experience, least);
      }
      officer.set(state::learnedSkills, learned);
    }
  }
}

// Whatever columns an exported table switches on, applying it unedited to the pair it came from changes
// no byte of the pair, nor tells of switched-off cells that differ from the data; on pairs made unlike the built-in one
// and the test set by random ruler changes, new forces, owner changes and moves, and by learned skills that the learned
// slots do not stand for.
TEST_F(TableExport, AnUneditedTableOfAnyColumnsChangesNoByteOfAnyPair) {
  std::mt19937 rng(2024u);
  std::vector<ScenarioSet> pairs;
  for (const ScenarioSet& start : {testing::builtInSet(), testing::tableReadySet()}) {
    for (unsigned seed = 1; seed <= 3; ++seed) {
      testing::RandomBatches batches(seed * 7919u + static_cast<unsigned>(pairs.size()), start);
      for (int i = 0; i < 40 && !HasFatalFailure(); ++i) batches.batch();
      ASSERT_GT(batches.tally.accepted, 5);
      learnRandomSkills(batches.set, rng);
      ASSERT_EQ(testing::validationError(batches.set), "");
      pairs.push_back(std::move(batches.set));
    }
  }
  for (std::size_t p = 0; p < pairs.size(); ++p) {
    const ScenarioSet& pair = pairs[p];
    const testing::FileBytes before = testing::writeToBytes(pair);
    // The officers whose learned skills the slots do not all stand for and whose rows are applied: the
    // ones the property is most about.
    int skillRows = 0;
    const ExportedTable officers = exportTable(pair, BatchKind::OfficerTable, {});
    const std::vector<std::string_view> lines = tableLines(officers.text);
    for (std::size_t line = 2; line < lines.size(); ++line) {
      const std::vector<std::string_view> cells = splitCells(lines[line]);
      if (cells.size() < 5 || cells[3] != "1") continue;
      const std::size_t s = std::stoul(std::string(cells[0]));
      const int n = pair.officerIndexOf(s, std::stoi(std::string(cells[1]))).value().number();
      if (skillsBesideSlots(pair.scenario(s).officerState(n), pair.scenario(s).officerProfile(n)) != 0) ++skillRows;
    }
    EXPECT_GT(skillRows, 20) << "pair " << p;

    for (const BatchKind kind : kKinds) {
      std::vector<ExportColumns> choices{{}};
      const std::vector<std::string> exportable = exportableColumns(kind);
      for (const std::string& column : exportable) choices.push_back({column});
      for (int k = 0; k < 3 && !exportable.empty(); ++k) {
        ExportColumns some;
        for (const std::string& column : exportable)
          if (rng() % 3 == 0) some.push_back(column);
        choices.push_back(some);
      }
      for (const ExportColumns& columns : choices) {
        // Every scenario for the table of all columns; one or two of them, drawn each time, for the others.
        std::vector<std::size_t> scenarios;
        if (!columns.empty()) {
          const std::size_t first = rng() % pair.scenarioCount();
          const std::size_t second = rng() % pair.scenarioCount();
          scenarios = first == second ? std::vector{first} : std::vector{first, second};
        }
        const ExportedTable table = exportTable(pair, kind, scenarios, columns);
        ScenarioSet copy = pair;
        BatchNotes notes;
        ASSERT_EQ(testing::errorText([&] { notes = runBatch(copy, kind, TableText{table.text, "t.txt"}); }), "");
        // Its switched-off cells hold the data's values: none of them is told as an edit left unwritten.
        for (const std::string& warning : notes.warnings)
          EXPECT_FALSE(warning.ends_with(kSwitchedOffCellsHint)) << warning;
        const testing::FileBytes after = testing::writeToBytes(copy);
        std::string asked;
        for (const std::string& column : columns) asked += column + ",";
        EXPECT_TRUE(after.sndata == before.sndata && after.taiki == before.taiki)
            << "pair " << p << ", table kind " << static_cast<int>(kind) << ", columns " << asked;
      }
    }
  }
}

TEST_F(TableExport, ValuesATableCannotCarryAreReportedAndTheirRowsLeftAlone) {
  ScenarioSet set = testing::tableReadySet();
  Scenario& s0 = set.scenarios[0];
  Scenario& s1 = set.scenarios[1];
  const auto numberOf = [&](std::size_t s, int id) { return set.officerIndexOf(s, id).value().number(); };
  // Officers: two duties for a non-ruler, a strategist below his minimums, a name with a blank,
  // experience below the least for his growth, an unaffiliated officer with troops, two weapons.
  s0.officerState(numberOf(0, 200)).set(state::duties, 0x05);
  s0.officerState(numberOf(0, 200)).set(state::intelligence, 50);
  s0.officerProfile(numberOf(0, 201)).setText(profile::name, "A B", 9);
  OfficerState& learner = s0.officerState(numberOf(0, 202));
  s0.officerProfile(numberOf(0, 202)).set(profile::growth, 15);
  learner.set(state::learnedCount, 2);
  learner.set(state::experience, 100);
  s0.officerState(numberOf(0, 300)).set(state::soldiers, 500);
  OfficerState& armed = s1.officerState(numberOf(1, 203));
  armed.set(state::items, (1u << 12) | (1u << 13));
  s1.trailer.set(trailer::itemHolder, 12, static_cast<std::int16_t>(numberOf(1, 203)));
  s1.trailer.set(trailer::itemHolder, 13, static_cast<std::int16_t>(numberOf(1, 203)));
  // A force with negative money; a city over its commerce limit and one with a three-character name.
  s1.force(2).set(force::money, -5);
  s0.city(5).set(city::commerce, 900);
  s0.cityName(5).set(cityName::commerceLimit, 400);
  s1.cityName(6).setText(cityName::name, gbkName("长安城"), 7);
  // A city placed elsewhere on the map of the second scenario; an officer named differently there.
  s1.cityName(9).set(cityName::smallMapX, 123);
  s1.officerProfile(numberOf(1, 204)).setText(profile::name, gbkName("别名"), 9);

  ExportedTable officers, forces, cities, names;
  expectUnchanged(set, BatchKind::OfficerTable, officers);
  expectUnchanged(set, BatchKind::ForceTable, forces);
  expectUnchanged(set, BatchKind::CityTable, cities);
  expectUnchanged(set, BatchKind::NameList, names);

  EXPECT_EQ(officers.problems.size(), 5u);
  for (const char* what : {"武将ID 200（", "武将ID 201（", "武将ID 202（", "武将ID 300（", "武将ID 203（"})
    EXPECT_TRUE(mentions(officers, what)) << what;
  EXPECT_TRUE(mentions(officers, "主管、智力 的值无法写入表中"));
  EXPECT_TRUE(mentions(officers, "经验"));
  EXPECT_TRUE(mentions(officers, "宝物"));
  EXPECT_EQ(row(officers, "0\t200").at(3), "0");
  EXPECT_EQ(row(officers, "0\t203").at(3), "1");
  EXPECT_EQ(row(officers, "1\t203").at(3), "0");

  ASSERT_EQ(forces.problems.size(), 1u);
  EXPECT_TRUE(mentions(forces, "剧本1 势力2"));
  EXPECT_EQ(row(forces, "1\t2").at(2), "0");

  EXPECT_EQ(cities.problems.size(), 3u);
  EXPECT_TRUE(mentions(cities, "剧本0 城市5"));
  EXPECT_TRUE(mentions(cities, "剧本1 城市6"));
  EXPECT_TRUE(mentions(cities, "城市9（"));
  const std::string switchRow = cities.text.substr(cities.text.find("\r\n") + 2);
  EXPECT_EQ(std::string(splitCells(switchRow).at(3)), "60");

  ASSERT_EQ(names.problems.size(), 3u);  // officers 201 and 204, city 6
  EXPECT_EQ(names.text.find("W\t204\t"), std::string::npos);
  EXPECT_NE(names.text.find("W\t205\t"), std::string::npos);
  EXPECT_EQ(names.text.find("C\t6\t"), std::string::npos);
}

// Each finishing rule is one check: the officer whom the import would change or refuse by it is the one
// whose exported row is switched off, with the rule's column named.
TEST_F(TableExport, ImportAndExportApplyTheSameFinishingRules) {
  struct Case {
    const char* what;
    void (*spoil)(OfficerState&, OfficerProfile&);
    const char* column;   // named by the export
    const char* refusal;  // the import's message; null when the import accepts the row
    bool changed;         // whether the accepted row changes the officer
  };
  const Case cases[] = {
      {"two duties", [](OfficerState& o, OfficerProfile&) { o.set(state::duties, 0x05); }, "主管", kOneDutyOnly, false},
      // At most one duty is the rule; the cell cannot say "none" ("---" is a ruler's fields).
      {"no duty", [](OfficerState& o, OfficerProfile&) { o.set(state::duties, 0); }, "主管", nullptr, false},
      {"strategist below his minimums", [](OfficerState& o, OfficerProfile&) { o.set(state::intelligence, 50); },
       "智力", nullptr, true},
      {"experience below the least",
       [](OfficerState& o, OfficerProfile& p) {
         p.set(profile::growth, 15);
         o.set(state::learnedCount, 2);
         o.set(state::experience, 100);
       },
       "经验", nullptr, true},
      {"a skill twice",
       [](OfficerState&, OfficerProfile& p) { p.set(profile::learnableSkills, 1, p.get(profile::learnableSkills, 0)); },
       "可学技能", kSkillRepeated, false},
      {"two weapons", [](OfficerState& o, OfficerProfile&) { o.set(state::items, (1u << 12) | (1u << 13)); }, "宝物",
       kOneItemKind, false},
  };
  for (const Case& c : cases) {
    ScenarioSet set = testing::tableReadySet();
    const OfficerIndex at = set.officerIndexOf(0, 200).value();
    c.spoil(set.scenarios[0].officerState(at.number()), set.scenarios[0].officerProfile(at.number()));
    const ExportedTable table = exportTable(set, BatchKind::OfficerTable, {0});
    EXPECT_EQ(row(table, "0\t200").at(3), "0") << c.what;
    EXPECT_TRUE(mentions(table, std::string(c.column) + " 的值无法写入表中")) << c.what;

    ScenarioSet copy = set;
    const std::string text = "剧本 ID 姓名 设置 编号 武力\r\n- - - 1 - 1\r\n0 200 x 1 0 60\r\n";
    std::string raised = "(no error)";
    try {
      importOfficerTable(copy, TableText{text, ""});
    } catch (const EditError& error) {
      raised = error.text();
    }
    if (c.refusal != nullptr) {
      EXPECT_NE(raised.find(c.refusal), std::string::npos) << c.what << ": " << raised;
      continue;
    }
    EXPECT_EQ(raised, "(no error)") << c.what;
    copy.scenarios[0]
        .officerState(at.number())
        .set(state::war, set.scenarios[0].officerState(at.number()).get(state::war));
    EXPECT_EQ(!(copy.scenarios[0].officerState(at.number()) == set.scenarios[0].officerState(at.number())), c.changed)
        << c.what;
  }
}

TEST_F(TableExport, NamesHoldingQuotesAreQuotedCellsThatReadBackExactly) {
  ScenarioSet set = testing::tableReadySet();
  const auto numberOf = [&](std::size_t s, int id) { return set.officerIndexOf(s, id).value().number(); };
  const std::pair<int, std::string> officers[] = {{200, "张\"三"}, {201, "\"甲\""}, {202, "\""}};
  for (Scenario& scenario : set.scenarios) {
    const std::size_t s = static_cast<std::size_t>(&scenario - set.scenarios.data());
    for (const auto& [id, name] : officers)
      scenario.officerProfile(numberOf(s, id)).setText(profile::name, gbkName(name), 9);
    scenario.cityName(7).setText(cityName::name, gbkName("\"甲\""), 5);
  }
  for (const BatchKind kind : kKinds) {
    ExportedTable table;
    expectUnchanged(set, kind, table);
    EXPECT_TRUE(table.problems.empty()) << table.problems.front();
  }
  ExportedTable names;
  roundTrip(set, BatchKind::NameList, names);
  EXPECT_NE(names.text.find("W\t200\t\"张\"\"三\"\r\n"), std::string::npos) << names.text;
  EXPECT_NE(names.text.find("C\t7\t\"\"\"甲\"\"\"\r\n"), std::string::npos);
  ExportedTable officerTable;
  roundTrip(set, BatchKind::OfficerTable, officerTable);
  EXPECT_EQ(row(officerTable, "0\t202").at(6), "\"\"\"\"") << "新姓名 of the name made of one quote";
}

TEST_F(TableExport, OnlyTheColumnsAskedForAreSwitchedOn) {
  const ScenarioSet set = testing::tableReadySet();
  const struct {
    BatchKind kind;
    ExportColumns asked;
    std::size_t leading;
  } cases[] = {
      {BatchKind::OfficerTable, {"武力", "智力"}, 5},
      {BatchKind::ForceTable, {"金钱"}, 3},
      {BatchKind::CityTable, {"新名称", "农业"}, 4},
      {BatchKind::OfficerTable, {}, 5},
  };
  for (const auto& [kind, asked, leading] : cases) {
    const ExportedTable table = exportTable(set, kind, {}, asked);
    const std::vector<std::string_view> lines = tableLines(table.text);
    const std::vector<std::string_view> header = splitCells(lines.at(0));
    const std::vector<std::string_view> switches = splitCells(lines.at(1));
    const std::vector<std::string> exportable = exportableColumns(kind);
    std::size_t on = 0;
    for (std::size_t j = leading; j < header.size(); ++j) {
      const std::string name(header[j]);
      const bool wanted = asked.empty() ? std::find(exportable.begin(), exportable.end(), name) != exportable.end()
                                        : std::find(asked.begin(), asked.end(), name) != asked.end();
      EXPECT_EQ(switches.at(j), wanted ? "1" : "0") << name;
      on += wanted ? 1 : 0;
    }
    EXPECT_EQ(on, asked.empty() ? exportable.size() : asked.size());
    // Applied unedited, the table changes nothing.
    const std::string path = folder.file("columns.txt");
    testing::writeFile(path, encodeTable(table.text, false));
    ScenarioSet copy = set;
    runBatch(copy, kind, path);
    EXPECT_TRUE(copy == set) << "kind " << static_cast<int>(kind);
  }
  // Shown columns are never offered; the name list has no columns.
  const std::vector<std::string> officerColumns = exportableColumns(BatchKind::OfficerTable);
  EXPECT_EQ(std::find(officerColumns.begin(), officerColumns.end(), "君主"), officerColumns.end());
  EXPECT_NE(std::find(officerColumns.begin(), officerColumns.end(), "新姓名"), officerColumns.end());
  EXPECT_TRUE(exportableColumns(BatchKind::NameList).empty());
}

}  // namespace
}  // namespace vorandel
