#pragma once
// The rows a table applies, as far as their leading cells tell without reading the rest: what lets a
// message about the set after an import point back at the row of the table that made it.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tables/TableKind.h"

namespace vorandel {

// A data row that is switched on: its 0-based line, its scenario and its record number (a city's or a
// force's number, an officer's id).
struct AppliedRow {
  std::uint32_t line = 0;
  long long scenario = 0;
  long long record = 0;
};

// Calls `row` in file order for each data row of a table of the kind (not the name list) whose switch
// cell is a number other than 0 and whose scenario and record cells are numbers; a row of another width
// than the header's is passed over. Raises nothing.
void forEachAppliedRow(BatchKind kind, std::string_view text, const std::function<void(const AppliedRow&)>& row);

// A cell of a data row with its column's header, both unquoted.
struct RowCell {
  std::string header;
  std::string cell;
};

// The cell of the 0-based line and column, with the header cell above it; nothing when either is missing.
std::optional<RowCell> cellOfRow(std::string_view text, std::uint32_t line, std::uint32_t column);

// Whether the table's header row names the column.
bool headerNamesColumn(std::string_view text, std::string_view column);

}  // namespace vorandel
