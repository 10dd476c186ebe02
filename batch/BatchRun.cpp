#include "batch/BatchRun.h"

#include <cstdint>

#include "batch/CityTable.h"
#include "batch/ForceTable.h"
#include "batch/NameList.h"
#include "batch/OfficerTable.h"
#include "edit/Validator.h"

namespace vorandel {

const char* defaultTableName(BatchKind kind) {
  switch (kind) {
    case BatchKind::NameList: return "ruv5_name.txt";
    case BatchKind::OfficerTable: return "ruv5_officer.txt";
    case BatchKind::ForceTable: return "ruv5_lord.txt";
    case BatchKind::CityTable: return "ruv5_city.txt";
  }
  return "";
}

void runBatch(ScenarioSet& current, BatchKind kind, const std::string& path) {
  ScenarioSet working = current;
  switch (kind) {
    case BatchKind::NameList: importNameList(working, path); break;
    case BatchKind::OfficerTable:
      importOfficerTable(working, path);
      validateScenarios(working, 0, SIZE_MAX);
      break;
    case BatchKind::ForceTable: importForceTable(working, path); break;
    case BatchKind::CityTable: importCityTable(working, path); break;
  }
  current = std::move(working);
}

}  // namespace vorandel
