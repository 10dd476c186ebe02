#include "ui/BatchModes.h"

#include "app/BatchChanges.h"
#include "model/EditError.h"

namespace vorandel::ui {

// The batch modes are the values of the batch kinds.
BatchKind batchKindOfMode(int mode) { return static_cast<BatchKind>(mode); }

const char* batchTitle(int mode) {
  switch (mode) {
    case 0: return "批量修改所有剧本中的人名/地名";
    case 1: return "批量修改武将资料";
    case 2: return "批量修改势力信息";
    case 3: return "批量修改城市信息";
  }
  return "批量修改";
}

const char* batchButtonCaption(int mode) {
  switch (mode) {
    case 0: return "修改人/地名";
    case 1: return "修改武将资料";
    case 2: return "修改势力信息";
    case 3: return "修改城市信息";
  }
  return "";
}

std::string defaultTableOf(int mode) {
  if (mode < 0 || mode > 3) return {};
  return defaultTableName(batchKindOfMode(mode));
}

BatchChanges runBatchOfMode(ScenarioSet& current, int mode, const std::string& path, const TableUndoCheck* earlier) {
  // A table of another kind is told with the button that takes it.
  TableReading reading;
  reading.whereKindGoes = [](BatchKind kind) {
    return formatMessage(kButtonTakesTable, batchButtonCaption(static_cast<int>(kind)));
  };
  reading.earlierTables = earlier;
  return runBatchWithChanges(current, batchKindOfMode(mode), path, reading);
}

}  // namespace vorandel::ui
