#include "app/BatchChanges.h"

#include "app/BatchRun.h"
#include "app/BatchSummary.h"

namespace vorandel {

std::string BatchChanges::summary(BatchKind kind) const {
  return std::string(batchKindName(kind)) + "：" + changeSummary(kind, changes, skipped);
}

namespace {

// The batch's copy of the set is the only one: the set as it was comes back from the batch itself.
BatchChanges changesOf(const ScenarioSet& before, const ScenarioSet& after, BatchNotes notes) {
  const bool changed = before != after;
  return {changed ? compareSets(before, after) : std::vector<FieldChange>(), notes.skipped, std::move(notes.warnings),
          changed, std::move(notes.rows)};
}

}  // namespace

BatchChanges runBatchWithChanges(ScenarioSet& current, BatchKind kind, TableText table) {
  ScenarioSet before;
  BatchNotes notes = runBatch(current, kind, table, &before);
  return changesOf(before, current, std::move(notes));
}

BatchChanges runBatchWithChanges(ScenarioSet& current, BatchKind kind, const std::string& path, TableReading reading) {
  ScenarioSet before;
  BatchNotes notes = runBatch(current, kind, path, reading, &before);
  return changesOf(before, current, std::move(notes));
}

BatchChanges runBatchOnBytesWithChanges(ScenarioSet& current, BatchKind kind, std::string_view bytes,
                                        const std::string& name, TableReading reading) {
  const ScenarioSet before = current;
  BatchNotes notes = runBatchOnBytes(current, kind, bytes, name, reading);
  return {compareSets(before, current), notes.skipped, std::move(notes.warnings), before != current,
          std::move(notes.rows)};
}

}  // namespace vorandel
