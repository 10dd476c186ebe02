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

// The values that rows lowered to their limits: how many, and the first, for the warning.
struct LoweredValues {
  std::size_t count = 0;
  std::size_t scenario = 0;  // the first: its scenario, city, column, value and limit
  int city = 0;
  const char* header = "";
  unsigned value = 0;
  unsigned limit = 0;
};

// Commerce and agriculture never stay above their limits; each value lowered is noted.
void clampToLimits(Scenario& scenario, std::size_t s, int c, LoweredValues& lowered) {
  const CityRecord city = scenario.city(c);
  const CityNameRecord names = scenario.cityName(c);
  const auto lower = [&](auto field, auto limitField, const char* header) {
    const unsigned value = city.get(field);
    const unsigned limit = names.get(limitField);
    if (value <= limit) return;
    city.set(field, names.get(limitField));
    if (lowered.count++ == 0) lowered = LoweredValues{1, s, c, header, value, limit};
  };
  lower(city::agriculture, cityName::agricultureLimit, "农业");
  lower(city::commerce, cityName::commerceLimit, "商业");
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
  actions.values = cityColumns();
  actions.takes = [&cityOptions](const RecordColumn& column) {
    return column.option == 0 || (cityOptions & column.option) != 0;
  };
  actions.firstCode = kCityOwner;
  actions.applyFirst = applyOwnerCell;
  LoweredValues lowered;
  actions.finishRow = [&set, &lowered](Scenario& scenario, int c) {
    clampToLimits(scenario, static_cast<std::size_t>(&scenario - set.scenarios.data()), c, lowered);
  };
  const std::vector<CityNames> before = cityNamesOf(set);
  applyRecordTable(set, table, cityTableLayout(), actions, report);
  if (lowered.count != 0 && report.warnings != nullptr)
    report.warnings->note(formatMessage(kLoweredToLimit, lowered.count, lowered.scenario, lowered.city, lowered.header,
                                        lowered.value, lowered.limit));

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
