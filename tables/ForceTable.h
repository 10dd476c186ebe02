#pragma once
// The force table: fame, money, food and weapon technologies of chosen forces of chosen scenarios.
#include <string>

#include "model/ScenarioSet.h"
#include "tables/ForceColumns.h"
#include "tables/RecordTable.h"
#include "tables/TableReport.h"
#include "tables/TableText.h"

namespace vorandel {

// The force table's leading cells and the messages about its shape.
const RecordTableLayout& forceTableLayout();

// Applies the force table to the set, row by row; raises an EditError on the first problem.
void importForceTable(ScenarioSet& set, TableText table, TableReport report = {});

}  // namespace vorandel
