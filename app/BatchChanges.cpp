#include "app/BatchChanges.h"

#include "app/BatchRun.h"
#include "app/BatchSummary.h"

namespace vorandel {

std::string BatchChanges::summary(BatchKind kind) const {
  return std::string(batchKindName(kind)) + "：" + changeSummary(changes, skipped);
}

BatchChanges runBatchWithChanges(ScenarioSet& current, BatchKind kind, TableText table) {
  const ScenarioSet before = current;
  BatchNotes notes = runBatch(current, kind, table);
  return {compareSets(before, current), notes.skipped, std::move(notes.warnings)};
}

BatchChanges runBatchWithChanges(ScenarioSet& current, BatchKind kind, const std::string& path, TableReading reading) {
  const ScenarioSet before = current;
  BatchNotes notes = runBatch(current, kind, path, reading);
  return {compareSets(before, current), notes.skipped, std::move(notes.warnings)};
}

BatchChanges runBatchOnBytesWithChanges(ScenarioSet& current, BatchKind kind, std::string_view bytes,
                                        const std::string& name, TableReading reading) {
  const ScenarioSet before = current;
  BatchNotes notes = runBatchOnBytes(current, kind, bytes, name, reading);
  return {compareSets(before, current), notes.skipped, std::move(notes.warnings)};
}

}  // namespace vorandel
