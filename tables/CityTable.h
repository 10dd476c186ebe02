#pragma once
// The city table: names, economy and military values, limits, terrain flags, map positions and
// neighbours of chosen cities of chosen scenarios. Afterwards the geography of every scenario is made
// equal to that of the first scenario, unless the table's options say otherwise.
#include <string>

#include "model/ScenarioSet.h"
#include "tables/CityColumns.h"
#include "tables/RecordTable.h"
#include "tables/TableReport.h"
#include "tables/TableText.h"

namespace vorandel {

// The city table's leading cells and the messages about its shape.
const RecordTableLayout& cityTableLayout();

// Applies the city table to the set, row by row, then copies the first scenario's geography to
// the others; raises an EditError on the first problem.
void importCityTable(ScenarioSet& set, TableText table, TableReport report = {});

// Checks the neighbour list of every city of the first scenario and copies its terrain flags, map
// positions and neighbours into the same city of every other scenario.
void copyFirstScenarioGeography(ScenarioSet& set);

}  // namespace vorandel
