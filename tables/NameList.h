#pragma once
// The name list: new names for officers (by id) and cities (by number) in every scenario at once. Each
// entry is a kind (W officer, C city), a number and a name, separated by white space.
#include <string>

#include "model/ScenarioSet.h"
#include "tables/ImportWarnings.h"
#include "tables/ProblemList.h"
#include "tables/TableText.h"

namespace vorandel {

// Applies the entries of the list to the set as they are read; raises an EditError on the first
// problem.
// The warnings, when given, gather names the game cannot show.
void importNameList(ScenarioSet& set, TableText table, ImportWarnings* warnings = nullptr);

// Every entry that cannot be applied, in order; after a broken entry the list goes on at the next line.
void listNameListProblems(const ScenarioSet& set, TableText table, ProblemList& problems);

}  // namespace vorandel
