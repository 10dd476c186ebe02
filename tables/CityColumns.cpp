#include "tables/CityColumns.h"

#include <array>
#include <cstdio>

#include "model/CellError.h"
#include "rules/GameRules.h"
#include "tables/BatchTable.h"
#include "tables/NameCell.h"
#include "tables/RulerColumns.h"
#include "tables/TableExportCells.h"
#include "tables/TableMessages.h"
#include "tables/TableKind.h"

namespace vorandel {

namespace {

struct CityPart {
  static CityRecord of(Scenario& scenario, int c) { return scenario.city(c); }
  static ConstCityRecord of(const Scenario& scenario, int c) { return scenario.city(c); }
};

struct NamePart {
  static CityNameRecord of(Scenario& scenario, int c) { return scenario.cityName(c); }
  static ConstCityNameRecord of(const Scenario& scenario, int c) { return scenario.cityName(c); }
};

constexpr std::int8_t kNoNeighbour = -1;  // 0xFF
constexpr ColumnRange kThreeDigits{0, 999};
constexpr ColumnRange kPercent{0, 100};
constexpr ColumnRange kMapXRange{0, kMapWidth};
constexpr ColumnRange kMapYRange{0, kMapHeight};

std::string cityNameOf(ConstCityNameRecord names) {
  return tableexport::writableName(names.data() + cityName::name.offset, kCityNameWidth);
}

RecordColumn newNameColumn() {
  RecordColumn column;
  column.info = {kCityNameColumn, CellForm::Text, std::nullopt, nullptr};
  column.read = [](Scenario& scenario, int c, std::string_view cell) {
    const std::string name = gbkNameOf(cell);
    requireNameRoom(cell, name.size(), kCityNameLength, kCityNameTooLong, true);
    scenario.cityName(c).setText(cityName::name, name, kCityNameWidth);
  };
  column.write = [](const Scenario& scenario, int c) {
    return tableexport::cellOrNone(cityNameOf(scenario.cityName(c)));
  };
  column.carries = [](const Scenario& scenario, int c) { return !cityNameOf(scenario.cityName(c)).empty(); };
  return column;
}

// The status bits in hexadecimal; the cell keeps the low sixteen bits of any number.
RecordColumn statusColumn() {
  RecordColumn column;
  column.info = {"状态值", CellForm::HexNumber, std::nullopt, nullptr};
  column.read = [](Scenario& scenario, int c, std::string_view cell) {
    scenario.city(c).set(city::statusBits, static_cast<std::uint16_t>(parseUnsigned(cell, 16)));
  };
  column.write = [](const Scenario& scenario, int c) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", unsigned{scenario.city(c).get(city::statusBits)});
    return std::string(text);
  };
  column.carries = [](const Scenario&, int) { return true; };
  return column;
}

// A comma-separated list of up to six city numbers; the slots after the last one are emptied, and a
// lone comma empties them all.
RecordColumn neighboursColumn() {
  RecordColumn column;
  column.info = {"相邻城ID", CellForm::NumberList, ColumnRange{1, kCityCount}, nullptr};
  column.option = kApplyNeighbours;
  column.read = [](Scenario& scenario, int c, std::string_view cell) {
    std::array<std::string_view, kNeighbourSlots> items;
    const std::size_t count = splitListUpTo(cell, ',', items);
    if (count > kNeighbourSlots) failCellKeepingText("--ERROR!--\n", FaultKind::WrongCount);
    std::array<std::int8_t, kNeighbourSlots> slots;
    slots.fill(kNoNeighbour);
    for (std::size_t i = 0; i < count; ++i)
      slots[i] = static_cast<std::int8_t>(parseRanged(items[i], 1, kCityCount, 10));
    const CityNameRecord names = scenario.cityName(c);
    for (std::size_t i = 0; i < slots.size(); ++i) names.set(cityName::neighbours, i, slots[i]);
  };
  column.write = [](const Scenario& scenario, int c) {
    const std::optional<std::vector<int>> list = neighbourList(scenario.cityName(c));
    if (!list || list->empty()) return std::string(",");
    std::vector<std::string> items;
    for (const int n : *list) items.push_back(std::to_string(n));
    return joinCells(items, ",");
  };
  column.carries = [](const Scenario& scenario, int c) { return neighbourList(scenario.cityName(c)).has_value(); };
  return column;
}

RecordColumn withOption(RecordColumn column, unsigned option) {
  column.option = option;
  return column;
}

std::array<RecordColumn, kCityColumnCount> makeColumns() {
  return {
      newNameColumn(),
      numberColumn<CityPart>("城防", city::defence, kThreeDigits),
      numberColumn<CityPart>("治水", city::floodControl, kPercent),
      numberColumn<CityPart>("农业", city::agriculture, kThreeDigits),
      numberColumn<CityPart>("商业", city::commerce, kThreeDigits),
      numberColumn<CityPart>("人口", city::population, ColumnRange{0, 65535}),  // the field's 16 bits
      numberColumn<CityPart>("民忠", city::loyalty, kPercent),
      numberColumn<CityPart>("预备兵", city::reserveTroops, ColumnRange{0, 8000000}),
      numberColumn<CityPart>("士气", city::morale, kPercent),
      numberColumn<CityPart>("训练", city::training, kPercent),
      statusColumn(),
      numberColumn<NamePart>("农业上限", cityName::agricultureLimit, kThreeDigits),
      numberColumn<NamePart>("商业上限", cityName::commerceLimit, kThreeDigits),
      switchColumn<NamePart>("商城", cityName::market),
      withOption(switchColumn<NamePart>("靠水", cityName::byWater), kApplyTerrainFlags),
      withOption(switchColumn<NamePart>("气候", cityName::climate), kApplyTerrainFlags),
      withOption(switchColumn<NamePart>("未知", cityName::unknownFlag), kApplyTerrainFlags),
      withOption(numberColumn<NamePart>("小地图横坐标", cityName::smallMapX, kMapXRange), kApplyMapPositions),
      withOption(numberColumn<NamePart>("小地图纵坐标", cityName::smallMapY, kMapYRange), kApplyMapPositions),
      withOption(numberColumn<NamePart>("大地图横坐标", cityName::largeMapX, kMapXRange), kApplyMapPositions),
      withOption(numberColumn<NamePart>("大地图纵坐标", cityName::largeMapY, kMapYRange), kApplyMapPositions),
      neighboursColumn(),
      ownerColumn(),
      cityRulerNameColumn(),
  };
}

}  // namespace

std::span<const RecordColumn> cityColumns() {
  static const std::array<RecordColumn, kCityColumnCount> columns = makeColumns();
  return columns;
}

const ColumnDictionary& cityColumnDictionary() {
  static const ColumnDictionary dictionary = [] {
    std::vector<const char*> headers;
    for (const RecordColumn& column : cityColumns()) headers.push_back(column.info.header);
    return ColumnDictionary(std::span<const char* const>(headers));
  }();
  return dictionary;
}

std::optional<std::vector<int>> neighbourList(ConstCityNameRecord names) {
  std::vector<int> list;
  bool ended = false;
  for (std::size_t slot = 0; slot < kNeighbourSlots; ++slot) {
    const int c = names.get(cityName::neighbours, slot);
    if (c == kNoNeighbour) {
      ended = true;
    } else if (ended || !isCityNumber(c)) {
      return std::nullopt;
    } else {
      list.push_back(c);
    }
  }
  return list;
}

}  // namespace vorandel
