#pragma once
// Running one batch table as a whole: the table is applied to a working copy of the current set, and
// only when all of it succeeded does the copy become the current set. Any error leaves the current set
// exactly as it was.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/ScenarioSet.h"
#include "tables/AppliedRows.h"
#include "tables/TableKind.h"
#include "tables/TableText.h"

namespace vorandel {

class TableUndoCheck;

// What a batch that succeeded has to tell: the warnings of its import, one line each, the count of its
// data rows switched off, and the rows it applied (for the messages of later tables of the run).
struct BatchNotes {
  std::vector<std::string> warnings;
  std::size_t skipped = 0;
  std::vector<AppliedRow> rows;
};

// How a table file is read.
struct TableReading {
  TableReading(bool asUtf8 = false, bool onCommandLine = false,  // NOLINT: read as {utf8, commandLine}
               std::function<std::string(BatchKind)> where = {})
      : utf8(asUtf8), commandLine(onCommandLine), whereKindGoes(std::move(where)) {}

  bool utf8 = false;         // a table without a byte-order mark is UTF-8 rather than GBK
  bool commandLine = false;  // hints may name the command line's options
  // Where the player gives a table of each kind ("选项 --city", "主窗口的「修改城市信息」按钮"): a
  // table whose first line is that of another kind is told so, with where it goes. None: not told.
  std::function<std::string(BatchKind)> whereKindGoes;
  // The run's tables before this one: a cell refused although it holds a value from before one of them
  // changed it is told which table and row changed it. None: not told.
  const TableUndoCheck* earlierTables = nullptr;
};

// Applies the table to a copy of current and commits the copy; the copy must also pass the validator
// over every scenario first, whatever the table's kind. Raises the EditError of the first problem, with current
// untouched; an error of the import lists every cell of the table that cannot be read as its problems.
// `previous`, when given, receives the set as it was before the batch (moved there, not copied).
// `earlier`, when given, holds the run's tables before this one: switched-off cells that hold a value
// from before one of them changed the field are not told as edits left unwritten.
BatchNotes runBatch(ScenarioSet& current, BatchKind kind, TableText table, ScenarioSet* previous = nullptr,
                    const TableUndoCheck* earlier = nullptr);

// Reads the table file at path and runs it. A byte-order mark says how the file is encoded (UTF-8 or
// UTF-16); without one it is GBK, or UTF-8 when reading says so. A file that cannot be opened raises the
// kind's own message ("Failed to open file to read." for the name list, "cannot open file to read" for
// the others) with the system's reason below. A table that fails gets hints when it looks like a
// spreadsheet's own file, comma-separated text or UTF-8 text read as GBK.
BatchNotes runBatch(ScenarioSet& current, BatchKind kind, const std::string& path, TableReading reading = {},
                    ScenarioSet* previous = nullptr);

// Runs a table's bytes as runBatch with a path does once it has read the file: the same encodings,
// refusals and hints, for a table read from elsewhere (standard input); name is what messages call it.
BatchNotes runBatchOnBytes(ScenarioSet& current, BatchKind kind, std::string_view bytes, const std::string& name,
                           TableReading reading = {}, ScenarioSet* previous = nullptr);

// A table file's bytes as the text the importers read: UTF-8, without a byte-order mark, ending before
// any Ctrl-Z. The mark says how the bytes are encoded (UTF-8 or UTF-16); without one they are GBK, or
// UTF-8 when reading says so. Bytes that are not text of their encoding raise an EditError that names
// the table (as name) and the first line that does not convert.
std::string tableTextOf(std::string_view bytes, TableReading reading, std::string_view name);

}  // namespace vorandel
