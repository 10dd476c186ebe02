#pragma once
// Running one batch table as a whole: the table is applied to a working copy of the current set, and
// only when all of it succeeded does the copy become the current set. Any error leaves the current set
// exactly as it was.
#include <string>

#include "model/ScenarioSet.h"
#include "tables/TableKind.h"
#include "tables/TableText.h"

namespace vorandel {

// Applies the table to a copy of current and commits the copy; an officer table's copy must also pass
// the validator over every scenario first. Raises the EditError of the first problem, with current
// untouched.
void runBatch(ScenarioSet& current, BatchKind kind, TableText table);

// Reads the table file at path as text and runs it. A file that cannot be opened raises the kind's own
// message ("Failed to open file to read." for the name list, "cannot open file to read" for the others).
void runBatch(ScenarioSet& current, BatchKind kind, const std::string& path);

}  // namespace vorandel
