#pragma once
// The game's invariants for a whole ScenarioSet: counts, every officer in exactly one list, the chain of
// cities of every force, rulers and governors, empty cities, unique ids and a symmetric map.
#include <cstddef>

#include "model/ScenarioSet.h"

namespace vorandel {

// Checks the scenarios first .. min(last, count)-1 in order and raises the EditError of the first rule
// that fails, prefixed with the scenario's index. Changes nothing.
void validateScenarios(const ScenarioSet& set, std::size_t first, std::size_t last);

}  // namespace vorandel
