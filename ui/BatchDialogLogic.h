#pragma once
// The batch dialog: the user picks a table (the mode's default file, browsing or a drop) and applies it
// to the current set as a whole. An error leaves the set as it was and offers to try again. A table that
// would set fields back to their values before earlier pending tables changed them asks first whether
// those fields keep the earlier values, take the table's, or the table is not applied at all.
#include <optional>
#include <string>

#include "app/BatchChanges.h"
#include "model/ScenarioSet.h"
#include "ui/DialogHost.h"
#include "ui/ProgramState.h"

namespace vorandel::ui {

// Asked before a table that sets back what earlier pending tables changed is applied: below the cells
// and the hint (app/AppMessages.h kTablesUndid ...), what each button does.
inline constexpr const char* kTableNotAppliedYet = "此表还没有应用。";
inline constexpr const char* kAnswerKeepsEarlier = "按「是」：应用此表，但上面这些值保留前面的表改成的值。";
inline constexpr const char* kAnswerTakesTable = "按「否」：应用此表，上面这些值改回此表中的值。";
inline constexpr const char* kAnswerCancels = "按「取消」：不应用此表，数据不变。";
// When the earlier values cannot be kept; the reason below.
inline constexpr const char* kCannotKeepEarlier = "无法保留前面的表改成的值：此表没有应用，数据不变。";
// In the done box of a table applied keeping the earlier values.
inline constexpr const char* kKeptEarlier = "保留了前面的表改成的 %zu 个值。";

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
  std::optional<std::string> keepOrTake(BatchChanges& changes, ScenarioSet& applied);
  void showPath();

  ProgramState& state_;
  DialogHost& host_;
  std::string folder_;
};

}  // namespace vorandel::ui
