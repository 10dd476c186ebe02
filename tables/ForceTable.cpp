#include "tables/ForceTable.h"

#include "tables/CellParsers.h"
#include "tables/RecordTable.h"

namespace vorandel {

namespace {

enum ForceColumn { kFame, kMoney, kFood, kWeapons, kRuler };

const ColumnDictionary& forceColumns() {
  static const ColumnDictionary columns(kForceColumnNames);
  return columns;
}

const ColumnDictionary& weaponDictionary() {
  static const ColumnDictionary weapons(kWeaponNames);
  return weapons;
}

void applyForceCell(Scenario& scenario, int f, int code, std::string_view cell) {
  const ForceRecord record = scenario.force(f);
  switch (code) {
    case kFame:
      record.set(force::fame, static_cast<std::uint16_t>(parseBounded(cell, 1000)));
      break;
    case kMoney:
      record.set(force::money, parseBounded(cell, 3000000));
      break;
    case kFood:
      record.set(force::food, parseBounded(cell, 3000000));
      break;
    case kWeapons:
      // Only the six weapon bits change; the other bits of the field stay as they were.
      record.set(force::weapons, parseNameSet(weaponDictionary(), cell, ',') & 0x3Fu);
      break;
    case kRuler:
      // Shown in the table for the player's orientation; the ruler is not changed here.
      break;
    default:
      break;
  }
}

}  // namespace

void importForceTable(ScenarioSet& set, const std::string& path) {
  RecordTableLayout layout;
  layout.leadingColumns = 3;
  layout.leadingHeader = "剧本 编号 设置";
  layout.tooFewColumns = "输入文件至少要有3列";
  layout.wrongLeadingHeader = "第一行前3列错误";
  layout.firstRecord = 1;
  layout.lastRecord = kForceCount;

  RecordTableActions actions;
  actions.columns = []() -> const ColumnDictionary& {
    weaponDictionary();  // both dictionaries are built on the first run
    return forceColumns();
  };
  actions.applyCell = applyForceCell;
  applyRecordTable(set, path, layout, actions);
}

}  // namespace vorandel
