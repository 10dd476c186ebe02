#pragma once
// The name list: new names for officers (by id) and cities (by number) in every scenario at once. Each
// entry is a kind (W officer, C city), a number and a name, separated by white space.
#include <string>

#include "model/ScenarioSet.h"
#include "tables/TableText.h"

namespace vorandel {

// Applies the entries of the list to the set as they are read; raises an EditError on the first
// problem.
void importNameList(ScenarioSet& set, TableText table);

}  // namespace vorandel
