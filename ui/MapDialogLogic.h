#pragma once
// The map dialog: the player picks a scenario; "生成地图" writes the map of the current data for it
// (the effect of the batches run so far included) next to the game's files and opens it with the
// system's program for SVG pictures, a browser as a rule.
#include <string>

#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

class MapDialogLogic {
 public:
  // folder: where the map is written, the folder the game's files are generated in; empty for the
  // current directory.
  MapDialogLogic(ProgramState& state, DialogHost& host, std::string folder = {});

  bool onInit();
  bool onClose();
  bool onCommand(int id);

 private:
  void writeMap();

  ProgramState& state_;
  DialogHost& host_;
  std::string folder_;
};

}  // namespace vorandel::ui
