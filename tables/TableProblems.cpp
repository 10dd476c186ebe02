#include "tables/TableProblems.h"

#include <optional>

#include "model/EditError.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/NameList.h"
#include "tables/OfficerTable.h"

namespace vorandel {

void listTableProblems(const ScenarioSet& set, BatchKind kind, TableText table, ProblemList& problems,
                       ScenarioSet* scratch) {
  std::optional<ScenarioSet> ownScratch;
  const auto copyOfSet = [&]() -> ScenarioSet& {
    if (scratch == nullptr) return ownScratch.emplace(set);
    *scratch = set;
    return *scratch;
  };
  try {
    switch (kind) {
      case BatchKind::NameList: listNameListProblems(set, table, problems); break;
      case BatchKind::OfficerTable: importOfficerTable(copyOfSet(), table, TableReport{nullptr, &problems}); break;
      case BatchKind::ForceTable: importForceTable(copyOfSet(), table, TableReport{nullptr, &problems}); break;
      case BatchKind::CityTable: importCityTable(copyOfSet(), table, TableReport{nullptr, &problems}); break;
    }
  } catch (const EditError&) {
    // The table as a whole cannot be read further; what was found so far stands.
  }
}

void requireTableHeader(BatchKind kind, TableText table) {
  ScenarioSet none;  // a header is read without any scenario
  const TableReport headerOnly{nullptr, nullptr, true};
  switch (kind) {
    case BatchKind::NameList: break;
    case BatchKind::OfficerTable: importOfficerTable(none, table, headerOnly); break;
    case BatchKind::ForceTable: importForceTable(none, table, headerOnly); break;
    case BatchKind::CityTable: importCityTable(none, table, headerOnly); break;
  }
}

bool tableHeaderReads(const ScenarioSet& set, BatchKind kind, TableText table) {
  try {
    if (kind == BatchKind::NameList) {
      ProblemList problems;
      listNameListProblems(set, table, problems);
      return problems.count() == 0;
    }
    requireTableHeader(kind, table);
  } catch (const EditError&) {
    return false;
  }
  return true;
}

}  // namespace vorandel
