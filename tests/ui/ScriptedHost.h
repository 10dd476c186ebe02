#pragma once
// A stand-in for the window system: records every call of a dialog procedure and answers message boxes
// and the open-file dialog from a script prepared by the test.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ui/DialogHost.h"

namespace vorandel::testing {

struct ShownBox {
  ui::BoxOwner owner;
  std::string text;
  std::string title;
  ui::BoxStyle style;
};

class ScriptedHost : public ui::DialogHost {
 public:
  // Answers for the Retry/Cancel, Yes/No and Yes/No/Cancel boxes, in order; a box beyond the script is
  // answered Cancel, No or Cancel.
  std::deque<ui::BoxAnswer> answers;
  // What the open-file dialog returns: a path, or nothing for Cancel.
  std::optional<std::string> browseResult;
  // What the open-file dialog for a pair returns: the scenario file chosen, or nothing for Cancel.
  std::optional<std::string> pairBrowseResult;

  // Runs when a box is shown, before it is answered: lets a test fix a file while the box is up.
  std::function<void(const ShownBox&)> beforeAnswer;
  // Runs when a child dialog is run: lets a test play the child dialog.
  std::function<void(int resource)> whileDialogRuns;

  std::vector<ShownBox> boxes;
  std::string windowText;
  std::vector<std::pair<int, std::string>> itemTexts;
  std::vector<int> endedWith;
  std::vector<int> dialogsRun;
  std::vector<std::pair<std::string, ui::ShellShow>> shellOpened;
  std::vector<int> linkLabels;
  std::vector<int> focusedAtStart;
  std::string browseStartedFrom;
  std::string browseStartFolder;
  // What the user typed into controls; a control not typed into reads as its last set text.
  std::map<int, std::string> typed;
  // The lines given to list controls, and the line the user chose in each (none when missing).
  std::map<int, std::vector<std::string>> lists;
  std::map<int, int> chosen;
  // What the shell answers when asked to open a file.
  bool shellOpens = true;

  ui::BoxAnswer messageBox(ui::BoxOwner owner, const std::string& text, const std::string& title,
                           ui::BoxStyle style) override {
    boxes.push_back({owner, text, title, style});
    if (beforeAnswer) beforeAnswer(boxes.back());
    if (style == ui::BoxStyle::QuestionYesNo && answers.empty()) return ui::BoxAnswer::No;
    if (style != ui::BoxStyle::ErrorRetryCancel && style != ui::BoxStyle::QuestionYesNo &&
        style != ui::BoxStyle::QuestionYesNoCancel)
      return ui::BoxAnswer::Ok;
    if (answers.empty()) return ui::BoxAnswer::Cancel;
    const ui::BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void setWindowText(const std::string& text) override { windowText = text; }
  void setItemText(int item, const std::string& text) override { itemTexts.emplace_back(item, text); }
  std::string readItemText(int item) override {
    if (const auto it = typed.find(item); it != typed.end()) return it->second;
    return itemText(item).value_or("");
  }
  void endDialog(int result) override { endedWith.push_back(result); }
  bool browseForFile(std::string& path, const std::string& startFolder) override {
    browseStartedFrom = path;
    browseStartFolder = startFolder;
    if (!browseResult) return false;
    path = *browseResult;
    return true;
  }
  bool browseForPair(std::string& path) override {
    if (!pairBrowseResult) return false;
    path = *pairBrowseResult;
    return true;
  }
  void runDialog(int resource) override {
    dialogsRun.push_back(resource);
    if (whileDialogRuns) whileDialogRuns(resource);
  }
  bool shellOpen(const std::string& file, ui::ShellShow show) override {
    shellOpened.emplace_back(file, show);
    return shellOpens;
  }
  void makeLinkLabel(int item) override { linkLabels.push_back(item); }
  void focusAtStart(int item) override { focusedAtStart.push_back(item); }
  void setListItems(int item, const std::vector<std::string>& lines) override {
    lists[item] = lines;
    chosen.erase(item);
  }
  int chosenListItem(int item) override {
    const auto it = chosen.find(item);
    return it == chosen.end() ? -1 : it->second;
  }

  // The last text given to the control, or nothing when it was never set.
  std::optional<std::string> itemText(int item) const {
    for (auto it = itemTexts.rbegin(); it != itemTexts.rend(); ++it)
      if (it->first == item) return it->second;
    return std::nullopt;
  }
};

// A drop of the given files that remembers whether it was released.
class ScriptedDrop : public ui::FileDrop {
 public:
  explicit ScriptedDrop(std::vector<std::string> files) : files_(std::move(files)) {}
  unsigned count() override { return static_cast<unsigned>(files_.size()); }
  std::string name(unsigned index) override { return files_.at(index); }
  void finish() override { ++finished; }
  int finished = 0;

 private:
  std::vector<std::string> files_;
};

}  // namespace vorandel::testing
