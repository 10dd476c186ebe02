#include "app/BatchChanges.h"

#include <optional>

#include "app/BatchRun.h"
#include "app/BatchSummary.h"
#include "model/FileError.h"
#include "tables/TextFile.h"

namespace vorandel {

std::string BatchChanges::summary(BatchKind kind) const {
  return std::string(batchKindName(kind)) + "：" + changeSummary(changes, skipped);
}

BatchChanges runBatchWithChanges(ScenarioSet& current, BatchKind kind, TableText table) {
  const ScenarioSet before = current;
  runBatch(current, kind, table);
  return {compareSets(before, current), skippedRows(kind, table.bytes)};
}

BatchChanges runBatchWithChanges(ScenarioSet& current, BatchKind kind, const std::string& path) {
  const ScenarioSet before = current;
  runBatch(current, kind, path);
  // The run read the file already; its rows are counted from the same bytes read once more.
  BatchChanges told{compareSets(before, current), 0};
  try {
    if (const std::optional<std::string> text = readTextFile(path)) told.skipped = skippedRows(kind, *text);
  } catch (const FileError&) {
    // The table was applied; only its count of skipped rows is missing.
  }
  return told;
}

}  // namespace vorandel
