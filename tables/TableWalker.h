#pragma once
// The one reader of the tables with a header row and a switch row (the officer, city and force tables).
// Line 0 holds K leading header cells and then the names of the value columns; line 1 switches each value
// column on or off and keeps the table's own settings in its leading cells; every further line is a data
// row with as many cells as the header. The walker reads the two header lines once, then splits each data
// row, checks its width and hands it to the kind's own row action. A bad cell is met one way in both
// modes of an import: raised at the first, or, when the import only lists, noted and the walk goes on.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/CellError.h"
#include "model/EditError.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/ProblemReporting.h"
#include "tables/TableHeader.h"
#include "tables/TableReport.h"
#include "tables/TableText.h"

namespace vorandel {

// What sets a kind's layout apart: its leading cells, and the messages about its shape as they have
// always read for that kind.
struct TableLayout {
  std::size_t leadingColumns = 0;          // K: the cells before the first value column
  const char* leadingHeader = "";          // the first K header cells joined with one blank
  std::size_t switchCell = 0;              // the leading cell that switches a data row off with 0
  std::size_t fewestColumns = 0;           // header cells at least
  std::size_t mostColumns = SIZE_MAX - 1;  // header cells at most
  const char* tooFewLines = "";
  const char* tooFewColumns = "";
  const char* tooManyColumns = "";
  const char* unevenSwitchRow = "";  // the switch row's width differs from the header's
  const char* wrongLeadingHeader = "";
  bool wrongLeadingHeaderAtCell = false;  // the message begins with the place of cell A1
  const char* unevenRow = "";             // a data row's width differs from the header's
  bool unevenRowAtCell = false;           // the message begins with the place of the row's first cell
};

// A value column as the header and the switch row give it: two bytes, so that a header of very many
// columns costs less memory than its text.
struct ValueColumn {
  std::uint8_t code = 0;
  bool on = false;
};

// A data row of the header's width: its 0-based line and its cells, views into the table's text that
// last until the next row.
struct WalkedRow {
  std::uint32_t line = 0;
  std::span<const std::string_view> cells;
};

// Where a failed step of a row is told: the position the message names, and the cell really at fault.
struct FaultPlace {
  CellPosition written;
  CellSubject subject;
};

// Whether a row switch cell switches its row off: one or more zeros, quoted or not.
bool isSwitchedOff(std::string_view cell);

class TableWalker {
 public:
  TableWalker(TableText table, const TableLayout& layout, TableReport report);

  // Reads the header and the switch row: the width, the leading header cells and the value columns.
  // Raises an EditError on a header the kind cannot read.
  void readHeader(const ValueColumns& columns);

  // Takes the header's width only, checking nothing, for a walk that looks at the rows' leading cells
  // alone; false when the table has fewer than two lines or fewer cells than the leading ones.
  bool takeWidth();

  // Leading cell j of the switch row.
  std::string_view switchRowCell(std::size_t j) const { return switchCells_[j]; }
  // The value columns in file order; column k stands in cell K + k.
  const std::vector<ValueColumn>& columns() const { return columns_; }
  std::size_t width() const { return width_; }
  // Header cell j, for messages.
  std::string_view headerCell(std::size_t j) const;

  // Hands every data row of the header's width to `action` in file order; a row of another width is
  // raised, or noted and passed over.
  template <class RowAction>
  void walkRows(RowAction&& action) {
    std::uint32_t line = 1;
    while (const std::optional<std::string_view> text = lines_.next()) {
      ++line;
      // Splitting stops at one cell too many, however long the line.
      if (splitCellsInto(*text, cells_) != width_) {
        unevenRow(line, *text);
        continue;
      }
      if (report_.warnings != nullptr && isSwitchedOff(cells_[layout_.switchCell])) report_.warnings->rowSwitchedOff();
      action(WalkedRow{line, std::span<const std::string_view>(cells_.data(), width_)});
    }
  }

  // Runs one step of a row. A CellFault it raises is raised again at place().written with the details
  // of place().subject, or, when listing, noted; false when it was noted. `place` is asked only then.
  template <class Step, class Place>
  bool read(Step&& step, Place&& place) {
    try {
      step();
      return true;
    } catch (const CellFault& fault) {
      const FaultPlace at = place();
      reporting_.noteOrRaise([&] { return problemLine(at.subject, fault); },
                             [&] { raiseCellFault(table_.name, at.written, at.subject, fault); });
      return false;
    }
  }

  ProblemReporting& reporting() { return reporting_; }
  bool listing() const { return reporting_.listing(); }
  ImportWarnings* warnings() const { return report_.warnings; }
  void warnRow(const std::string& what, std::uint32_t line) const;
  TableText table() const { return table_; }
  // The line naming the table, or nothing when it has no name: the first of an error's details.
  Message tableDetails() const;

 private:
  void unevenRow(std::uint32_t line, std::string_view text);
  // What a row of `count` cells, fewer than the header's, left out: nothing at all, the column of its
  // first empty cell, an empty cell somewhere; empty when it shows no empty cell.
  std::string shortRowText(std::string_view text, std::size_t count) const;
  // Whether the cell fits column j, as far as the column's description tells.
  bool fitsColumn(std::size_t j, std::string_view cell) const;
  [[noreturn]] void raise(const char* text, const std::string& detail) const;

  TableText table_;
  const TableLayout& layout_;
  TableReport report_;
  ProblemReporting reporting_;
  TableLines lines_;
  std::string_view headerLine_;
  std::size_t width_ = 0;
  std::vector<std::string_view> switchCells_;  // the switch row's leading cells
  std::vector<ValueColumn> columns_;
  std::function<const ColumnInfo&(int code)> describe_;  // what a value column holds, by its code
  std::vector<std::string_view> cells_;  // the row being walked, with room for one cell too many
};

}  // namespace vorandel
