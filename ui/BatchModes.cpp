#include "ui/BatchModes.h"

#include "edit/EditError.h"

namespace vorandel::ui {

namespace {

// The officer table joins the batch kinds in a later step of the core; until it is there, mode 1 tells
// the user so instead of committing an unchanged set as if it had worked.
template <typename Kind>
constexpr bool hasOfficerTable() {
  return requires { Kind::OfficerTable; };
}

BatchKind kindOf(int mode) {
  switch (mode) {
    case 0: return BatchKind::NameList;
    case 2: return BatchKind::ForceTable;
    case 3: return BatchKind::CityTable;
  }
  if constexpr (hasOfficerTable<BatchKind>()) {
    if (mode == 1) return BatchKind{1};
  }
  raiseEditError("此版本不能批量修改武将资料。");
}

}  // namespace

const char* batchTitle(int mode) {
  switch (mode) {
    case 0: return "批量修改所有剧本中的人名/地名";
    case 1: return "批量修改武将资料";
    case 2: return "批量修改势力信息";
    case 3: return "批量修改城市信息";
  }
  return "批量修改";
}

std::string defaultTableOf(int mode) {
  if (mode == 1) return "ruv5_officer.txt";
  if (mode < 0 || mode > 3) return {};
  return defaultTableName(kindOf(mode));
}

void runBatchOfMode(ScenarioSet& current, int mode, const std::string& path) {
  runBatch(current, kindOf(mode), path);
}

}  // namespace vorandel::ui
