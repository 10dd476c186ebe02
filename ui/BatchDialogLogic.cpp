#include "ui/BatchDialogLogic.h"

#include "app/AppMessages.h"
#include "app/BatchSummary.h"
#include "app/ErrorReport.h"
#include "app/KeepEarlierValues.h"
#include "app/SetDiff.h"
#include "app/TableUndo.h"
#include "model/EditError.h"
#include "model/FileOps.h"
#include "model/Messages.h"
#include "model/SystemFiles.h"
#include "ui/BatchDoneText.h"
#include "ui/BatchModes.h"
#include "ui/ExportAction.h"
#include "ui/ResourceIds.h"

namespace vorandel::ui {

BatchDialogLogic::BatchDialogLogic(ProgramState& state, DialogHost& host, std::string folder)
    : state_(state), host_(host), folder_(std::move(folder)) {}

bool BatchDialogLogic::onInit() {
  host_.setWindowText(batchTitle(state_.batchMode));
  if (!state_.droppedPath.empty()) {
    state_.inputPath = state_.droppedPath;
    state_.droppedPath.clear();
    showPath();
    return true;
  }
  const std::string name = defaultTableOf(state_.batchMode);
  const std::string path = folder_.empty() ? name : platform::pathIn(folder_, name);
  // A table there is offered even when it cannot be read now (a spreadsheet holding it open): "开始处理"
  // then says why.
  if (platform::kindOf(path) == platform::PathKind::Regular) {
    state_.inputPath = path;
    showPath();
  } else {
    state_.inputPath.clear();
  }
  return true;
}

bool BatchDialogLogic::onClose() {
  host_.endDialog(0);
  return true;
}

bool BatchDialogLogic::onCommand(int id) {
  switch (id) {
    case BATCH_BROWSE: return browse();
    case BATCH_START: return runTable();
    case BATCH_BACK:
    case DIALOG_ESCAPE: host_.endDialog(0); return true;
    case BATCH_EXPORT: return exportTable();
    case BATCH_PROBLEMS: host_.runDialog(PROBLEMS_DIALOG); return true;
  }
  return false;
}

bool BatchDialogLogic::onDropFiles(FileDrop& drop) {
  if (drop.count() != 0) {
    state_.inputPath = drop.name(0);
    showPath();
  }
  drop.finish();
  return true;
}

bool BatchDialogLogic::browse() {
  if (!host_.browseForFile(state_.inputPath, state_.browseFolder)) return false;
  state_.browseFolder = platform::folderOf(state_.inputPath);
  showPath();
  return true;
}

bool BatchDialogLogic::exportTable() {
  if (!exportCurrentTable(state_, host_, folder_, host_.readItemText(BATCH_COLUMNS))) return false;
  showPath();
  return true;
}

// The batch runs on a copy of the current set and commits only when all of it succeeded and the player
// has said what becomes of the fields it sets back, so Retry starts again from the set as it was and
// re-reads the file the user may have fixed meanwhile, and Cancel leaves everything as it was.
bool BatchDialogLogic::runTable() {
  for (;;) {
    // A spreadsheet that keeps the table open bars reading it: said so, with Retry once it is closed.
    if (platform::heldByAnotherProgram(state_.inputPath, platform::FileUse::Read)) {
      const std::string text = Message::withPaths(kHeldOpen, {state_.inputPath}).textLine(kCloseAndRetry).joined();
      if (host_.messageBox(BoxOwner::Dialog, text, "错误", BoxStyle::ErrorRetryCancel) == BoxAnswer::Retry) continue;
      return true;
    }
    if (!fileExists(state_.inputPath)) {
      const std::string reason = unreadableReason(state_.inputPath);
      host_.messageBox(BoxOwner::Dialog, reason.empty() ? "文件不存在！" : "文件不存在！\n" + reason, "错误",
                       BoxStyle::Error);
      return false;
    }
    // The tables of the pending changes make one run; after "生成新剧本" or "放弃所有修改" a new one begins.
    if (!state_.pendingChanges) state_.pendingTables.clear();
    ScenarioSet applied = state_.current();
    BatchChanges changes;
    try {
      changes = runBatchOfMode(applied, state_.batchMode, state_.inputPath, &state_.pendingTables);
    } catch (const EditError& error) {
      // The error as always, its details below; the full list waits behind "全部问题".
      state_.problemReport = errorReport(error, true, "").joined();
      const std::string shown = errorReport(error, false, "按「全部问题」可以全部列出。").joined();
      const BoxAnswer answer = host_.messageBox(BoxOwner::Dialog, shown, "错误", BoxStyle::ErrorRetryCancel);
      if (answer == BoxAnswer::Retry) continue;
      return true;
    }
    state_.problemReport.clear();
    const std::optional<std::string> kept = keepOrTake(changes, applied);
    if (!kept) return true;
    if (changes.changed) {
      state_.changeCurrent() = std::move(applied);
      state_.pendingChanges = true;
    }
    const BatchKind kind = batchKindOfMode(state_.batchMode);
    state_.pendingTables.take(changes.changes, batchKindName(kind), kind, std::move(changes.rows));
    std::string done = batchDoneText(changes.changed, changes.summary(batchKindOfMode(state_.batchMode)));
    for (const std::string& warning : changes.warnings) done += "\n" + warning;
    if (!kept->empty()) done += "\n" + *kept;
    host_.messageBox(BoxOwner::Dialog, done, "处理完毕", BoxStyle::Plain);
    host_.endDialog(0);
    return true;
  }
}

// A table that sets fields back to their values before earlier pending tables changed them asks first:
// "是" keeps the earlier values (applied, the set after the table, has those fields set back again, and
// changes becomes what that set changes), "否" takes the table's. Gives the line the done box adds (empty
// when there is none); nothing when the player cancelled or the earlier values cannot be kept.
std::optional<std::string> BatchDialogLogic::keepOrTake(BatchChanges& changes, ScenarioSet& applied) {
  const std::vector<FieldChange> undone = state_.pendingTables.undoneBy(changes.changes);
  if (undone.empty()) return std::string();
  const std::string question = Message(undoneCells(undone, batchKindName(batchKindOfMode(state_.batchMode))))
                                   .textLine(kTablesUndidHintForProgram)
                                   .textLine(kTableNotAppliedYet)
                                   .textLine(kAnswerKeepsEarlier)
                                   .textLine(kAnswerTakesTable)
                                   .textLine(kAnswerCancels)
                                   .joined();
  const BoxAnswer answer = host_.messageBox(BoxOwner::Dialog, question, "确认", BoxStyle::QuestionYesNoCancel);
  if (answer == BoxAnswer::No) return std::string();
  if (answer != BoxAnswer::Yes) return std::nullopt;
  try {
    keepEarlierValues(applied, undone, changes.changes);
  } catch (const EditError& error) {
    const Message told = Message(kCannotKeepEarlier).textLine("").append(errorReport(error, false, ""));
    host_.messageBox(BoxOwner::Dialog, told.joined(), "错误", BoxStyle::Error);
    return std::nullopt;
  }
  changes.changes = compareSets(state_.current(), applied);
  changes.changed = applied != state_.current();
  return formatMessage(kKeptEarlier, undone.size());
}

void BatchDialogLogic::showPath() { host_.setItemText(BATCH_PATH, state_.inputPath); }

}  // namespace vorandel::ui
