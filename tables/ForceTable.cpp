#include "tables/ForceTable.h"

#include "tables/RecordTable.h"
#include "tables/RulerColumns.h"
#include "tables/TableMessages.h"

namespace vorandel {

const RecordTableLayout& forceTableLayout() {
  static const RecordTableLayout layout = [] {
    RecordTableLayout made;
    TableLayout& table = made.table;
    table.leadingColumns = 3;
    table.leadingHeader = "剧本 编号 设置";
    table.switchCell = 2;
    table.fewestColumns = 3;
    table.tooFewLines = "输入文件至少要两行";
    table.tooFewColumns = "输入文件至少要有3列";
    table.unevenSwitchRow = kUnevenRows;
    table.wrongLeadingHeader = "第一行前3列错误";
    table.unevenRow = kUnevenRows;
    made.firstRecord = 1;
    made.lastRecord = kForceCount;
    return made;
  }();
  return layout;
}

void importForceTable(ScenarioSet& set, TableText table, TableReport report) {
  RecordTableActions actions;
  actions.columns = []() -> const ColumnDictionary& {
    weaponDictionary();  // both dictionaries are built on the first run
    return forceColumnDictionary();
  };
  actions.values = forceColumns();
  actions.firstCode = kForceRuler;
  actions.applyFirst = applyRulerCell;
  actions.unreadFirst = unreadRulerCell;
  applyRecordTable(set, table, forceTableLayout(), actions, report);
}

}  // namespace vorandel
