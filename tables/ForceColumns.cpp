#include "tables/ForceColumns.h"

#include <string>
#include <vector>

#include "tables/BatchTable.h"
#include "tables/RulerColumns.h"

namespace vorandel {

namespace {

struct ForcePart {
  static ForceRecord of(Scenario& scenario, int f) { return scenario.force(f); }
  static ConstForceRecord of(const Scenario& scenario, int f) { return scenario.force(f); }
};

constexpr ColumnRange kStores{0, 3000000};
constexpr unsigned kWeaponBits = 0x3F;

RecordColumn weaponsColumn() {
  RecordColumn column;
  column.info = {"科技", CellForm::NameList, std::nullopt, weaponDictionary};
  column.read = [](Scenario& scenario, int f, std::string_view cell) {
    // Only the six weapon bits change; the other bits of the field stay as they were.
    scenario.force(f).set(force::weapons, parseNameSet(weaponDictionary(), cell, ',') & kWeaponBits);
  };
  column.write = [](const Scenario& scenario, int f) {
    const unsigned weapons = scenario.force(f).get(force::weapons);
    std::vector<std::string> names;
    for (std::size_t bit = 0; bit < kWeaponNames.size(); ++bit)
      if ((weapons >> bit) & 1u) names.emplace_back(kWeaponNames[bit]);
    return names.empty() ? std::string("---") : joinCells(names, ",");
  };
  column.carries = [](const Scenario&, int) { return true; };
  return column;
}

std::array<RecordColumn, kForceColumnCount> makeColumns() {
  return {
      numberColumn<ForcePart>("声望", force::fame, ColumnRange{0, 1000}),
      numberColumn<ForcePart>("金钱", force::money, kStores),
      numberColumn<ForcePart>("粮食", force::food, kStores),
      weaponsColumn(),
      rulerIdColumn(),
      forceRulerNameColumn(),
  };
}

}  // namespace

std::span<const RecordColumn> forceColumns() {
  static const std::array<RecordColumn, kForceColumnCount> columns = makeColumns();
  return columns;
}

const ColumnDictionary& forceColumnDictionary() {
  static const ColumnDictionary dictionary = [] {
    std::vector<const char*> headers;
    for (const RecordColumn& column : forceColumns()) headers.push_back(column.info.header);
    return ColumnDictionary(std::span<const char* const>(headers));
  }();
  return dictionary;
}

const ColumnDictionary& weaponDictionary() {
  static const ColumnDictionary weapons(kWeaponNames);
  return weapons;
}

}  // namespace vorandel
