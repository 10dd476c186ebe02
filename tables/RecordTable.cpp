#include "tables/RecordTable.h"

#include "model/CellError.h"
#include "tables/CellParsers.h"
#include "tables/TableWalker.h"

namespace vorandel {

void applyRecordTable(ScenarioSet& set, TableText table, const RecordTableLayout& layout,
                      const RecordTableActions& actions, TableReport report) {
  TableWalker walker(table, layout.table, report);
  walker.readHeader({&actions.columns(), actions.describe, report.warnings});
  const std::size_t leading = layout.table.leadingColumns;
  if (actions.readSwitchRow) {
    std::vector<std::string_view> switchCells;
    for (std::size_t j = 0; j < leading; ++j) switchCells.push_back(walker.switchRowCell(j));
    actions.readSwitchRow(switchCells, {1, static_cast<std::uint32_t>(walker.width() - 1)});
  }
  if (report.headerOnly) return;
  const std::vector<ValueColumn>& columns = walker.columns();
  const std::size_t width = walker.width();

  // What the leading cells hold, for the messages about them.
  const std::vector<std::string_view> leadingHeaders = splitCells(layout.table.leadingHeader);
  const ColumnInfo scenarioInfo{"", CellForm::Number, ColumnRange{0, kMaxScenarios}, nullptr};
  const ColumnInfo recordInfo{"", CellForm::Number, ColumnRange{layout.firstRecord, layout.lastRecord}, nullptr};
  const ColumnInfo switchInfo{"", CellForm::Switch, ColumnRange{0, 1}, nullptr};

  walker.walkRows([&](const WalkedRow& row) {
    const std::uint32_t r = row.line;
    // Errors in the leading cells name the row's first cell.
    const auto leadingCell = [&](std::size_t j, const ColumnInfo& info) {
      return [&, j] {
        const CellPosition at{r, static_cast<std::uint32_t>(j)};
        return FaultPlace{{r, 0}, {at, leadingHeaders[j], row.cells[j], &info}};
      };
    };
    bool on = false;
    int scenarioNumber = 0;
    int record = 0;
    const std::size_t switchCell = layout.table.switchCell;
    if (!walker.read([&] { on = parseSwitch(row.cells[switchCell]); }, leadingCell(switchCell, switchInfo)) || !on)
      return;
    if (!walker.read([&] { scenarioNumber = parseBounded(row.cells[0], kMaxScenarios); }, leadingCell(0, scenarioInfo)))
      return;
    const auto s = static_cast<std::size_t>(scenarioNumber);
    if (s >= set.scenarioCount()) {
      walker.warnRow(formatMessage("剧本编号不在 0–%zu 之内的行没有改变任何数据", set.scenarioCount() - 1), r);
      return;
    }
    if (!walker.read([&] { record = parseRanged(row.cells[1], layout.firstRecord, layout.lastRecord, 10); },
                     leadingCell(1, recordInfo)))
      return;

    Scenario& scenario = set.scenario(s);
    std::string unquoted;  // the value of a quoted cell
    const auto applyValue = [&](std::size_t j, bool first) {
      const ValueColumn& column = columns[j - leading];
      if (!column.on || (column.code == actions.firstCode) != first) return;
      const std::string_view cell = row.cells[j];
      const std::string_view value = unquotedCell(cell, unquoted);
      walker.read(
          [&] {
            if (first)
              actions.applyFirst(set, s, record, value);
            else
              actions.applyCell(scenario, record, column.code, value);
          },
          [&] {
            const CellPosition at{r, static_cast<std::uint32_t>(j)};
            const ColumnInfo* info = actions.describe ? &actions.describe(column.code) : nullptr;
            return FaultPlace{at, {at, info != nullptr ? info->header : "", cell, info}};
          });
    };
    // The column that changes who rules what comes before the row's other columns.
    if (actions.firstCode >= 0)
      for (std::size_t j = leading; j < width; ++j) applyValue(j, true);
    for (std::size_t j = leading; j < width; ++j) applyValue(j, false);
    if (actions.finishRow) actions.finishRow(scenario, record);
  });
}

}  // namespace vorandel
