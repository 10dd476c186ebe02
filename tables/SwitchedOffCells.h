#pragma once
// A switched-off column is read by no row (but those that make their record anew); a cell in it that
// holds another value than the data was most likely edited by the player, who expects it written. The
// importers tell such cells, comparing each with the cell the exporter writes for the data.
#include <cstddef>
#include <string_view>

#include "model/CellError.h"
#include "tables/ColumnInfo.h"
#include "tables/ImportWarnings.h"

namespace vorandel {

// Whether the cell (quoted or not) stands for the value that `written`, the exporter's cell for the
// data, stands for: the same text, or in a number column the same number.
bool cellHoldsValue(const ColumnInfo& info, std::string_view cell, std::string_view written);

// A switched-off cell of a row: its place, what its column holds, the cell, the exporter's cell for the
// data, and the scenario and record number (an officer's id) of its row.
struct SwitchedOffCell {
  CellPosition at;
  const ColumnInfo& info;
  std::string_view cell;
  std::string_view written;
  std::size_t scenario = 0;
  int record = 0;
};

// Notes the cell when it holds a value that is not the data's and that the warnings do not pass over. An
// empty cell and "-" (the exporter's cell for nothing) hold none; nor do the cells of shown columns.
void noteSwitchedOffCell(ImportWarnings& warnings, const SwitchedOffCell& off);

}  // namespace vorandel
