#include "tables/CityTable.h"

#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "model/EditError.h"
#include "rules/GameRules.h"
#include "tables/RecordTable.h"
#include "tables/RulerColumns.h"
#include "tables/TableMessages.h"

namespace vorandel {

namespace {

// Commerce and agriculture never stay above their limits.
void clampToLimits(Scenario& scenario, int c) {
  const CityRecord city = scenario.city(c);
  const CityNameRecord names = scenario.cityName(c);
  if (city.get(city::commerce) > names.get(cityName::commerceLimit))
    city.set(city::commerce, names.get(cityName::commerceLimit));
  if (city.get(city::agriculture) > names.get(cityName::agricultureLimit))
    city.set(city::agriculture, names.get(cityName::agricultureLimit));
}

// The name records (name, neighbours, limits, positions, terrain) of every city of a scenario.
using CityNames = std::array<std::array<std::uint8_t, kCityNameRecordSize>, kCityCount>;

std::vector<CityNames> cityNamesOf(const ScenarioSet& set) {
  std::vector<CityNames> all(set.scenarioCount());
  for (std::size_t s = 0; s < set.scenarioCount(); ++s)
    for (int c = 1; c <= kCityCount; ++c)
      std::memcpy(all[s][static_cast<std::size_t>(c - 1)].data(), set.scenarios[s].cityName(c).data(),
                  kCityNameRecordSize);
  return all;
}

}  // namespace

void copyFirstScenarioGeography(ScenarioSet& set) {
  if (set.scenarioCount() < 2) return;
  for (int c = 1; c <= kCityCount; ++c) {
    const ConstCityNameRecord from = std::as_const(set.scenario(0)).cityName(c);
    require(neighbourList(from).has_value(), "相邻城市有错");
    for (std::size_t s = 1; s < set.scenarioCount(); ++s) {
      const CityNameRecord to = set.scenario(s).cityName(c);
      to.set(cityName::byWater, from.get(cityName::byWater));
      to.set(cityName::unknownFlag, from.get(cityName::unknownFlag));
      to.set(cityName::climate, from.get(cityName::climate));
      to.set(cityName::smallMapX, from.get(cityName::smallMapX));
      to.set(cityName::smallMapY, from.get(cityName::smallMapY));
      to.set(cityName::largeMapX, from.get(cityName::largeMapX));
      to.set(cityName::largeMapY, from.get(cityName::largeMapY));
      for (std::size_t i = 0; i < kNeighbourSlots; ++i)
        to.set(cityName::neighbours, i, from.get(cityName::neighbours, i));
    }
  }
}

const RecordTableLayout& cityTableLayout() {
  static const RecordTableLayout layout = [] {
    RecordTableLayout made;
    TableLayout& table = made.table;
    table.leadingColumns = 4;
    table.leadingHeader = "剧本 ID 名称 设置";
    table.switchCell = 3;
    table.fewestColumns = 4;
    table.tooFewLines = "输入文件至少要两行";
    table.tooFewColumns = "输入文件至少要有4列";
    table.unevenSwitchRow = kUnevenRows;
    table.wrongLeadingHeader = "第一行前4列错误";
    table.unevenRow = kUnevenRows;
    made.firstRecord = 1;
    made.lastRecord = kCityCount;
    return made;
  }();
  return layout;
}

void importCityTable(ScenarioSet& set, TableText table, TableReport report) {
  unsigned cityOptions = 0;
  RecordTableActions actions;
  actions.columns = cityColumnDictionary;
  actions.readSwitchRow = [&cityOptions](const std::vector<std::string_view>& switchCells, CellPosition at) {
    cityOptions = static_cast<unsigned>(atCell(at, [&] { return parseBounded(switchCells[3], kHighestCityOptions); }));
  };
  actions.applyCell = [&cityOptions](Scenario& scenario, int c, int code, std::string_view cell) {
    const RecordColumn& column = cityColumns()[static_cast<std::size_t>(code)];
    if (column.option != 0 && (cityOptions & column.option) == 0) return;
    column.read(scenario, c, cell);
  };
  actions.firstCode = kCityOwner;
  actions.applyFirst = applyOwnerCell;
  actions.finishRow = clampToLimits;
  actions.describe = [](int code) -> const ColumnInfo& { return cityColumns()[static_cast<std::size_t>(code)].info; };
  const std::vector<CityNames> before = cityNamesOf(set);
  applyRecordTable(set, table, cityTableLayout(), actions, report);

  if (!report.headerOnly && (cityOptions & kKeepScenarioGeography) == 0) {
    const std::vector<CityNames> afterRows = cityNamesOf(set);
    copyFirstScenarioGeography(set);
    // The rows' edits of the other scenarios that the copy changed again are told.
    const std::vector<CityNames> afterCopy = cityNamesOf(set);
    std::size_t undone = 0;
    for (std::size_t s = 1; s < set.scenarioCount(); ++s)
      for (std::size_t c = 0; c < static_cast<std::size_t>(kCityCount); ++c)
        if (afterRows[s][c] != before[s][c] && afterCopy[s][c] != afterRows[s][c]) ++undone;
    if (undone != 0 && report.warnings != nullptr) report.warnings->note(formatMessage(kGeographyCopied, undone));
  }
}

}  // namespace vorandel
