#pragma once
// Every batch is checked against the game's rules before its working copy is kept, whatever the table's
// kind, so that a table that breaks a rule is refused where it was applied and not only when the pair is
// generated. Where the rule's failure can be traced back to a row of the table, the error names it.
#include <string_view>

#include "model/ScenarioSet.h"
#include "tables/TableKind.h"

namespace vorandel {

// Validates every scenario of the working copy; raises the validator's EditError, to which a city
// table's one-sided neighbour link adds the row that last set the neighbours of one of its two cities.
void validateBatchResult(const ScenarioSet& working, BatchKind kind, std::string_view tableText);

}  // namespace vorandel
