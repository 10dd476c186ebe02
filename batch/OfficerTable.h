#pragma once
// The officer table: the table that players use most. One data row names a scenario and an officer id;
// its value columns overwrite the officer's values, bring a waiting officer onto the map, move an officer
// to another city, hand out items or create an officer that the scenario lacks. After the last row the
// waiting officers of every scenario are laid out again in the order of their appearance.
#include <string>

#include "batch/ColumnDictionary.h"
#include "batch/OfficerTableFinishing.h"  // experienceTable
#include "model/ScenarioSet.h"

namespace vorandel {

// Applies the officer table at path to the set in place, row by row. Raises an EditError on the first
// problem and leaves the set partly changed; callers work on a copy.
void importOfficerTable(ScenarioSet& set, const std::string& path);

// The 49 value-column headers of the officer table; a column's code is its id, and a row applies its
// columns in ascending id whatever their order in the file. Built on first use, kept until exit.
const ColumnDictionary& officerColumnTable();

}  // namespace vorandel
