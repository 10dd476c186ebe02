#pragma once
// Every cell of a table that cannot be read, in file order: what the player wants to see after the first
// error of a table edited by hand, to fix them all at once. The table's own import reads it again in its
// listing mode, on a copy of the set; the officer table's list also names the rows its finishing rules
// refuse, while moving officers between cities and the validator are not part of any list.
#include "model/ScenarioSet.h"
#include "tables/ProblemList.h"
#include "tables/TableKind.h"
#include "tables/TableText.h"

namespace vorandel {

// Adds the problems of the table to the list. A problem with the table as a whole (its header) ends the
// list where it is met. The kinds whose listing changes the set work on a copy of it: in scratch when
// given (a set the caller no longer needs, whose storage the copy reuses), else in a new set.
void listTableProblems(const ScenarioSet& set, BatchKind kind, TableText table, ProblemList& problems,
                       ScenarioSet* scratch = nullptr);

// Reads the table's header and switch row as its import does first, changing nothing and needing no set:
// raises the EditError that the import raises on a header it cannot read. The name list has no header.
void requireTableHeader(BatchKind kind, TableText table);

// Whether the table reads as one of the kind as far as its header and switch row (the name list, which
// has none: as far as every entry reads for the set), without applying it.
bool tableHeaderReads(const ScenarioSet& set, BatchKind kind, TableText table);

}  // namespace vorandel
