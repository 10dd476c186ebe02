#pragma once
// The batch dialog: the user picks a table (the mode's default file, browsing or a drop) and applies it
// to the current set as a whole. An error leaves the set as it was and offers to try again.
#include <string>

#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

class BatchDialogLogic {
 public:
  // folder: where the mode's default table is looked for and "导出当前数据" writes it; empty for the
  // current directory.
  BatchDialogLogic(ProgramState& state, DialogHost& host, std::string folder = {});

  bool onInit();
  bool onClose();
  // "浏览" answers whether a file was chosen, "导出当前数据" whether the table was written; "开始处理"
  // false when the file is missing. "返回" and Esc close the dialog.
  bool onCommand(int id);
  bool onDropFiles(FileDrop& drop);

 private:
  bool browse();
  bool exportTable();
  bool runTable();
  void showPath();

  ProgramState& state_;
  DialogHost& host_;
  std::string folder_;
};

}  // namespace vorandel::ui
