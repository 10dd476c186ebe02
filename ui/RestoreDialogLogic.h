#pragma once
// "恢复": the earlier pairs kept in the backup folder beside the game's files, oldest first with the
// original at the top, each with when it was kept and how it differs from the files now; "恢复" brings
// the chosen one back (the files now becoming a kept pair themselves). The program's current data and
// its pending changes stay as they are: only the files change.
#include <string>
#include <vector>

#include "app/RestorePair.h"
#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

inline constexpr const char* kChooseGeneration = "请先在列表中选择要恢复的剧本。";
inline constexpr const char* kRestoreListHint = "选择一次保存的剧本，按“恢复”把它放回游戏文件夹：";

// A line of the list: time, the original's mark and the differences.
std::string generationLine(const GenerationChoice& choice);

class RestoreDialogLogic {
 public:
  // folder: the folder of the game's files, as the main window writes them.
  RestoreDialogLogic(ProgramState& state, DialogHost& host, std::string folder = {});

  bool onInit();
  bool onClose();
  bool onCommand(int id);

 private:
  bool fillList();
  void restoreChosen();

  DialogHost& host_;
  std::string folder_;
  std::vector<GenerationChoice> choices_;
};

}  // namespace vorandel::ui
