#include "tables/CityTable.h"

#include <array>
#include <utility>
#include <vector>

#include "tables/BatchTable.h"
#include "model/CellError.h"
#include "tables/CellParsers.h"
#include "tables/RecordTable.h"
#include "model/EditError.h"
#include "rules/GameRules.h"

namespace vorandel {

namespace {

enum CityColumn {
  kNewName, kDefence, kFloodControl, kAgriculture, kCommerce, kPopulation, kLoyalty, kReserveTroops, kMorale,
  kTraining, kStatusBits, kAgricultureLimit, kCommerceLimit, kMarket, kByWater, kClimate, kUnknownFlag,
  kSmallMapX, kSmallMapY, kLargeMapX, kLargeMapY, kNeighbours,
};

constexpr std::size_t kCityNameLength = 4;      // bytes of text; the field holds them and a NUL
constexpr std::int8_t kNoNeighbour = -1;        // 0xFF
constexpr std::int32_t kHighestPopulation = 65535;  // the field has 16 bits

const ColumnDictionary& cityColumns() {
  static const ColumnDictionary columns(kCityColumnNames);
  return columns;
}

// The option bit a column needs before it is applied, or 0 when it needs none.
unsigned optionOf(int code) {
  switch (code) {
    case kByWater: case kClimate: case kUnknownFlag: return kApplyTerrainFlags;
    case kSmallMapX: case kSmallMapY: case kLargeMapX: case kLargeMapY: return kApplyMapPositions;
    case kNeighbours: return kApplyNeighbours;
    default: return 0;
  }
}

// A comma-separated list of up to six city numbers; the slots after the last one are emptied.
void applyNeighbours(CityNameRecord names, std::string_view cell) {
  const std::vector<std::string_view> items = splitList(cell, ',');
  require(items.size() <= kNeighbourSlots, "--ERROR!--\n");
  std::array<std::int8_t, kNeighbourSlots> slots;
  slots.fill(kNoNeighbour);
  for (std::size_t i = 0; i < items.size(); ++i)
    slots[i] = static_cast<std::int8_t>(parseRanged(items[i], 1, kCityCount, 10));
  for (std::size_t i = 0; i < slots.size(); ++i) names.set(cityName::neighbours, i, slots[i]);
}

void applyCityCell(Scenario& scenario, int c, int code, std::string_view cell) {
  const CityRecord city = scenario.city(c);
  const CityNameRecord names = scenario.cityName(c);
  const auto u16 = [](std::int32_t v) { return static_cast<std::uint16_t>(v); };
  const auto u8 = [](std::int32_t v) { return static_cast<std::uint8_t>(v); };
  switch (code) {
    case kNewName:
      require(cell.size() <= kCityNameLength, "城市名太长");
      names.setText(cityName::name, cell, kCityNameWidth);
      break;
    case kDefence: city.set(city::defence, u16(parseBounded(cell, 999))); break;
    case kFloodControl: city.set(city::floodControl, u8(parseBounded(cell, 100))); break;
    case kAgriculture: city.set(city::agriculture, u16(parseBounded(cell, 999))); break;
    case kCommerce: city.set(city::commerce, u16(parseBounded(cell, 999))); break;
    case kPopulation: city.set(city::population, u16(parseBounded(cell, kHighestPopulation))); break;
    case kLoyalty: city.set(city::loyalty, u8(parseBounded(cell, 100))); break;
    case kReserveTroops:
      city.set(city::reserveTroops, static_cast<std::uint32_t>(parseBounded(cell, 8000000)));
      break;
    case kMorale: city.set(city::morale, u8(parseBounded(cell, 100))); break;
    case kTraining: city.set(city::training, u8(parseBounded(cell, 100))); break;
    case kStatusBits: city.set(city::statusBits, static_cast<std::uint16_t>(parseUnsigned(cell, 16))); break;
    case kAgricultureLimit: names.set(cityName::agricultureLimit, u16(parseBounded(cell, 999))); break;
    case kCommerceLimit: names.set(cityName::commerceLimit, u16(parseBounded(cell, 999))); break;
    case kMarket: names.set(cityName::market, parseSwitch(cell) ? 1u : 0u); break;
    case kByWater: names.set(cityName::byWater, parseSwitch(cell) ? 1u : 0u); break;
    case kClimate: names.set(cityName::climate, parseSwitch(cell) ? 1u : 0u); break;
    case kUnknownFlag: names.set(cityName::unknownFlag, parseSwitch(cell) ? 1u : 0u); break;
    case kSmallMapX: names.set(cityName::smallMapX, u16(parseBounded(cell, 800))); break;
    case kSmallMapY: names.set(cityName::smallMapY, u16(parseBounded(cell, 600))); break;
    case kLargeMapX: names.set(cityName::largeMapX, u16(parseBounded(cell, 800))); break;
    case kLargeMapY: names.set(cityName::largeMapY, u16(parseBounded(cell, 600))); break;
    case kNeighbours: applyNeighbours(names, cell); break;
    default: break;
  }
}

// Commerce and agriculture never stay above their limits.
void clampToLimits(Scenario& scenario, int c) {
  const CityRecord city = scenario.city(c);
  const CityNameRecord names = scenario.cityName(c);
  if (city.get(city::commerce) > names.get(cityName::commerceLimit))
    city.set(city::commerce, names.get(cityName::commerceLimit));
  if (city.get(city::agriculture) > names.get(cityName::agricultureLimit))
    city.set(city::agriculture, names.get(cityName::agricultureLimit));
}

// Filled slots hold 1..47 and come first; every slot after the first empty one is empty as well.
bool isWellFormedNeighbourList(ConstCityNameRecord names) {
  bool ended = false;
  for (std::size_t i = 0; i < kNeighbourSlots; ++i) {
    const std::int8_t slot = names.get(cityName::neighbours, i);
    if (slot == kNoNeighbour) {
      ended = true;
    } else if (ended || !isCityNumber(slot)) {
      return false;
    }
  }
  return true;
}

}  // namespace

void copyFirstScenarioGeography(ScenarioSet& set) {
  if (set.scenarioCount() < 2) return;
  for (int c = 1; c <= kCityCount; ++c) {
    const ConstCityNameRecord from = std::as_const(set.scenario(0)).cityName(c);
    require(isWellFormedNeighbourList(from), "相邻城市有错");
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

void importCityTable(ScenarioSet& set, const std::string& path) {
  RecordTableLayout layout;
  layout.leadingColumns = 4;
  layout.leadingHeader = "剧本 ID 名称 设置";
  layout.tooFewColumns = "输入文件至少要有4列";
  layout.wrongLeadingHeader = "第一行前4列错误";
  layout.firstRecord = 1;
  layout.lastRecord = kCityCount;

  unsigned cityOptions = 0;
  RecordTableActions actions;
  actions.columns = cityColumns;
  actions.readSwitchRow = [&cityOptions](const std::vector<std::string_view>& switchCells, CellPosition at) {
    cityOptions = static_cast<unsigned>(atCell(at, [&] { return parseBounded(switchCells[3], 64); }));
  };
  actions.applyCell = [&cityOptions](Scenario& scenario, int c, int code, std::string_view cell) {
    const unsigned option = optionOf(code);
    if (option != 0 && (cityOptions & option) == 0) return;
    applyCityCell(scenario, c, code, cell);
  };
  actions.finishRow = clampToLimits;
  applyRecordTable(set, path, layout, actions);

  if ((cityOptions & kKeepScenarioGeography) == 0) copyFirstScenarioGeography(set);
}

}  // namespace vorandel
