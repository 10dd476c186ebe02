#include "ui/ProblemsDialogLogic.h"

#include "ui/ResourceIds.h"

namespace vorandel::ui {

std::string withWindowsLineEnds(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

bool ProblemsDialogLogic::onInit() {
  host_.setItemText(PROBLEMS_TEXT,
                    withWindowsLineEnds(state_.problemReport.empty() ? kNoProblems : state_.problemReport));
  // The list opens at its first line: the system would select all of it, the caret at its end.
  host_.focusAtStart(PROBLEMS_TEXT);
  return false;
}

bool ProblemsDialogLogic::onClose() {
  host_.endDialog(0);
  return true;
}

bool ProblemsDialogLogic::onCommand(int id) {
  if (id != PROBLEMS_OK && id != DIALOG_ESCAPE) return false;
  host_.endDialog(0);
  return true;
}

}  // namespace vorandel::ui
