#include "app/BatchRun.h"

#include <cstdint>

#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/NameList.h"
#include "tables/OfficerTable.h"
#include "rules/Validator.h"

namespace vorandel {

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
