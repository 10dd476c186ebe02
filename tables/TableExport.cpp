// The force table, the city table and the name list of the current data (the officer table has a file
// of its own), and the choice among the four.
#include "tables/TableExport.h"

#include <algorithm>
#include <span>

#include "rules/GameRules.h"
#include "tables/CityColumns.h"
#include "tables/ForceColumns.h"
#include "tables/OfficerColumns.h"
#include "tables/TableExportCells.h"

namespace vorandel {

using namespace tableexport;

namespace {

std::string numeral(long value) { return std::to_string(value); }

// --- force and city table -----------------------------------------------------------------------

// Adds the header of every column from first up to last whose stored value the cell cannot carry.
void addObstacles(Obstacles& obstacles, std::span<const RecordColumn> columns, std::size_t first, std::size_t last,
                  const Scenario& scenario, int record) {
  for (std::size_t j = first; j < last; ++j)
    if (!columns[j].carries(scenario, record)) obstacles.add(columns[j].info.header);
}

// The header row and the switch row of the columns the table writes, the ones asked for switched on.
std::string headerLines(std::vector<std::string> header, std::vector<std::string> switches,
                        std::span<const RecordColumn> columns, const ExportColumns& asked) {
  for (const RecordColumn& column : columns) {
    if (!column.write) continue;
    header.emplace_back(column.info.header);
    switches.emplace_back(switchedOn(asked, column.info.header, column.info.form) ? "1" : "0");
  }
  return tableLine(header) + tableLine(switches);
}

// A record's row: the leading cells, then the cell of every column the table writes.
std::string recordLine(std::vector<std::string> cells, std::span<const RecordColumn> columns, const Scenario& scenario,
                       int record) {
  for (const RecordColumn& column : columns)
    if (column.write) cells.push_back(column.write(scenario, record));
  return tableLine(cells);
}

constexpr unsigned kCityOptions = kApplyTerrainFlags | kApplyMapPositions | kApplyNeighbours;

bool sameGeography(ConstCityNameRecord a, ConstCityNameRecord b) {
  for (std::size_t slot = 0; slot < kNeighbourSlots; ++slot)
    if (a.get(cityName::neighbours, slot) != b.get(cityName::neighbours, slot)) return false;
  return a.get(cityName::byWater) == b.get(cityName::byWater) && a.get(cityName::climate) == b.get(cityName::climate) &&
         a.get(cityName::unknownFlag) == b.get(cityName::unknownFlag) &&
         a.get(cityName::smallMapX) == b.get(cityName::smallMapX) &&
         a.get(cityName::smallMapY) == b.get(cityName::smallMapY) &&
         a.get(cityName::largeMapX) == b.get(cityName::largeMapX) &&
         a.get(cityName::largeMapY) == b.get(cityName::largeMapY);
}

Obstacles cityObstacles(const Scenario& scenario, int c) {
  const std::span<const RecordColumn> columns = cityColumns();
  Obstacles obstacles;
  addObstacles(obstacles, columns, 0, kCitySmallMapX, scenario, c);
  // Every applied row holds agriculture and commerce down to their limits.
  const ConstCityRecord record = scenario.city(c);
  const ConstCityNameRecord names = scenario.cityName(c);
  if (record.get(city::agriculture) > names.get(cityName::agricultureLimit))
    obstacles.add(columns[kCityAgriculture].info.header);
  if (record.get(city::commerce) > names.get(cityName::commerceLimit))
    obstacles.add(columns[kCityCommerce].info.header);
  addObstacles(obstacles, columns, kCitySmallMapX, columns.size(), scenario, c);
  return obstacles;
}

// --- name list --------------------------------------------------------------------------------------

// The name that every scenario holding the record agrees on, byte for byte in the written width, when a
// list line can write it; empty otherwise.
std::string agreedName(const std::vector<const std::uint8_t*>& fields, std::size_t width) {
  if (fields.empty()) return std::string();
  for (const std::uint8_t* field : fields)
    if (!std::equal(field, field + width, fields.front())) return std::string();
  return writableName(fields.front(), width);
}

}  // namespace

ExportedTable exportForceTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios,
                               const ExportColumns& asked) {
  const std::span<const RecordColumn> columns = forceColumns();
  ExportedTable table;
  table.text = headerLines({"剧本", "编号", "设置"}, {kNoCell, kNoCell, kNoCell}, columns, asked);
  for (const std::size_t s : scenarioList(set.scenarioCount(), scenarios)) {
    const Scenario& scenario = set.scenario(s);
    for (int f = 1; f <= kForceCount; ++f) {
      const int ruler = scenario.force(f).get(force::ruler);
      if (ruler == -1) continue;  // a slot not in use
      Obstacles obstacles;
      addObstacles(obstacles, columns, 0, columns.size(), scenario, f);
      if (!obstacles.empty()) {
        const std::string rulerName = scenario.isOfficerNumber(ruler)
                                          ? informative(shownGbk(scenario.officerProfile(ruler).text(profile::name)))
                                          : kNoCell;
        table.problems.push_back(obstacles.problem(formatMessage("剧本%zu 势力%d（%s）", s, f, rulerName.c_str())));
      }
      table.text +=
          recordLine({numeral(static_cast<long>(s)), numeral(f), obstacles.empty() ? "1" : "0"}, columns, scenario, f);
    }
  }
  return table;
}

ExportedTable exportCityTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios,
                              const ExportColumns& asked) {
  ExportedTable table;
  // Copying the first scenario's geography would undo every difference from it, and a malformed
  // neighbour list of the first scenario would stop the table; then the table keeps each scenario's own.
  unsigned options = kCityOptions;
  for (int c = 1; c <= kCityCount && !set.scenarios.empty(); ++c) {
    const ConstCityNameRecord first = set.scenario(0).cityName(c);
    for (std::size_t s = 1; s < set.scenarioCount(); ++s) {
      if (neighbourList(first) && sameGeography(first, set.scenario(s).cityName(c))) continue;
      options = kCityOptions | kKeepScenarioGeography;
      table.problems.push_back(formatMessage(
          "城市%d（%s）：剧本%zu 的地形、地图位置或相邻城与剧本0不同，表的选项为%u，不从剧本0复制。", c,
          informative(shownGbk(first.text(cityName::name))).c_str(), s, kCityOptions | kKeepScenarioGeography));
    }
  }

  table.text =
      headerLines({"剧本", "ID", "名称", "设置"}, {kNoCell, kNoCell, kNoCell, numeral(options)}, cityColumns(), asked);
  for (const std::size_t s : scenarioList(set.scenarioCount(), scenarios)) {
    const Scenario& scenario = set.scenario(s);
    for (int c = 1; c <= kCityCount; ++c) {
      const Obstacles obstacles = cityObstacles(scenario, c);
      if (!obstacles.empty())
        table.problems.push_back(obstacles.problem(formatMessage(
            "剧本%zu 城市%d（%s）", s, c, informative(shownGbk(scenario.cityName(c).text(cityName::name))).c_str())));
      table.text +=
          recordLine({numeral(static_cast<long>(s)), numeral(c),
                      informative(shownGbk(scenario.cityName(c).text(cityName::name))), obstacles.empty() ? "1" : "0"},
                     cityColumns(), scenario, c);
    }
  }
  return table;
}

ExportedTable exportNameList(const ScenarioSet& set) {
  ExportedTable table;
  for (std::uint32_t id = 0; id < set.idCapacity; ++id) {
    std::vector<const std::uint8_t*> fields;
    for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
      const std::optional<OfficerIndex> k = set.officerIndexOf(s, id);
      if (k && set.scenario(s).isOfficerNumber(k->number()))
        fields.push_back(set.scenario(s).officerProfile(k->number()).bytes.data() + profile::name.offset);
    }
    if (fields.empty()) continue;
    const std::string name = agreedName(fields, kOfficerNameWidth);
    if (name.empty())
      table.problems.push_back(formatMessage("武将ID %u：姓名在各剧本中不同或无法写入名单，名单中没有这一行。", id));
    else
      table.text += formatMessage("W\t%u\t", id) + std::string(name) + "\r\n";
  }
  for (int c = 1; c <= kCityCount; ++c) {
    std::vector<const std::uint8_t*> fields;
    for (const Scenario& scenario : set.scenarios)
      fields.push_back(scenario.cityName(c).data() + cityName::name.offset);
    const std::string name = agreedName(fields, kCityNameWidth);
    if (name.empty())
      table.problems.push_back(formatMessage("城市%d：城市名在各剧本中不同或无法写入名单，名单中没有这一行。", c));
    else
      table.text += formatMessage("C\t%d\t", c) + std::string(name) + "\r\n";
  }
  return table;
}

ExportedTable exportTable(const ScenarioSet& set, BatchKind kind, const std::vector<std::size_t>& scenarios,
                          const ExportColumns& columns) {
  switch (kind) {
    case BatchKind::NameList: return exportNameList(set);
    case BatchKind::OfficerTable: return exportOfficerTable(set, scenarios, columns);
    case BatchKind::ForceTable: return exportForceTable(set, scenarios, columns);
    case BatchKind::CityTable: return exportCityTable(set, scenarios, columns);
  }
  return {};
}

std::vector<std::string> exportableColumns(BatchKind kind) {
  std::vector<std::string> names;
  const auto take = [&](const ColumnInfo& info, bool written) {
    if (written && info.form != CellForm::Shown) names.emplace_back(info.header);
  };
  switch (kind) {
    case BatchKind::NameList: break;
    case BatchKind::OfficerTable:
      for (const OfficerColumnSpec& column : officerColumns()) take(column.info, true);
      break;
    case BatchKind::ForceTable:
      for (const RecordColumn& column : forceColumns()) take(column.info, static_cast<bool>(column.write));
      break;
    case BatchKind::CityTable:
      for (const RecordColumn& column : cityColumns()) take(column.info, static_cast<bool>(column.write));
      break;
  }
  return names;
}

}  // namespace vorandel
