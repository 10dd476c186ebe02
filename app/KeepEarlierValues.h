#pragma once
// Keeping what the earlier tables of a run changed when a later table sets it back. The fields go back
// to the earlier tables' values through batch tables of their own kinds, so the same checks and rules
// hold as for any table: each is the set's own export with only the fields' columns switched on and
// only the fields' rows, in which every cell but the fields' holds what is there and so reads back
// unchanged.
#include <vector>

#include "app/SetDiff.h"
#include "model/ScenarioSet.h"

namespace vorandel {

// Sets each field that a table set back (as TableUndoCheck::undoneBy gives them, compared with the set
// before the table) to its value before that table, `before`, in set, the set after the table: one table
// per kind, officers, forces, then cities, of the fields that a column of the kind writes; a field that
// none writes (the force an officer serves, a city's governor) must come back with the others. made: all
// that the table changed, which must stay as it made it. Raises an EditError when a field does not get
// its value before (no column writes it, its row cannot be exported, the table fails or leaves another
// value) or a field the table changed would change again; set may then hold part of the tables, so the
// caller works on a copy.
void keepEarlierValues(ScenarioSet& set, const std::vector<FieldChange>& undone, const std::vector<FieldChange>& made);

}  // namespace vorandel
