#pragma once
// The officer table: the table that players use most. One data row names a scenario and an officer id;
// its value columns overwrite the officer's values, bring a waiting officer onto the map, move an officer
// to another city, hand out items or create an officer that the scenario lacks. After the last row the
// waiting officers of every scenario are laid out again in the order of their appearance.
#include <string>

#include "model/ScenarioSet.h"
#include "tables/ImportWarnings.h"
#include "tables/OfficerColumns.h"         // the column descriptions
#include "tables/OfficerTableFinishing.h"  // experienceTable
#include "tables/OfficerTableRow.h"        // the column ids
#include "tables/TableReport.h"
#include "tables/TableText.h"

namespace vorandel {

// Applies the officer table to the set in place, row by row. Raises an EditError on the first
// problem and leaves the set partly changed; callers work on a copy. The report, when given, gathers
// warnings, or lists every bad cell and every row a finishing rule refuses instead of raising at the
// first (then officers are not moved between cities, and the set is a scratch copy).
void importOfficerTable(ScenarioSet& set, TableText table, TableReport report);
// The same, gathering warnings only.
void importOfficerTable(ScenarioSet& set, TableText table, ImportWarnings* warnings = nullptr);

}  // namespace vorandel
