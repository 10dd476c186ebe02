#pragma once
// The main window: the buttons from which every command starts.
#include <string>

#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

class MainDialogLogic {
 public:
  // folder: where the game's files are generated, best given absolute so that it stays the same folder
  // whatever becomes of the current directory; empty for the current directory.
  MainDialogLogic(ProgramState& state, DialogHost& host, std::string folder = {});

  // A button press; false for commands the dialog leaves to the default handling (Esc among them).
  bool onCommand(int id);
  // The window's close box: ends the dialog with 0.
  bool onClose();

 private:
  void runBatchDialog(int mode);
  void generate();
  void discardChanges();

  ProgramState& state_;
  DialogHost& host_;
  std::string folder_;
};

}  // namespace vorandel::ui
