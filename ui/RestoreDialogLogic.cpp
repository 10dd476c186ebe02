#include "ui/RestoreDialogLogic.h"

#include "app/AppMessages.h"
#include "model/FileError.h"
#include "ui/ResourceIds.h"

namespace vorandel::ui {

namespace {

// The folder the main window writes into: the current one when none is given.
std::string folderOrCurrent(const std::string& folder) { return folder.empty() ? std::string(".") : folder; }

}  // namespace

std::string generationLine(const GenerationChoice& choice) {
  std::string line = choice.generation.time + "  ";
  if (choice.generation.original) line += std::string(kOriginalLabel) + "，";
  return line + choice.differences;
}

RestoreDialogLogic::RestoreDialogLogic(ProgramState&, DialogHost& host, std::string folder)
    : host_(host), folder_(folderOrCurrent(folder)) {}

bool RestoreDialogLogic::onInit() {
  host_.setItemText(RESTORE_NOTE, kRestoreListHint);
  if (!fillList()) host_.endDialog(0);
  return true;
}

bool RestoreDialogLogic::onClose() {
  host_.endDialog(0);
  return true;
}

bool RestoreDialogLogic::onCommand(int id) {
  switch (id) {
    case RESTORE_OK: restoreChosen(); return true;
    case RESTORE_BACK:
    case DIALOG_ESCAPE: host_.endDialog(0); return true;
  }
  return false;
}

// False, with the reason shown, when the folder cannot be looked at.
bool RestoreDialogLogic::fillList() {
  try {
    choices_ = generationChoices(folder_);
  } catch (const FileError& error) {
    host_.messageBox(BoxOwner::Dialog, error.message().joined(), "错误", BoxStyle::Error);
    return false;
  }
  std::vector<std::string> lines;
  for (const GenerationChoice& choice : choices_) lines.push_back(generationLine(choice));
  host_.setListItems(RESTORE_LIST, lines);
  if (choices_.empty()) host_.setItemText(RESTORE_NOTE, kNoGenerations);
  return true;
}

void RestoreDialogLogic::restoreChosen() {
  const int chosen = host_.chosenListItem(RESTORE_LIST);
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= choices_.size()) {
    host_.messageBox(BoxOwner::Dialog, kChooseGeneration, "错误", BoxStyle::Error);
    return;
  }
  const Generation& generation = choices_[static_cast<std::size_t>(chosen)].generation;
  try {
    const ReplacedPair replaced = restoreGeneration(folder_, generation);
    Message done = Message::withPaths(kRestored, {generation.path});
    if (const Message line = replacedPairLine(replaced); !line.empty()) done.textLine("").append(line);
    host_.messageBox(BoxOwner::Dialog, done.joined(), "处理完毕", BoxStyle::Plain);
    host_.endDialog(0);
  } catch (const WriteUnfinished& error) {
    host_.messageBox(BoxOwner::Dialog,
                     Message::withPaths(kRestored, {generation.path}).textLine("").append(error.message()).joined(),
                     "错误", BoxStyle::Error);
    host_.endDialog(0);
  } catch (const FileError& error) {
    host_.messageBox(BoxOwner::Dialog, error.message().joined(), "错误", BoxStyle::Error);
    fillList();
  }
}

}  // namespace vorandel::ui
