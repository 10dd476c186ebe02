#pragma once
// The value columns of the force table, each described once: the importer, the exporter and the
// exporter's checks all read this list.
#include <array>
#include <span>

#include "tables/RecordColumn.h"

namespace vorandel {

// The six weapon technologies of a 科技 cell, in the order of their bits (6..11) in a force's weapons.
inline constexpr std::array<const char*, 6> kWeaponNames{"战车", "铠甲", "连弩", "强骑兵", "楼船", "投石车"};

// The codes of the force table's value columns: their places in forceColumns().
enum ForceColumn {
  kForceFame,
  kForceMoney,
  kForceFood,
  kForceWeapons,
  kForceRuler,
  kForceRulerName,
  kForceColumnCount
};

// The six value columns (声望, 金钱, 粮食, 科技, 君主, 君主姓名) in the order of their codes.
std::span<const RecordColumn> forceColumns();

// The headers of forceColumns(), each giving its code.
const ColumnDictionary& forceColumnDictionary();

// The weapon names, each giving its bit.
const ColumnDictionary& weaponDictionary();

}  // namespace vorandel
