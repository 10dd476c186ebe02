#pragma once
// One line that tells what a batch table changed: how many records of each kind, which columns changed
// most, how many officers it added and how many of its rows it skipped (row switch 0). It lets a player
// tell an edit that took effect from one that changed nothing, and see what the rules changed besides.
#include <cstddef>
#include <string>
#include <vector>

#include "app/SetDiff.h"
#include "tables/TableKind.h"

namespace vorandel {

// The table kind as the player calls it: 人名/地名表, 武将表, 势力表 or 城市表.
const char* batchKindName(BatchKind kind);

// What the changes amount to, in one line without the table's kind or name, e.g.
// "修改了 2 名武将、1 个城市（共 5 项）；改动最多的列：武力 2、所在地 1；新增武将 1 名；跳过 3 行。"
std::string changeSummary(const std::vector<FieldChange>& changes, std::size_t skipped);

// The same for a table of the kind: a name list tells the names it changed and in how many scenarios,
// "修改了 2 个名字（在 11 个剧本中）。", as each of its entries renames one officer or city everywhere.
std::string changeSummary(BatchKind kind, const std::vector<FieldChange>& changes, std::size_t skipped);

}  // namespace vorandel
