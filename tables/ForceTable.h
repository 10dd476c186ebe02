#pragma once
// The force table: fame, money, food and weapon technologies of chosen forces of chosen scenarios.
#include <string>

#include "model/ScenarioSet.h"
#include "tables/ForceColumns.h"
#include "tables/TableReport.h"
#include "tables/TableText.h"

namespace vorandel {

// Applies the force table to the set, row by row; raises an EditError on the first problem.
void importForceTable(ScenarioSet& set, TableText table, TableReport report = {});

}  // namespace vorandel
