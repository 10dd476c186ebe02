#pragma once
// The value columns of a table with a header row and a switch row, read the same way for every such
// table: each header cell after the key cells is looked up among the table's columns, each switch cell
// below it must be 0 or 1. What the key cells must be, and the counts of cells, each table kind checks
// with its own messages before.
#include <cstddef>
#include <functional>
#include <string_view>

#include "tables/ColumnDictionary.h"
#include "tables/ColumnInfo.h"
#include "tables/ImportWarnings.h"
#include "tables/TableText.h"

namespace vorandel {

struct HeaderRows {
  TableText table;
  std::string_view header;    // the first line
  std::string_view switches;  // the second line, with as many cells as the first
  std::size_t keyCells = 0;   // the cells before the first value column
};

struct ValueColumns {
  const ColumnDictionary* names = nullptr;              // the value columns' headers, giving their codes
  std::function<const ColumnInfo&(int code)> describe;  // what the column of a code holds
  ImportWarnings* warnings = nullptr;                   // where a column named twice or a switched-on
                                                        // column shown only is noted; may be null
};

// Calls `column` for each value column in file order with its cell index, code and switch. A header
// that is not a column's name raises the cell error at the first line, a switch other than 0 or 1 at
// the second, each with the details of its cell.
void readValueColumns(const HeaderRows& rows, const ValueColumns& columns,
                      const std::function<void(std::size_t cell, int code, bool on)>& column);

}  // namespace vorandel
