// Each table's column descriptions drive its importer, its exporter and the exporter's checks: a value at
// a column's maximum goes in, comes out in the same cell and goes in again unchanged; one above it is
// refused by the importer, and a record holding it is written with its row switched off.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "app/BatchRun.h"
#include "tables/BatchTable.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/OfficerTable.h"
#include "tables/TableExport.h"
#include "tables/TableMessages.h"
#include "tests/tables/TableExportSets.h"
#include "tests/tables/TableFiles.h"

namespace vorandel {
namespace {

using testing::cellErrorText;
using testing::tableError;

// Stores a value in the record's field as it is, past any check.
using Store = std::function<void(Scenario&, int record, long value)>;

// The cells of the exported row whose leading cells are these; empty when there is none.
std::vector<std::string> exportedRow(const ExportedTable& table, const std::string& leading) {
  for (const std::string_view line : tableLines(table.text)) {
    if (!line.starts_with(leading + "\t")) continue;
    const std::vector<std::string_view> cells = splitCells(line);
    return {cells.begin(), cells.end()};
  }
  return {};
}

bool mentions(const ExportedTable& table, const std::string& text) {
  for (const std::string& problem : table.problems)
    if (problem.find(text) != std::string::npos) return true;
  return false;
}

// The exported table applied to a copy of the set leaves the copy as the set was.
void expectRoundTrip(const ScenarioSet& set, BatchKind kind, const ExportedTable& table, const std::string& what) {
  ScenarioSet copy = set;
  EXPECT_EQ(tableError([&] { runBatch(copy, kind, TableText{table.text, "exported"}); }), "(no error)") << what;
  EXPECT_TRUE(copy == set) << what << ": the round trip changed the set";
}

TEST(ColumnDescriptions, TellHeaderAndWhatACellHolds) {
  std::vector<ColumnInfo> all;
  for (const RecordColumn& column : cityColumns()) all.push_back(column.info);
  for (const RecordColumn& column : forceColumns()) all.push_back(column.info);
  for (const OfficerColumnSpec& column : officerColumns()) all.push_back(column.info);
  EXPECT_EQ(all.size(), 24u + 6u + 49u);
  for (const ColumnInfo& info : all) {
    EXPECT_FALSE(std::string(info.header).empty());
    if (info.range) {
      EXPECT_LE(info.range->min, info.range->max) << info.header;
    }
    if (info.form == CellForm::Switch) {
      EXPECT_EQ(info.range->max, 1) << info.header;
    }
    if (info.form == CellForm::Name) {
      EXPECT_NE(info.vocabulary, nullptr) << info.header;
    }
    if (info.form == CellForm::NumberList) {
      EXPECT_TRUE(info.range.has_value()) << info.header;
    }
  }
  EXPECT_EQ(cityColumns()[kCityNeighbours].info.range->max, kCityCount);
  EXPECT_EQ(forceColumns()[3].info.vocabulary, &weaponDictionary);
  EXPECT_EQ(officerColumns()[kAffinityColumn].info.range->max, 150);

  // The exported tables name exactly the described columns, in their order.
  const ScenarioSet set = testing::tableReadySet();
  const auto headerOf = [](const ExportedTable& table) {
    const std::vector<std::string_view> cells = splitCells(tableLines(table.text).at(0));
    return std::vector<std::string>(cells.begin(), cells.end());
  };
  std::vector<std::string> expected{"剧本", "ID", "名称", "设置"};
  for (const RecordColumn& column : cityColumns()) expected.emplace_back(column.info.header);
  EXPECT_EQ(headerOf(exportCityTable(set, {})), expected);
  expected = {"剧本", "编号", "设置", "声望", "金钱", "粮食", "科技", "君主", "君主姓名"};
  EXPECT_EQ(headerOf(exportForceTable(set, {})), expected);
  expected = {"剧本", "ID", "姓名", "设置", "编号"};
  for (const OfficerColumnSpec& column : officerColumns()) expected.emplace_back(column.info.header);
  EXPECT_EQ(headerOf(exportOfficerTable(set, {})), expected);
}

// The columns whose range is narrower than their field, with a way to store a value above the range.
const std::map<std::string, Store>& cityStores() {
  static const std::map<std::string, Store> stores{
      {"城防", [](Scenario& s, int c, long v) { s.city(c).set(city::defence, static_cast<std::uint16_t>(v)); }},
      {"治水", [](Scenario& s, int c, long v) { s.city(c).set(city::floodControl, static_cast<std::uint8_t>(v)); }},
      {"农业", [](Scenario& s, int c, long v) { s.city(c).set(city::agriculture, static_cast<std::uint16_t>(v)); }},
      {"商业", [](Scenario& s, int c, long v) { s.city(c).set(city::commerce, static_cast<std::uint16_t>(v)); }},
      {"民忠", [](Scenario& s, int c, long v) { s.city(c).set(city::loyalty, static_cast<std::uint8_t>(v)); }},
      {"预备兵", [](Scenario& s, int c, long v) { s.city(c).set(city::reserveTroops, static_cast<std::uint32_t>(v)); }},
      {"士气", [](Scenario& s, int c, long v) { s.city(c).set(city::morale, static_cast<std::uint8_t>(v)); }},
      {"训练", [](Scenario& s, int c, long v) { s.city(c).set(city::training, static_cast<std::uint8_t>(v)); }},
      {"农业上限", [](Scenario& s, int c,
                      long v) { s.cityName(c).set(cityName::agricultureLimit, static_cast<std::uint16_t>(v)); }},
      {"商业上限",
       [](Scenario& s, int c, long v) { s.cityName(c).set(cityName::commerceLimit, static_cast<std::uint16_t>(v)); }},
      {"小地图横坐标",
       [](Scenario& s, int c, long v) { s.cityName(c).set(cityName::smallMapX, static_cast<std::uint16_t>(v)); }},
      {"小地图纵坐标",
       [](Scenario& s, int c, long v) { s.cityName(c).set(cityName::smallMapY, static_cast<std::uint16_t>(v)); }},
      {"大地图横坐标",
       [](Scenario& s, int c, long v) { s.cityName(c).set(cityName::largeMapX, static_cast<std::uint16_t>(v)); }},
      {"大地图纵坐标",
       [](Scenario& s, int c, long v) { s.cityName(c).set(cityName::largeMapY, static_cast<std::uint16_t>(v)); }},
      {"人口", nullptr},  // the range is the field's
  };
  return stores;
}

TEST(ColumnDescriptions, CityColumnsAtTheirMaximumAndAbove) {
  const std::span<const RecordColumn> columns = cityColumns();
  for (std::size_t code = 0; code < columns.size(); ++code) {
    const ColumnInfo& info = columns[code].info;
    // The owner column changes who rules what; its tests are its own.
    if (info.form != CellForm::Number || code == kCityOwner) continue;
    const std::string header = info.header;
    ScenarioSet set = testing::tableReadySet();
    // Limits that hold agriculture and commerce at any value of their range.
    set.scenarios[0].cityName(1).set(cityName::agricultureLimit, 999);
    set.scenarios[0].cityName(1).set(cityName::commerceLimit, 999);
    const auto table = [&](long value) {
      return "剧本\tID\t名称\t设置\t" + header + "\r\n-\t-\t-\t28\t1\r\n0\t1\tx\t1\t" + std::to_string(value) + "\r\n";
    };

    const std::string atMost = table(info.range->max);
    ASSERT_EQ(tableError([&] { importCityTable(set, TableText{atMost, "city"}); }), "(no error)") << header;
    const ExportedTable exported = exportCityTable(set, {});
    const std::vector<std::string> row = exportedRow(exported, "0\t1");
    ASSERT_EQ(row.size(), 4 + columns.size()) << header;
    EXPECT_EQ(row[3], "1") << header;
    EXPECT_EQ(row[4 + code], std::to_string(info.range->max)) << header;
    expectRoundTrip(set, BatchKind::CityTable, exported, header);

    const std::string above = table(info.range->max + 1);
    EXPECT_EQ(tableError([&] {
                importCityTable(set, TableText{above, "city"});
              }),
              cellErrorText(3, 5, "E3", kOutOfRange))
        << header;

    const auto store = cityStores().find(header);
    ASSERT_NE(store, cityStores().end()) << header << " has no way to store a value above its range in this test";
    if (!store->second) continue;
    store->second(set.scenarios[0], 1, info.range->max + 1);
    const ExportedTable refused = exportCityTable(set, {});
    EXPECT_EQ(exportedRow(refused, "0\t1").at(3), "0") << header;
    EXPECT_TRUE(mentions(refused, header + " 的值无法写入表中")) << header;
    expectRoundTrip(set, BatchKind::CityTable, refused, header);
  }
}

TEST(ColumnDescriptions, ForceColumnsAtTheirMaximumAndAbove) {
  const std::map<std::string, Store> stores{
      {"声望", [](Scenario& s, int f, long v) { s.force(f).set(force::fame, static_cast<std::uint16_t>(v)); }},
      {"金钱", [](Scenario& s, int f, long v) { s.force(f).set(force::money, static_cast<std::int32_t>(v)); }},
      {"粮食", [](Scenario& s, int f, long v) { s.force(f).set(force::food, static_cast<std::int32_t>(v)); }},
  };
  const std::span<const RecordColumn> columns = forceColumns();
  for (std::size_t code = 0; code < columns.size(); ++code) {
    const ColumnInfo& info = columns[code].info;
    // The ruler column changes who rules what; its tests are its own.
    if (info.form != CellForm::Number || code == kForceRuler) continue;
    const std::string header = info.header;
    ScenarioSet set = testing::tableReadySet();
    ASSERT_NE(set.scenarios[0].force(1).get(force::ruler), -1);
    const auto table = [&](long value) {
      return "剧本\t编号\t设置\t" + header + "\r\n-\t-\t-\t1\r\n0\t1\t1\t" + std::to_string(value) + "\r\n";
    };

    const std::string atMost = table(info.range->max);
    ASSERT_EQ(tableError([&] { importForceTable(set, TableText{atMost, "lord"}); }), "(no error)") << header;
    const ExportedTable exported = exportForceTable(set, {});
    const std::vector<std::string> row = exportedRow(exported, "0\t1");
    ASSERT_EQ(row.size(), 3 + columns.size()) << header;
    EXPECT_EQ(row[2], "1") << header;
    EXPECT_EQ(row[3 + code], std::to_string(info.range->max)) << header;
    expectRoundTrip(set, BatchKind::ForceTable, exported, header);

    const std::string above = table(info.range->max + 1);
    EXPECT_EQ(tableError([&] {
                importForceTable(set, TableText{above, "lord"});
              }),
              cellErrorText(3, 4, "D3", kOutOfRange))
        << header;

    const auto store = stores.find(header);
    ASSERT_NE(store, stores.end()) << header;
    store->second(set.scenarios[0], 1, info.range->max + 1);
    const ExportedTable refused = exportForceTable(set, {});
    EXPECT_EQ(exportedRow(refused, "0\t1").at(2), "0") << header;
    EXPECT_TRUE(mentions(refused, header + " 的值无法写入表中")) << header;
    expectRoundTrip(set, BatchKind::ForceTable, refused, header);
  }
}

TEST(ColumnDescriptions, OfficerColumnsAtTheirMaximumAndAbove) {
  const std::map<std::string, Store> stores{
      {"成长",
       [](Scenario& s, int n, long v) { s.officerProfile(n).set(profile::growth, static_cast<std::uint8_t>(v)); }},
      {"相性",
       [](Scenario& s, int n, long v) { s.officerProfile(n).set(profile::affinity, static_cast<std::uint8_t>(v)); }},
      {"已学技能数",
       [](Scenario& s, int n, long v) { s.officerState(n).set(state::learnedCount, static_cast<unsigned>(v)); }},
      {"勇名", [](Scenario& s, int n, long v) { s.officerState(n).set(state::fame, static_cast<std::uint16_t>(v)); }},
      {"经验",
       [](Scenario& s, int n, long v) { s.officerState(n).set(state::experience, static_cast<std::uint16_t>(v)); }},
      {"忠诚度",
       [](Scenario& s, int n, long v) { s.officerState(n).set(state::loyalty, static_cast<std::uint8_t>(v)); }},
      {"士兵",
       [](Scenario& s, int n, long v) { s.officerState(n).set(state::soldiers, static_cast<std::uint16_t>(v)); }},
      {"训练",
       [](Scenario& s, int n, long v) { s.officerState(n).set(state::training, static_cast<std::uint8_t>(v)); }},
      {"士气", [](Scenario& s, int n, long v) { s.officerState(n).set(state::morale, static_cast<std::uint8_t>(v)); }},
  };
  // Columns whose range is the whole field, so that no stored value lies above it.
  const std::set<std::string> wholeField{"出生年份", "寿命", "家族", "善恶", "武力", "智力", "政治",
                                         "魅力",     "义气", "野心", "勇猛", "冷静", "归属"};

  const ScenarioSet start = testing::tableReadySet();
  // An ordinary officer on the map whose exported row is switched on.
  const ExportedTable first = exportOfficerTable(start, {0});
  std::vector<std::string> chosen;
  for (const std::string_view line : tableLines(first.text)) {
    const std::vector<std::string_view> cells = splitCells(line);
    if (cells.size() > 12 && cells[3] == "1" && cells[5 + kStatusColumn] == "一般") {
      chosen.assign(cells.begin(), cells.end());
      break;
    }
  }
  ASSERT_FALSE(chosen.empty());
  const std::string leading = "0\t" + chosen[1];
  const int number = start.officerIndexOf(0, std::stoi(chosen[1])).value().number();

  const std::span<const OfficerColumnSpec> columns = officerColumns();
  for (int code = 0; code < static_cast<int>(columns.size()); ++code) {
    const ColumnInfo& info = columns[static_cast<std::size_t>(code)].info;
    // 新ID renumbers the officer and 上场年份 applies to waiting officers only; both have tests of their own.
    if (info.form != CellForm::Number || !info.range || code == kNewIdColumn || code == kAppearYearColumn) continue;
    const std::string header = info.header;
    ScenarioSet set = start;
    const auto table = [&](long value) {
      return "剧本\tID\t姓名\t设置\t编号\t" + header + "\r\n-\t-\t-\t1\t-\t1\r\n" + leading + "\tx\t1\t" + chosen[4] +
             "\t" + std::to_string(value) + "\r\n";
    };

    const std::string atMost = table(info.range->max);
    ASSERT_EQ(tableError([&] { importOfficerTable(set, TableText{atMost, "officer"}); }), "(no error)") << header;
    const ExportedTable exported = exportOfficerTable(set, {});
    const std::vector<std::string> row = exportedRow(exported, leading);
    ASSERT_EQ(row.size(), 5u + columns.size()) << header;
    EXPECT_EQ(row[3], "1") << header;
    EXPECT_EQ(row[5 + static_cast<std::size_t>(code)], std::to_string(info.range->max)) << header;
    expectRoundTrip(set, BatchKind::OfficerTable, exported, header);

    const std::string above = table(info.range->max + 1);
    EXPECT_EQ(tableError([&] {
                importOfficerTable(set, TableText{above, "officer"});
              }),
              cellErrorText(3, 6, "F3", kOutOfRange))
        << header;

    const auto store = stores.find(header);
    if (store == stores.end()) {
      EXPECT_TRUE(wholeField.contains(header)) << header << " has no way to store a value above its range in this test";
      continue;
    }
    store->second(set.scenarios[0], number, info.range->max + 1);
    const ExportedTable refused = exportOfficerTable(set, {});
    EXPECT_EQ(exportedRow(refused, leading).at(3), "0") << header;
    EXPECT_TRUE(mentions(refused, header)) << header;
    expectRoundTrip(set, BatchKind::OfficerTable, refused, header);
  }
}

}  // namespace
}  // namespace vorandel
