#pragma once
// The main window: the buttons from which every command starts. Its caption shows, with a " *" after the
// name, that the current set holds changes that no generation has written yet; quitting and discarding
// ask first while there are such changes.
#include <string>

#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

class MainDialogLogic {
 public:
  // folder: where the game's files are generated, best given absolute so that it stays the same folder
  // whatever becomes of the current directory; empty for the current directory.
  MainDialogLogic(ProgramState& state, DialogHost& host, std::string folder = {});

  // A button press; false for commands the dialog leaves to the default handling. Esc asks as "退出".
  bool onCommand(int id);
  // The window's close box: as "退出".
  bool onClose();
  // A file dropped on the window opens the batch dialog of its kind (told from its first line) with
  // the file filled in; further dropped files are ignored.
  bool onDropFiles(FileDrop& drop);

 private:
  void runBatchDialog(int mode);
  void generate();
  void discardChanges();
  void quit();
  // Asks before changes that were never generated are lost; true to go on.
  bool mayLosePendingChanges(const char* question);
  void showCaption();

  ProgramState& state_;
  DialogHost& host_;
  std::string folder_;
};

}  // namespace vorandel::ui
