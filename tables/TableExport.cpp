// The force table, the city table and the name list of the current data (the officer table has a file
// of its own), and the choice among the four.
#include "tables/TableExport.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/TableExportCells.h"
#include "rules/GameRules.h"

namespace vorandel {

using namespace tableexport;

namespace {


std::string numeral(long value) { return std::to_string(value); }

// --- force table ------------------------------------------------------------------------------------

std::string weaponList(unsigned weapons) {
  std::vector<std::string> names;
  for (std::size_t bit = 0; bit < kWeaponNames.size(); ++bit)
    if ((weapons >> bit) & 1u) names.emplace_back(kWeaponNames[bit]);
  return names.empty() ? std::string("---") : joinCells(names, ",");
}

// --- city table -------------------------------------------------------------------------------------

constexpr unsigned kCityOptions = kApplyTerrainFlags | kApplyMapPositions | kApplyNeighbours;

std::string_view cityNameOf(ConstCityNameRecord names) {
  return writableName(names.data() + cityName::name.offset, kCityNameWidth);
}

// The filled neighbour slots, when every one before the first empty slot holds a city and every one
// after it is empty, the only lists a 相邻城ID cell writes.
std::optional<std::vector<int>> neighbourList(ConstCityNameRecord names) {
  std::vector<int> list;
  bool ended = false;
  for (std::size_t slot = 0; slot < kNeighbourSlots; ++slot) {
    const int c = names.get(cityName::neighbours, slot);
    if (c == -1) {
      ended = true;
    } else if (ended || !isCityNumber(c)) {
      return std::nullopt;
    } else {
      list.push_back(c);
    }
  }
  return list;
}

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
  const ConstCityRecord record = scenario.city(c);
  const ConstCityNameRecord names = scenario.cityName(c);
  Obstacles obstacles;
  if (cityNameOf(names).empty()) obstacles.add("新名称");
  if (record.get(city::defence) > 999) obstacles.add("城防");
  if (record.get(city::floodControl) > 100) obstacles.add("治水");
  if (record.get(city::agriculture) > 999) obstacles.add("农业");
  if (record.get(city::commerce) > 999) obstacles.add("商业");
  if (record.get(city::loyalty) > 100) obstacles.add("民忠");
  if (record.get(city::reserveTroops) > 8000000) obstacles.add("预备兵");
  if (record.get(city::morale) > 100) obstacles.add("士气");
  if (record.get(city::training) > 100) obstacles.add("训练");
  if (names.get(cityName::agricultureLimit) > 999) obstacles.add("农业上限");
  if (names.get(cityName::commerceLimit) > 999) obstacles.add("商业上限");
  // Every applied row holds agriculture and commerce down to their limits.
  if (record.get(city::agriculture) > names.get(cityName::agricultureLimit)) obstacles.add("农业");
  if (record.get(city::commerce) > names.get(cityName::commerceLimit)) obstacles.add("商业");
  if (names.get(cityName::smallMapX) > 800) obstacles.add("小地图横坐标");
  if (names.get(cityName::smallMapY) > 600) obstacles.add("小地图纵坐标");
  if (names.get(cityName::largeMapX) > 800) obstacles.add("大地图横坐标");
  if (names.get(cityName::largeMapY) > 600) obstacles.add("大地图纵坐标");
  if (!neighbourList(names)) obstacles.add("相邻城ID");
  return obstacles;
}

std::vector<std::string> cityCells(const Scenario& scenario, std::size_t s, int c, bool on) {
  const ConstCityRecord record = scenario.city(c);
  const ConstCityNameRecord names = scenario.cityName(c);
  char status[8];
  std::snprintf(status, sizeof status, "%X", unsigned{record.get(city::statusBits)});
  std::string neighbours = ",";  // a lone comma empties the list
  if (const std::optional<std::vector<int>> list = neighbourList(names); list && !list->empty()) {
    std::vector<std::string> items;
    for (const int n : *list) items.push_back(numeral(n));
    neighbours = joinCells(items, ",");
  }
  const std::string name = informative(cityNameOf(names));
  return {numeral(static_cast<long>(s)),
          numeral(c),
          informative(names.text(cityName::name)),
          on ? "1" : "0",
          name,
          numeral(record.get(city::defence)),
          numeral(record.get(city::floodControl)),
          numeral(record.get(city::agriculture)),
          numeral(record.get(city::commerce)),
          numeral(record.get(city::population)),
          numeral(record.get(city::loyalty)),
          numeral(record.get(city::reserveTroops)),
          numeral(record.get(city::morale)),
          numeral(record.get(city::training)),
          status,
          numeral(names.get(cityName::agricultureLimit)),
          numeral(names.get(cityName::commerceLimit)),
          numeral(names.get(cityName::market)),
          numeral(names.get(cityName::byWater)),
          numeral(names.get(cityName::climate)),
          numeral(names.get(cityName::unknownFlag)),
          numeral(names.get(cityName::smallMapX)),
          numeral(names.get(cityName::smallMapY)),
          numeral(names.get(cityName::largeMapX)),
          numeral(names.get(cityName::largeMapY)),
          neighbours};
}

// --- name list --------------------------------------------------------------------------------------

// The name that every scenario holding the record agrees on, byte for byte in the written width, when a
// list line can write it; empty otherwise.
std::string_view agreedName(const std::vector<const std::uint8_t*>& fields, std::size_t width) {
  if (fields.empty()) return {};
  for (const std::uint8_t* field : fields)
    if (!std::equal(field, field + width, fields.front())) return {};
  return writableName(fields.front(), width);
}

}  // namespace

ExportedTable exportForceTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios) {
  ExportedTable table;
  table.text = tableLine({"剧本", "编号", "设置", "声望", "金钱", "粮食", "科技"}) +
               tableLine({kNoCell, kNoCell, kNoCell, "1", "1", "1", "1"});
  for (const std::size_t s : scenarioList(set.scenarioCount(), scenarios)) {
    const Scenario& scenario = set.scenario(s);
    for (int f = 1; f <= kForceCount; ++f) {
      const ConstForceRecord force = scenario.force(f);
      const int ruler = force.get(force::ruler);
      if (ruler == -1) continue;  // a slot not in use
      Obstacles obstacles;
      if (force.get(force::fame) > 1000) obstacles.add("声望");
      if (force.get(force::money) < 0 || force.get(force::money) > 3000000) obstacles.add("金钱");
      if (force.get(force::food) < 0 || force.get(force::food) > 3000000) obstacles.add("粮食");
      if (!obstacles.empty()) {
        const std::string rulerName =
            scenario.isOfficerNumber(ruler) ? informative(scenario.officerProfile(ruler).text(profile::name)) : kNoCell;
        table.problems.push_back(obstacles.problem(formatMessage("剧本%zu 势力%d（%s）", s, f, rulerName.c_str())));
      }
      table.text += tableLine({numeral(static_cast<long>(s)), numeral(f), obstacles.empty() ? "1" : "0",
                               numeral(force.get(force::fame)), numeral(force.get(force::money)),
                               numeral(force.get(force::food)), weaponList(force.get(force::weapons))});
    }
  }
  return table;
}

ExportedTable exportCityTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios) {
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
          informative(first.text(cityName::name)).c_str(), s, kCityOptions | kKeepScenarioGeography));
    }
  }

  std::vector<std::string> header{"剧本", "ID", "名称", "设置"};
  std::vector<std::string> switches{kNoCell, kNoCell, kNoCell, numeral(options)};
  for (const char* column : kCityColumnNames) {
    header.emplace_back(column);
    switches.emplace_back("1");
  }
  table.text = tableLine(header) + tableLine(switches);
  for (const std::size_t s : scenarioList(set.scenarioCount(), scenarios)) {
    const Scenario& scenario = set.scenario(s);
    for (int c = 1; c <= kCityCount; ++c) {
      const Obstacles obstacles = cityObstacles(scenario, c);
      if (!obstacles.empty())
        table.problems.push_back(obstacles.problem(
            formatMessage("剧本%zu 城市%d（%s）", s, c, informative(scenario.cityName(c).text(cityName::name)).c_str())));
      table.text += tableLine(cityCells(scenario, s, c, obstacles.empty()));
    }
  }
  return table;
}

ExportedTable exportNameList(const ScenarioSet& set) {
  ExportedTable table;
  for (std::uint32_t id = 0; id < set.idCapacity; ++id) {
    std::vector<const std::uint8_t*> fields;
    for (std::size_t s = 0; s < set.scenarioCount(); ++s) {
      const int k = set.officerIndexOf(s, id);
      if (k >= 0 && set.scenario(s).isOfficerNumber(k + 1))
        fields.push_back(set.scenario(s).officerProfile(k + 1).bytes.data() + profile::name.offset);
    }
    if (fields.empty()) continue;
    const std::string_view name = agreedName(fields, kOfficerNameWidth);
    if (name.empty())
      table.problems.push_back(formatMessage("武将ID %u：姓名在各剧本中不同或无法写入名单，名单中没有这一行。", id));
    else
      table.text += formatMessage("W\t%u\t", id) + std::string(name) + "\r\n";
  }
  for (int c = 1; c <= kCityCount; ++c) {
    std::vector<const std::uint8_t*> fields;
    for (const Scenario& scenario : set.scenarios) fields.push_back(scenario.cityName(c).data() + cityName::name.offset);
    const std::string_view name = agreedName(fields, kCityNameWidth);
    if (name.empty())
      table.problems.push_back(formatMessage("城市%d：城市名在各剧本中不同或无法写入名单，名单中没有这一行。", c));
    else
      table.text += formatMessage("C\t%d\t", c) + std::string(name) + "\r\n";
  }
  return table;
}

ExportedTable exportTable(const ScenarioSet& set, BatchKind kind, const std::vector<std::size_t>& scenarios) {
  switch (kind) {
    case BatchKind::NameList: return exportNameList(set);
    case BatchKind::OfficerTable: return exportOfficerTable(set, scenarios);
    case BatchKind::ForceTable: return exportForceTable(set, scenarios);
    case BatchKind::CityTable: return exportCityTable(set, scenarios);
  }
  return {};
}

}  // namespace vorandel
