#pragma once
// Every cell of a table that cannot be read, in file order: what the player wants to see after the first
// error of a table edited by hand, to fix them all at once. The table is read again with the same
// parsers as the import, without changing the set; rules that need the rows applied in order (placement,
// the finishing rules of a row, the validator) are not part of the list.
#include "model/ScenarioSet.h"
#include "tables/ProblemList.h"
#include "tables/TableKind.h"
#include "tables/TableText.h"

namespace vorandel {

// Adds the problems of the table to the list. A problem with the table as a whole (its header) ends the
// list where it is met.
void listTableProblems(const ScenarioSet& set, BatchKind kind, TableText table, ProblemList& problems);

// The officer table's part of that.
void listOfficerTableProblems(const ScenarioSet& set, TableText table, ProblemList& problems);

}  // namespace vorandel
