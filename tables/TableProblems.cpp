#include "tables/TableProblems.h"

#include "model/EditError.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/NameList.h"
#include "tables/OfficerTable.h"

namespace vorandel {

void listTableProblems(const ScenarioSet& set, BatchKind kind, TableText table, ProblemList& problems) {
  try {
    switch (kind) {
      case BatchKind::NameList: listNameListProblems(set, table, problems); break;
      case BatchKind::OfficerTable: {
        ScenarioSet scratch = set;
        importOfficerTable(scratch, table, TableReport{nullptr, &problems});
        break;
      }
      case BatchKind::ForceTable: {
        ScenarioSet scratch = set;
        importForceTable(scratch, table, TableReport{nullptr, &problems});
        break;
      }
      case BatchKind::CityTable: {
        ScenarioSet scratch = set;
        importCityTable(scratch, table, TableReport{nullptr, &problems});
        break;
      }
    }
  } catch (const EditError&) {
    // The table as a whole cannot be read further; what was found so far stands.
  }
}

bool tableHeaderReads(const ScenarioSet& set, BatchKind kind, TableText table) {
  ScenarioSet none;  // a header is read without any scenario
  const TableReport headerOnly{nullptr, nullptr, true};
  try {
    switch (kind) {
      case BatchKind::NameList: {
        ProblemList problems;
        listNameListProblems(set, table, problems);
        return problems.count() == 0;
      }
      case BatchKind::OfficerTable: importOfficerTable(none, table, headerOnly); break;
      case BatchKind::ForceTable: importForceTable(none, table, headerOnly); break;
      case BatchKind::CityTable: importCityTable(none, table, headerOnly); break;
    }
  } catch (const EditError&) {
    return false;
  }
  return true;
}

}  // namespace vorandel
