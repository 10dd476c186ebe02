#include "app/BatchRun.h"

#include <cstdint>
#include <optional>

#include "model/EditError.h"
#include "rules/Validator.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/NameList.h"
#include "tables/OfficerTable.h"
#include "tables/TextFile.h"

namespace vorandel {

void runBatch(ScenarioSet& current, BatchKind kind, TableText table) {
  ScenarioSet working = current;
  switch (kind) {
    case BatchKind::NameList: importNameList(working, table); break;
    case BatchKind::OfficerTable:
      importOfficerTable(working, table);
      validateScenarios(working, 0, SIZE_MAX);
      break;
    case BatchKind::ForceTable: importForceTable(working, table); break;
    case BatchKind::CityTable: importCityTable(working, table); break;
  }
  current = std::move(working);
}

void runBatch(ScenarioSet& current, BatchKind kind, const std::string& path) {
  const std::optional<std::string> text = readTextFile(path);
  require(text.has_value(), kind == BatchKind::NameList ? "Failed to open file to read." : "cannot open file to read");
  runBatch(current, kind, TableText{*text, path});
}

}  // namespace vorandel
