#pragma once
// What differs between the four batch modes of the main window: the batch dialog's title, the table it
// offers by default and the kind of batch it runs.
#include <string>

#include "app/BatchChanges.h"

namespace vorandel::ui {

// Below the error of a table of another kind: the button that takes it (app/AppMessages.h kTableOfOtherKind).
inline constexpr const char* kButtonTakesTable = "主窗口的「%s」按钮";

// Modes: 0 name list, 1 officer table, 2 force table, 3 city table.
const char* batchTitle(int mode);
// The caption of the main window's button that opens the mode's batch dialog.
const char* batchButtonCaption(int mode);
std::string defaultTableOf(int mode);
BatchKind batchKindOfMode(int mode);

// Runs the mode's table (0 to 3) on a copy of current and commits it; the officer table is validated
// first.
// Raises the EditError of the first problem, with current untouched. Gives what the run has to tell
// after success: what the table changed and its warnings. earlier: the tables of the pending changes,
// which a refused cell's value may come from.
BatchChanges runBatchOfMode(ScenarioSet& current, int mode, const std::string& path,
                            const TableUndoCheck* earlier = nullptr);

}  // namespace vorandel::ui
