#pragma once
// The 49 value columns of the officer table, each described once: its header, what its cells hold, how
// a row reads the cell, how the exporter writes the officer's value, and whether that value can go
// through the cell unchanged. The importer, the exporter and the exporter's checks read this list; the
// steps that place officers and the rules that finish a row stay code of their own.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tables/ColumnDictionary.h"
#include "tables/ColumnInfo.h"
#include "tables/FieldPlace.h"
#include "tables/OfficerAt.h"
#include "tables/OfficerTableRow.h"

namespace vorandel {

// Which of an officer's two records holds a field.
enum class OfficerRecord { State, Profile };

// Where a number column keeps its value: the record, and the place in it.
struct OfficerField {
  OfficerRecord record = OfficerRecord::State;
  FieldPlace place;
};

struct OfficerColumnSpec {
  ColumnInfo info;
  // Set for a number column: its cells are read through readNumberInto, with info.range, into the row's
  // officer's record; `read` is then empty.
  std::optional<OfficerField> number;
  // Parses the unquoted cell and applies it to the row's officer; a bad cell raises a CellFault.
  std::function<void(OfficerImport& import, OfficerRow& row, std::string_view cell)> read;
  // The officer's value as the cell that reads it back (or, for a shown column, what it shows).
  std::function<std::string(const OfficerAt& officer)> write;
  // Whether the stored value lies within what the cell accepts; empty for columns that accept every
  // value the record can hold, or whose limits depend on other columns (checked with the row's rules).
  std::function<bool(const OfficerAt& officer)> carries;
  // Whether reading the cell runs the placement steps (moving officers between cities, lists and item
  // holders). Those change links, not where the records lie; the row still looks its records up again
  // after them, so that a step that one day moves a record cannot leave it writing to another officer.
  bool movesOfficers = false;
};

// The value columns by column id (OfficerColumn).
std::span<const OfficerColumnSpec> officerColumns();

// The 49 value-column headers of the officer table; a column's code is its id, and a row applies its
// columns in ascending id whatever their order in the file. Built on first use, kept until exit.
const ColumnDictionary& officerColumnTable();

}  // namespace vorandel
