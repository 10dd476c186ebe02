#pragma once
// Running one batch table as a whole: the table is applied to a working copy of the current set, and
// only when all of it succeeded does the copy become the current set. Any error leaves the current set
// exactly as it was.
#include <string>

#include "model/ScenarioSet.h"

namespace vorandel {

// The kinds of batch table; the values are the batch modes of the main window.
enum class BatchKind {
  NameList = 0,
  OfficerTable = 1,
  ForceTable = 2,
  CityTable = 3,
};

// The file that a batch of this kind reads when the player names none.
const char* defaultTableName(BatchKind kind);

// Applies the table at path to a copy of current and commits the copy; an officer table's copy must also
// pass the validator over every scenario first. Raises the EditError of the first problem, with current
// untouched.
void runBatch(ScenarioSet& current, BatchKind kind, const std::string& path);

}  // namespace vorandel
