#pragma once
// The force table: fame, money, food and weapon technologies of chosen forces of chosen scenarios.
#include <array>
#include <string>

#include "model/ScenarioSet.h"

namespace vorandel {

// The value columns of the force table, in the order of their codes.
inline constexpr std::array<const char*, 5> kForceColumnNames{"声望", "金钱", "粮食", "科技", "君主"};

// The six weapon technologies of a 科技 cell, in the order of their bits (6..11) in a force's weapons.
inline constexpr std::array<const char*, 6> kWeaponNames{"战车", "铠甲", "连弩", "强骑兵", "楼船", "投石车"};

// Applies the force table at path to the set, row by row; raises an EditError on the first problem.
void importForceTable(ScenarioSet& set, const std::string& path);

}  // namespace vorandel
