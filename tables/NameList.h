#pragma once
// The name list: new names for officers (by id) and cities (by number) in every scenario at once. Each
// entry is a kind (W officer, C city), a number and a name, separated by white space.
#include <string>
#include <string_view>

#include "model/ScenarioSet.h"
#include "tables/ImportWarnings.h"
#include "tables/ProblemList.h"
#include "tables/TableText.h"

namespace vorandel {

// Applies the entries of the list to the set as they are read; raises an EditError on the first
// problem. A list whose names are mostly question marks (saved in an encoding without Chinese
// characters) is refused as a whole before any entry is applied.
// The warnings, when given, gather names the game cannot show.
void importNameList(ScenarioSet& set, TableText table, ImportWarnings* warnings = nullptr);

// Where the first entry whose name is not plain ASCII stands ("第1项在文件第1行：「W 75 张三」"), for the
// message about a list read in the wrong encoding; empty when every name is ASCII.
std::string firstNonAsciiName(std::string_view text);

// Every entry that cannot be applied, in order; after a broken entry the list goes on at the next line.
void listNameListProblems(const ScenarioSet& set, TableText table, ProblemList& problems);

}  // namespace vorandel
