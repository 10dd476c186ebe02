#include "ui/MainDialogLogic.h"

#include "app/AppMessages.h"
#include "app/Generate.h"
#include "model/EditError.h"
#include "model/FileError.h"
#include "model/FileOps.h"
#include "model/FileWriter.h"
#include "model/Messages.h"
#include "model/PairNames.h"
#include "model/SystemFiles.h"
#include "ui/ResourceIds.h"
#include "ui/TableRecognition.h"

namespace vorandel::ui {

namespace {

// The folder whose pair a dropped path stands for: a scenario file's folder, or a folder itself; empty
// for any other file.
std::string pairFolderOfDrop(const std::string& path) {
  if (isScenarioFileName(platform::nameOf(path))) return platform::folderOf(path);
  if (platform::kindOf(path) == platform::PathKind::Folder) return path;
  return {};
}

bool samePair(const PairBytes& one, const PairBytes& other) {
  return one.sndata == other.sndata && one.taiki == other.taiki;
}

}  // namespace

MainDialogLogic::MainDialogLogic(ProgramState& state, DialogHost& host, std::string folder)
    : state_(state), host_(host), folder_(std::move(folder)) {}

bool MainDialogLogic::onInit() {
  showCaption();
  const std::string here = folder_.empty() ? "." : folder_;
  try {
    PairBytes seen;
    if (!holdsOtherPair(here, seen)) return true;
  } catch (const FileError&) {
    return true;  // a folder that cannot be read offers nothing; generating there will say why
  }
  const Message offer = Message::withPaths(kOfferFolderPair, {here});
  if (host_.messageBox(BoxOwner::Dialog, offer.joined(), "确认", BoxStyle::QuestionYesNo) == BoxAnswer::Yes)
    startFromFolder(here);
  return true;
}

bool MainDialogLogic::onCommand(int id) {
  switch (id) {
    case MAIN_NAME_LIST: runBatchDialog(0); return true;
    case MAIN_OFFICER_TABLE: runBatchDialog(1); return true;
    case MAIN_FORCE_TABLE: runBatchDialog(2); return true;
    case MAIN_CITY_TABLE: runBatchDialog(3); return true;
    case MAIN_GENERATE: generate(); return true;
    case MAIN_DISCARD: discardChanges(); return true;
    case MAIN_ABOUT: host_.runDialog(ABOUT_DIALOG); return true;
    case MAIN_QUIT:
    case DIALOG_ESCAPE: quit(); return true;
    case MAIN_MAP: host_.runDialog(MAP_DIALOG); return true;
    case MAIN_RESTORE: host_.runDialog(RESTORE_DIALOG); return true;
    case MAIN_OPEN_PAIR: openPair(); return true;
  }
  return false;
}

bool MainDialogLogic::onClose() {
  quit();
  return true;
}

bool MainDialogLogic::onDropFiles(FileDrop& drop) {
  const std::string path = drop.count() != 0 ? drop.name(0) : std::string();
  drop.finish();
  if (path.empty()) return true;
  if (const std::string pairFolder = pairFolderOfDrop(path); !pairFolder.empty()) {
    if (mayLosePendingChanges(kReadLosesChanges)) startFromFolder(pairFolder);
    return true;
  }
  // A table a spreadsheet holds open is there, but cannot be read: not told as missing.
  if (platform::heldByAnotherProgram(path, platform::FileUse::Read)) {
    host_.messageBox(BoxOwner::Dialog, Message::withPaths(kHeldOpen, {path}).joined(), "错误", BoxStyle::Error);
    return true;
  }
  if (!fileExists(path)) {
    host_.messageBox(BoxOwner::Dialog, "文件不存在！\n" + path, "错误", BoxStyle::Error);
    return true;
  }
  const std::optional<int> mode = batchModeOfFile(path);
  if (!mode) {
    host_.messageBox(BoxOwner::Dialog, "无法识别表格 " + path + " 的种类。\n" + kTableKindHint, "错误",
                     BoxStyle::Error);
    return true;
  }
  state_.droppedPath = path;
  runBatchDialog(*mode);
  state_.droppedPath.clear();
  return true;
}

void MainDialogLogic::runBatchDialog(int mode) {
  state_.batchMode = mode;
  host_.runDialog(BATCH_DIALOG);
  showCaption();
}

void MainDialogLogic::openPair() {
  std::string chosen;
  if (!host_.browseForPair(chosen)) return;
  if (mayLosePendingChanges(kReadLosesChanges)) startFromFolder(platform::folderOf(chosen));
}

bool MainDialogLogic::startFromFolder(const std::string& pairFolder) {
  const auto refuse = [&](const Message& reason) {
    host_.messageBox(BoxOwner::Dialog,
                     Message::withPaths(kCannotReadPair, {pairFolder}).textLine("").append(reason).joined(), "错误",
                     BoxStyle::Error);
    return false;
  };
  PairBytes pair;
  try {
    if (!holdsPair(pairFolder)) return refuse(kNoPairThere);
    pair = readScenarioPair(pairFolder);
    startUp(state_, pair.sndata, pair.taiki);
  } catch (const EditError& error) {
    return refuse(Message(error.text()));
  } catch (const FileError& error) {
    return refuse(error.message());
  }
  state_.startFolder = pairFolder;
  state_.pendingChanges = false;
  state_.pendingTables.clear();
  showCaption();
  Message done = Message::withPaths(kPairRead, {pairFolder});
  if (!pair.notice.empty()) done.textLine("").append(pair.notice);
  host_.messageBox(BoxOwner::Dialog, done.joined(), "处理完毕", BoxStyle::Plain);
  return true;
}

bool MainDialogLogic::holdsOtherPair(const std::string& folder, PairBytes& seen) {
  seen = pairBytesOf(state_.pristine());
  if (!holdsPair(folder)) return false;
  PairBytes there = readScenarioPair(folder);
  const bool known = samePair(there, seen) || (state_.lastGenerated && samePair(there, *state_.lastGenerated));
  seen = std::move(there);
  return !known;
}

bool MainDialogLogic::mayReplaceFolderPair(const std::string& target, PairBytes& seen) {
  if (!holdsOtherPair(target, seen)) return true;
  Message question = Message::withPaths(kReplaceOtherPair, {target});
  question.textLine("").append(state_.startFolder.empty() ? Message(kStartWasBuiltIn)
                                                          : Message::withPaths(kStartWasFolder, {state_.startFolder}));
  question.textLine("").append(Message::withPaths(kReplaceOtherPairKept, {backupFolderOf(target)}));
  question.textLine(kReplaceOtherPairQuestion);
  return host_.messageBox(BoxOwner::Dialog, question.joined(), "确认", BoxStyle::QuestionYesNo) == BoxAnswer::Yes;
}

// The done box names the folder written to. A failed file step leaves the folder's previous files in
// place; the set stays as it was in every case.
void MainDialogLogic::generate() {
  try {
    const std::string target = folder_.empty() ? "." : folder_;
    PairBytes seen;
    if (!mayReplaceFolderPair(target, seen)) return;
    // A pair put there after the look is still kept, and told of.
    const ReplacedPair replaced =
        generateScenarioFiles(state_.current(), target, {}, PairView{seen.sndata, seen.taiki});
    state_.lastGenerated = pairBytesOf(state_.current());
    state_.pendingChanges = false;
    showCaption();
    const std::string where = folder_.empty() ? "剧本文件已写入当前文件夹。" : "剧本文件已写入：" + folder_;
    Message done = Message(kGenerated).textLine(where);
    if (const Message line = replacedPairLine(replaced); !line.empty()) done.textLine("").append(line);
    if (replaced.differedFromStart) done.textLine(kOtherPairReplacedInProgram);
    host_.messageBox(BoxOwner::Dialog, done.joined(), "处理完毕", BoxStyle::Plain);
  } catch (const EditError& error) {
    host_.messageBox(BoxOwner::Dialog, error.text(), "错误", BoxStyle::Error);
  } catch (const WriteUnfinished& error) {
    // The new files are in place; what is left is said below.
    state_.pendingChanges = false;
    showCaption();
    host_.messageBox(BoxOwner::Dialog, std::string(kGenerated) + "\n" + error.message().joined(), "错误",
                     BoxStyle::Error);
  } catch (const FileHeldOpen& held) {
    // The game keeps its files open while it runs: once it has let go, Retry writes them.
    const std::string text = Message(held.message()).textLine(kQuitGameAndRetry).joined();
    if (host_.messageBox(BoxOwner::Dialog, text, "错误", BoxStyle::ErrorRetryCancel) == BoxAnswer::Retry) generate();
  } catch (const FileError& error) {
    host_.messageBox(BoxOwner::Dialog, error.message().joined(), "错误", BoxStyle::Error);
  }
}

void MainDialogLogic::discardChanges() {
  if (!mayLosePendingChanges("有修改尚未生成新剧本，确定放弃所有修改吗？")) return;
  state_.restorePristine();
  state_.pendingChanges = false;
  showCaption();
  host_.messageBox(BoxOwner::Dialog, "数据已恢复。", "处理完毕", BoxStyle::Plain);
}

void MainDialogLogic::quit() {
  if (mayLosePendingChanges("有修改尚未生成新剧本，确定退出吗？")) host_.endDialog(0);
}

bool MainDialogLogic::mayLosePendingChanges(const char* question) {
  if (!state_.pendingChanges) return true;
  return host_.messageBox(BoxOwner::Dialog, question, "确认", BoxStyle::QuestionYesNo) == BoxAnswer::Yes;
}

void MainDialogLogic::showCaption() {
  std::string caption = kProgramName;
  if (state_.pendingChanges) caption += " *";
  if (!state_.startFolder.empty()) caption += kCaptionFromFolder + state_.startFolder;
  host_.setWindowText(caption);
}

}  // namespace vorandel::ui
