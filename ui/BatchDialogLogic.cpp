#include "ui/BatchDialogLogic.h"

#include "app/AppMessages.h"
#include "app/BatchSummary.h"
#include "app/ErrorReport.h"
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

// The batch runs on a copy of the current set and commits only when all of it succeeded, so Retry
// starts again from the set as it was and re-reads the file the user may have fixed meanwhile.
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
    BatchChanges changes;
    try {
      changes = runBatchOfMode(state_.changeCurrent(), state_.batchMode, state_.inputPath);
    } catch (const EditError& error) {
      // The error as always, its details below; the full list waits behind "全部问题".
      state_.problemReport = errorReport(error, true, "").joined();
      const std::string shown = errorReport(error, false, "按「全部问题」可以全部列出。").joined();
      const BoxAnswer answer = host_.messageBox(BoxOwner::Dialog, shown, "错误", BoxStyle::ErrorRetryCancel);
      if (answer == BoxAnswer::Retry) continue;
      return true;
    }
    state_.problemReport.clear();
    if (changes.changed) state_.pendingChanges = true;
    std::string done = batchDoneText(changes.changed, changes.summary(batchKindOfMode(state_.batchMode)));
    for (const std::string& warning : changes.warnings) done += "\n" + warning;
    const BatchKind kind = batchKindOfMode(state_.batchMode);
    const std::string undone =
        state_.pendingTables.add(changes.changes, batchKindName(kind), kTablesUndidHintForProgram);
    if (!undone.empty()) done += "\n" + undone;
    host_.messageBox(BoxOwner::Dialog, done, "处理完毕", BoxStyle::Plain);
    host_.endDialog(0);
    return true;
  }
}

void BatchDialogLogic::showPath() { host_.setItemText(BATCH_PATH, state_.inputPath); }

}  // namespace vorandel::ui
