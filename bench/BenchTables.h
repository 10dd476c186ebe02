#pragma once
// The inputs of the benchmarks: batch tables that rewrite every record of every scenario with the values
// it already holds (so that a table can be applied again and again), and a pair at the game's limits.
#include <string>

#include "model/ScenarioSet.h"

namespace vorandel::bench {

// Every officer of every scenario, with his abilities, fame, experience, loyalty and troops.
std::string officerTable(const ScenarioSet& set);
// Every city of every scenario, with its values.
std::string cityTable(const ScenarioSet& set);
// Every force of every scenario, with its fame, money and food.
std::string forceTable(const ScenarioSet& set);
// The city table's rows repeated until it has the given number of data rows.
std::string cityTableRows(const ScenarioSet& set, std::size_t rows);

// 32 scenarios of 292 officers on the map and 380 waiting; passes the validator.
ScenarioSet setAtLimits();

}  // namespace vorandel::bench
