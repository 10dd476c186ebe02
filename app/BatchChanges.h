#pragma once
// A batch run that also tells what it changed: the set before the run is compared with the set after
// it, so the player sees the rules' own changes (promotions, raised values, cleared fields) as well as
// the cells'.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/BatchRun.h"
#include "app/SetDiff.h"
#include "model/ScenarioSet.h"
#include "tables/TableKind.h"
#include "tables/TableText.h"

namespace vorandel {

struct BatchChanges {
  std::vector<FieldChange> changes;
  std::size_t skipped = 0;            // data rows with row switch 0
  std::vector<std::string> warnings;  // what the import did that the player may not expect
  bool changed = false;               // whether the set differs in any byte from what it was
  std::vector<AppliedRow> rows;       // the rows the table applied

  // The summary line, led by the table's kind: "武将表：修改了 ..."
  std::string summary(BatchKind kind) const;
};

// Runs the table as runBatch does (the same errors, current untouched on failure) and returns what it
// changed.
BatchChanges runBatchWithChanges(ScenarioSet& current, BatchKind kind, TableText table);
BatchChanges runBatchWithChanges(ScenarioSet& current, BatchKind kind, const std::string& path,
                                 TableReading reading = {});
// The same for a table's bytes read from elsewhere than a file (runBatchOnBytes).
BatchChanges runBatchOnBytesWithChanges(ScenarioSet& current, BatchKind kind, std::string_view bytes,
                                        const std::string& name, TableReading reading);

}  // namespace vorandel
