#pragma once
// The state that the Windows program keeps from start to exit: the session's current and pristine sets
// and where the pristine one came from, the batch mode the main window chose, the path of the batch
// dialog's input file, and whether the current set holds changes that no generation has written yet.
#include <optional>
#include <string>

#include "app/Generate.h"
#include "app/Session.h"
#include "app/TableUndo.h"

namespace vorandel::ui {

inline constexpr int kNoBatchYet = 4;

struct ProgramState : Session {
  int batchMode = kNoBatchYet;
  std::string inputPath;
  // A file dropped on the main window: the next batch dialog opens with it instead of its default file.
  std::string droppedPath;
  // The folder of the last table chosen by browsing, where the next open-file dialog starts.
  std::string browseFolder;
  // The folder whose pair the pristine set was read from, as it was chosen; empty for the built-in pair.
  std::string startFolder;
  // The pair this program last generated, so that generating again over it asks nothing; none before the
  // first generation.
  std::optional<PairBytes> lastGenerated;
  // Set by a batch that changed the current set; cleared when the files are generated or the changes
  // are discarded.
  bool pendingChanges = false;
  // The tables of the pending changes, so that a table setting back what an earlier one changed is told.
  TableUndoCheck pendingTables;
  // What the last table that failed had to tell in full (its error, details and every problem), for
  // the batch dialog's "全部问题"; empty when the last table went through.
  std::string problemReport;
};

}  // namespace vorandel::ui
