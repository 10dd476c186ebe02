#pragma once
// The officer table: the table that players use most. One data row names a scenario and an officer id;
// its value columns overwrite the officer's values, bring a waiting officer onto the map, move an officer
// to another city, hand out items or create an officer that the scenario lacks. After the last row the
// waiting officers of every scenario are laid out again in the order of their appearance.
#include <array>
#include <string>

#include "tables/ColumnDictionary.h"
#include "tables/OfficerTableFinishing.h"  // experienceTable
#include "tables/OfficerTableRow.h"        // the column ids
#include "model/ScenarioSet.h"
#include "tables/TableText.h"

namespace vorandel {

// Applies the officer table to the set in place, row by row. Raises an EditError on the first
// problem and leaves the set partly changed; callers work on a copy.
void importOfficerTable(ScenarioSet& set, TableText table);

// The headers of the value columns, by column id.
inline constexpr std::array<const char*, kOfficerColumnCount> kOfficerColumnNames{
    "新ID", "新姓名", "性别", "父母ID", "父母姓名", "出生年份", "上场年份", "身份", "寿命", "家族",
    "成长", "相性", "善恶", "武力", "智力", "政治", "魅力", "义气", "野心", "勇猛",
    "冷静", "阵形", "可学技能", "已学技能数", "已学技能", "附加技能", "勇名", "经验", "年龄", "忠诚度",
    "叛乱", "已行动", "特征", "归属", "士兵", "训练", "士气", "所在地", "势力", "君主",
    "太守", "主管", "将军", "宝物", "城市编号", "上一个", "上一武将", "下一个", "下一武将",
};

// The 49 value-column headers of the officer table; a column's code is its id, and a row applies its
// columns in ascending id whatever their order in the file. Built on first use, kept until exit.
const ColumnDictionary& officerColumnTable();

}  // namespace vorandel
