#pragma once
// The row action that the force table and the city table share, on the walker of tables with a header
// row and a switch row. Each data line holds the scenario number, the record number, possibly further
// leading cells, the row switch (cell K-1), and then one value per value column. Each switched-on value
// cell of an applied row is unquoted and read by its column, left to right.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "model/CellError.h"
#include "model/ScenarioSet.h"
#include "tables/ColumnDictionary.h"
#include "tables/ColumnInfo.h"
#include "tables/RecordColumn.h"
#include "tables/TableReport.h"
#include "tables/TableText.h"
#include "tables/TableWalker.h"

namespace vorandel {

struct RecordTableLayout {
  TableLayout table;    // the leading cells: scenario number, record number, ..., row switch (cell K-1)
  int firstRecord = 1;  // range of the record number in cell 1
  int lastRecord = 1;
};

struct RecordTableActions {
  // The value columns' dictionary; called once the leading header has been checked.
  std::function<const ColumnDictionary&()> columns;
  // Reads what the table keeps in the switch row's leading cells, after the switches have been read. A bad
  // cell there is reported at `at`: the last value switch, or the row's last leading cell when the table
  // has no value columns.
  std::function<void(const std::vector<std::string_view>& switchCells, CellPosition at)> readSwitchRow;
  // The value columns, by code: what each holds, and how its unquoted cell is read into a record.
  std::span<const RecordColumn> values;
  // Whether the table's settings (read from the switch row) take a switched-on column; all when empty.
  std::function<bool(const RecordColumn& column)> takes;
  // The value column, by its code, that each applied row applies before its other value columns, with
  // the whole set at hand (it changes who rules what); -1 for none. It gives true when its cell made the
  // record anew (founded a force): then the row applies every other value cell the table has and its
  // settings take, switched on or not, so that the new record takes the row's values.
  int firstCode = -1;
  std::function<bool(ScenarioSet& set, std::size_t s, int record, std::string_view cell)> applyFirst;
  // The warning for the first column's cell when it changed nothing although the player may have meant
  // a change by it (a name where the column wants a number), told with the row; null when there is none.
  std::function<const char*(const Scenario& scenario, int record, std::string_view cell)> unreadFirst;
  // Runs after the value cells of every applied row.
  std::function<void(Scenario& scenario, int record)> finishRow;
};

// Applies the rows of the table to the set in file order. Raises an EditError on the first problem; the
// rows before it stay applied. The report, when given, gathers warnings, or lists every bad cell instead
// of raising at the first.
void applyRecordTable(ScenarioSet& set, TableText table, const RecordTableLayout& layout,
                      const RecordTableActions& actions, TableReport report = {});

}  // namespace vorandel
