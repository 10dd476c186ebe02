#include "tables/RecordTable.h"

#include <utility>

#include "model/CellError.h"
#include "tables/CellParsers.h"
#include "tables/SwitchedOffCells.h"
#include "tables/TableMessages.h"
#include "tables/TableWalker.h"

namespace vorandel {

void applyRecordTable(ScenarioSet& set, TableText table, const RecordTableLayout& layout,
                      const RecordTableActions& actions, TableReport report) {
  TableWalker walker(table, layout.table, report);
  walker.readHeader(
      {&actions.columns(),
       [&actions](int code) -> const ColumnInfo& { return actions.values[static_cast<std::size_t>(code)].info; },
       report.warnings});
  const std::size_t leading = layout.table.leadingColumns;
  if (actions.readSwitchRow) {
    std::vector<std::string_view> switchCells;
    for (std::size_t j = 0; j < leading; ++j) switchCells.push_back(walker.switchRowCell(j));
    actions.readSwitchRow(switchCells, {1, static_cast<std::uint32_t>(walker.width() - 1)});
  }
  if (report.headerOnly) return;
  const std::vector<ValueColumn>& columns = walker.columns();
  const std::size_t width = walker.width();

  // The cells each applied row applies: those of the column that changes who rules what first, then
  // the others that are switched on and taken by the table's settings, each in file order. A row whose
  // first cell made its record anew applies the others that are taken whether switched on or not.
  struct AppliedCell {
    std::size_t j;
    const RecordColumn* column;
  };
  std::vector<std::size_t> firstCells;
  std::vector<AppliedCell> applied;
  std::vector<AppliedCell> inTable;
  // The switched-off cells whose values are compared with the data's, and whether a row that made its
  // record anew applies them.
  struct OffCell {
    std::size_t j;
    const RecordColumn* column;
    bool appliedToNew;
  };
  std::vector<OffCell> switchedOff;
  for (std::size_t j = leading; j < width; ++j) {
    const ValueColumn& value = columns[j - leading];
    const RecordColumn& column = actions.values[value.code];
    const bool taken = value.code != actions.firstCode && (!actions.takes || actions.takes(column));
    if (!value.on && column.write && column.info.form != CellForm::Shown && report.warnings != nullptr)
      switchedOff.push_back({j, &column, taken});
    if (value.code == actions.firstCode) {
      if (value.on) firstCells.push_back(j);
    } else if (taken) {
      inTable.push_back({j, &column});
      if (value.on) applied.push_back({j, &column});
    }
  }

  // What the leading cells hold, for the messages about them.
  const std::vector<std::string_view> leadingHeaders = splitCells(layout.table.leadingHeader);
  const ColumnInfo scenarioInfo{"", CellForm::Number, ColumnRange{0, kMaxScenarios}, nullptr};
  const ColumnInfo recordInfo{"", CellForm::Number, ColumnRange{layout.firstRecord, layout.lastRecord}, nullptr};
  const ColumnInfo switchInfo{"", CellForm::Switch, ColumnRange{0, 1}, nullptr};

  std::string unquoted;  // the value of a quoted cell
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
      walker.warnRow(formatMessage(kScenarioBeyondSet, set.scenarioCount() - 1), r);
      return;
    }
    if (!walker.read([&] { record = parseRanged(row.cells[1], layout.firstRecord, layout.lastRecord, 10); },
                     leadingCell(1, recordInfo)))
      return;

    Scenario& scenario = set.scenario(s);
    const auto applyValue = [&](std::size_t j, const auto& apply) {
      const std::string_view cell = row.cells[j];
      const std::string_view value = unquotedCell(cell, unquoted);
      walker.read([&] { apply(value); },
                  [&] {
                    const CellPosition at{r, static_cast<std::uint32_t>(j)};
                    const ColumnInfo& info = actions.values[columns[j - leading].code].info;
                    return FaultPlace{at, {at, info.header, cell, &info}};
                  });
    };
    // The data's values of the switched-off cells, before the row changes them.
    std::vector<std::pair<const OffCell*, std::string>> offValues;
    for (const OffCell& off : switchedOff) offValues.emplace_back(&off, off.column->write(scenario, record));
    bool made = false;
    for (const std::size_t j : firstCells)
      applyValue(j, [&](std::string_view value) {
        made = actions.applyFirst(set, s, record, value) || made;
        if (const char* unread = actions.unreadFirst ? actions.unreadFirst(scenario, record, value) : nullptr)
          walker.warnRow(unread, r);
      });
    // Number cells go straight into their record, which is found once for the row and the part of the
    // scenario that holds it (the cells before cannot move it: records stay where the block holds them).
    std::uint8_t* (*foundPart)(Scenario&, int) = nullptr;
    std::uint8_t* found = nullptr;
    for (const AppliedCell& cell : made ? inTable : applied) {
      if (const std::optional<NumberField>& number = cell.column->number) {
        if (number->record != foundPart) {
          foundPart = number->record;
          found = foundPart(scenario, record);
        }
        const ColumnRange range = *cell.column->info.range;
        applyValue(cell.j, [&](std::string_view value) { readNumberInto(number->place, range, found, value); });
      } else {
        applyValue(cell.j, [&](std::string_view value) { cell.column->read(scenario, record, value); });
      }
    }
    for (const auto& [off, written] : offValues)
      if (!made || !off->appliedToNew)
        noteSwitchedOffCell(
            *report.warnings,
            {{r, static_cast<std::uint32_t>(off->j)}, off->column->info, row.cells[off->j], written, s, record});
    if (actions.finishRow) actions.finishRow(scenario, record);
  });
}

}  // namespace vorandel
