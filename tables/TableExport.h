#pragma once
// The current data as batch tables, ready to edit in a spreadsheet and to apply again: each table is
// written in exactly the form that the batch of its kind reads (UTF-8 here, GBK or UTF-8 in the file; cells separated
// by tabs, CRLF line ends), so that applying an unedited table changes no byte of the scenarios.
//
// A record holding a value that its table cannot express, or that the importer would change on the
// way in (a value out of the column's range, a name with a blank, a non-ruler with several duties, a
// strategist below the strategist's minimums ...), is written with its row switched off (设置 0), so the
// table leaves it exactly as it is; every such record gets one problem text naming what is in the way.
#include <cstddef>
#include <string>
#include <vector>

#include "model/ScenarioSet.h"
#include "tables/TableKind.h"

namespace vorandel {

// The value columns an exported table switches on, by their headers; when empty, every column but the
// shown ones. The others are written switched off, so the table changes only what it switches on.
using ExportColumns = std::vector<std::string>;

// The headers of the kind's value columns that an export can switch on (all but the shown ones), in
// the table's order; none for the name list.
std::vector<std::string> exportableColumns(BatchKind kind);

struct ExportedTable {
  std::string text;                   // the table file's bytes
  std::vector<std::string> problems;  // one text per record that the table leaves untouched
};

// The officer table: the five key columns and the 49 value columns, every one switched on, with
// releaseEmptyCity 1; one row per officer of each scenario asked for (all when the list is empty), in
// row mode 1. 编号 is the waiting officer's order key, and for an officer on the map his officer
// number (the order key that a loaded waiting officer has as well).
ExportedTable exportOfficerTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios,
                                 const ExportColumns& columns = {});

// The force table: 声望, 金钱, 粮食 and 科技 of every force slot in use.
ExportedTable exportForceTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios,
                               const ExportColumns& columns = {});

// The city table: all 22 columns, with cityOptions 28 (terrain, map positions and neighbours applied,
// the first scenario's geography copied to the others). When some scenario's geography differs from
// the first scenario's, cityOptions is 60 instead, so that no copying undoes it; each such city is
// named among the problems.
ExportedTable exportCityTable(const ScenarioSet& set, const std::vector<std::size_t>& scenarios,
                              const ExportColumns& columns = {});

// The name list: a W line for every officer id, a C line for every city. A name applies to every
// scenario, so an id or city whose name differs between scenarios gets no line.
ExportedTable exportNameList(const ScenarioSet& set);

// The table of the kind; the name list ignores the scenario list and the columns.
ExportedTable exportTable(const ScenarioSet& set, BatchKind kind, const std::vector<std::size_t>& scenarios,
                          const ExportColumns& columns = {});

}  // namespace vorandel
