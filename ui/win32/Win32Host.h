#pragma once
// The window-system interface of the dialog procedures, carried out with the Windows calls for one
// dialog window.
#include <windows.h>

#include <string>

#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

// What every dialog of the program is given when it opens.
struct Program {
  HINSTANCE instance;
  ProgramState state;
  // The absolute current folder at start-up: the game's files are written there, whatever folder the
  // process is in later.
  std::string folder;
};

class Win32Host : public DialogHost {
 public:
  Win32Host(Program& program, HWND window) : program_(program), window_(window) {}

  BoxAnswer messageBox(BoxOwner owner, const std::string& text, const std::string& title, BoxStyle style) override;
  void setWindowText(const std::string& text) override;
  void setItemText(int item, const std::string& text) override;
  std::string readItemText(int item) override;
  void endDialog(int result) override;
  bool browseForFile(std::string& path, const std::string& startFolder) override;
  bool browseForPair(std::string& path) override;
  void runDialog(int resource) override;
  bool shellOpen(const std::string& file, ShellShow show) override;
  void makeLinkLabel(int item) override;
  void focusAtStart(int item) override;
  void setListItems(int item, const std::vector<std::string>& lines) override;
  int chosenListItem(int item) override;

 private:
  Program& program_;
  HWND window_;
};

// The files dropped on a window, as the drop handle gives them.
class Win32FileDrop : public FileDrop {
 public:
  explicit Win32FileDrop(HDROP drop) : drop_(drop) {}
  unsigned count() override;
  std::string name(unsigned index) override;
  void finish() override;

 private:
  HDROP drop_;
};

// Runs a dialog resource of the program modally; 0 when owner is null.
INT_PTR runProgramDialog(Program& program, HWND owner, int resource);

}  // namespace vorandel::ui
