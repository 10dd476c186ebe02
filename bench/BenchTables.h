#pragma once
// The inputs of the benchmarks: the exported tables of a set, which rewrite every record of every
// scenario with the values it already holds (so that a table can be applied again and again), and a
// pair at the game's limits.
#include <string>

#include "model/ScenarioSet.h"

namespace vorandel::bench {

// Every officer of every scenario, with all 49 columns.
std::string officerTable(const ScenarioSet& set);
// Every city of every scenario, with all 22 columns.
std::string cityTable(const ScenarioSet& set);
// Every force in use of every scenario, with its fame, money, food and weapons.
std::string forceTable(const ScenarioSet& set);
// The city table's rows repeated until it has the given number of data rows.
std::string cityTableRows(const ScenarioSet& set, std::size_t rows);

// 32 scenarios of 292 officers on the map and 380 waiting; passes the validator.
ScenarioSet setAtLimits();

}  // namespace vorandel::bench
