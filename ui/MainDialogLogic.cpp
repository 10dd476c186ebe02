#include "ui/MainDialogLogic.h"

#include "app/Generate.h"
#include "model/EditError.h"
#include "model/FileError.h"
#include "ui/ResourceIds.h"

namespace vorandel::ui {

MainDialogLogic::MainDialogLogic(ProgramState& state, DialogHost& host, std::string folder)
    : state_(state), host_(host), folder_(std::move(folder)) {}

bool MainDialogLogic::onCommand(int id) {
  switch (id) {
    case MAIN_NAME_LIST: runBatchDialog(0); return true;
    case MAIN_OFFICER_TABLE: runBatchDialog(1); return true;
    case MAIN_FORCE_TABLE: runBatchDialog(2); return true;
    case MAIN_CITY_TABLE: runBatchDialog(3); return true;
    case MAIN_GENERATE: generate(); return true;
    case MAIN_DISCARD: discardChanges(); return true;
    case MAIN_ABOUT: host_.runDialog(ABOUT_DIALOG); return true;
    case MAIN_QUIT: host_.endDialog(0); return true;
    case MAIN_MAP: host_.runDialog(MAP_DIALOG); return true;
  }
  return false;
}

bool MainDialogLogic::onClose() {
  host_.endDialog(0);
  return true;
}

void MainDialogLogic::runBatchDialog(int mode) {
  state_.batchMode = mode;
  host_.runDialog(BATCH_DIALOG);
}

// The done box names the folder written to. A failed file step leaves the folder's previous files in
// place; the set stays as it was in every case.
void MainDialogLogic::generate() {
  try {
    generateScenarioFiles(state_.current, folder_);
    const std::string where = folder_.empty() ? "剧本文件已写入当前文件夹。" : "剧本文件已写入：" + folder_;
    host_.messageBox(BoxOwner::Dialog, "已生成新的剧本。\n" + where, "处理完毕", BoxStyle::Plain);
  } catch (const EditError& error) {
    host_.messageBox(BoxOwner::Dialog, error.text(), "错误", BoxStyle::Error);
  } catch (const FileError& error) {
    host_.messageBox(BoxOwner::Dialog, error.message().joined(), "错误", BoxStyle::Error);
  }
}

void MainDialogLogic::discardChanges() {
  state_.current = state_.pristineCopy;
  host_.messageBox(BoxOwner::Dialog, "数据已恢复。", "处理完毕", BoxStyle::Plain);
}

}  // namespace vorandel::ui
