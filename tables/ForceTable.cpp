#include "tables/ForceTable.h"

#include "tables/RecordTable.h"
#include "tables/RulerColumns.h"

namespace vorandel {

void importForceTable(ScenarioSet& set, TableText table, TableReport report) {
  RecordTableLayout layout;
  layout.leadingColumns = 3;
  layout.leadingHeader = "剧本 编号 设置";
  layout.tooFewColumns = "输入文件至少要有3列";
  layout.wrongLeadingHeader = "第一行前3列错误";
  layout.firstRecord = 1;
  layout.lastRecord = kForceCount;

  RecordTableActions actions;
  actions.columns = []() -> const ColumnDictionary& {
    weaponDictionary();  // both dictionaries are built on the first run
    return forceColumnDictionary();
  };
  actions.applyCell = [](Scenario& scenario, int f, int code, std::string_view cell) {
    forceColumns()[static_cast<std::size_t>(code)].read(scenario, f, cell);
  };
  actions.firstCode = kForceRuler;
  actions.applyFirst = applyRulerCell;
  actions.describe = [](int code) -> const ColumnInfo& { return forceColumns()[static_cast<std::size_t>(code)].info; };
  applyRecordTable(set, table, layout, actions, report);
}

}  // namespace vorandel
