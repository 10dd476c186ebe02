#include "app/BatchRun.h"

#include <cstdint>
#include <optional>

#include "app/AppMessages.h"
#include "app/BatchSummary.h"
#include "app/BatchValidation.h"
#include "app/TableEncoding.h"
#include "model/EditError.h"
#include "model/FileOps.h"
#include "model/FileRead.h"
#include "model/GbkText.h"
#include "tables/CellDetail.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/ImportWarnings.h"
#include "tables/NameList.h"
#include "tables/OfficerTable.h"
#include "tables/TableLimits.h"
#include "tables/TableProblems.h"
#include "tables/TextFile.h"

namespace vorandel {

namespace {

void importTable(ScenarioSet& working, BatchKind kind, TableText table, ImportWarnings& warnings) {
  switch (kind) {
    case BatchKind::NameList: importNameList(working, table, &warnings); break;
    case BatchKind::OfficerTable: importOfficerTable(working, table, &warnings); break;
    case BatchKind::ForceTable: importForceTable(working, table, TableReport{&warnings, nullptr}); break;
    case BatchKind::CityTable: importCityTable(working, table, TableReport{&warnings, nullptr}); break;
  }
}

// Whether the error concerns the table's first line (or the table as a whole, before any row).
bool failsOnFirstLine(const EditError& error) { return !error.context().row || *error.context().row == 0; }

}  // namespace

BatchNotes runBatch(ScenarioSet& current, BatchKind kind, TableText table) {
  requireTableSize(kind, table.bytes.size(), table.name);
  requireCellLengths(table.bytes, table.name);
  ScenarioSet working = current;
  ImportWarnings warnings;
  try {
    importTable(working, kind, table, warnings);
  } catch (EditError& error) {
    // The first problem stays what it is; every cell that cannot be read is listed after it.
    ProblemList problems;
    listTableProblems(current, kind, table, problems);
    if (problems.count() != 0) error.setProblems(problems.lines());
    throw;
  }
  validateBatchResult(working, kind, table.bytes);
  current = std::move(working);
  return BatchNotes{warnings.lines(), skippedRows(kind, table.bytes)};
}

BatchNotes runBatch(ScenarioSet& current, BatchKind kind, const std::string& path, TableReading reading) {
  const std::string reason = unreadableReason(path);
  if (!reason.empty()) {
    EditError error(kind == BatchKind::NameList ? "Failed to open file to read." : "cannot open file to read");
    error.addDetail(tableLine(path));
    error.addDetail(reason);
    throw error;
  }
  // A file far larger than any table of its kind is refused after reading no more than that.
  const std::string bytes = readFileUpTo(path, tableByteLimit(kind));
  requireTableSize(kind, bytes.size(), path);
  const TableEncoding encoding = tableEncoding(bytes, reading.utf8);
  const std::string text = tableTextOf(bytes, reading, path);
  try {
    return runBatch(current, kind, TableText{text, path});
  } catch (EditError& error) {
    if (error.details().empty()) error.addDetail(tableLine(path));
    for (const std::string& hint : tableFormatHints(bytes)) error.addDetail(hint);
    if (encoding == TableEncoding::Gbk && failsOnFirstLine(error)) {
      // A table saved as UTF-8 and read as GBK fails on its header; say so when UTF-8 reads it.
      if (isUtf8(bytes) && !isAscii(bytes)) {
        ScenarioSet trial = current;
        try {
          runBatch(trial, kind, TableText{textBeforeEnd(bytes), path});
          error.addDetail(reading.commandLine ? kHintUtf8ForCommandLine : kHintUtf8ForProgram);
        } catch (const EditError&) {
          // Not a table in UTF-8 either: no hint.
        }
      }
    }
    throw;
  }
}

std::string tableTextOf(std::string_view bytes, TableReading reading, std::string_view name) {
  const TableEncoding encoding = tableEncoding(bytes, reading.utf8);
  const bool wide = encoding == TableEncoding::Utf16Le || encoding == TableEncoding::Utf16Be;
  // A Ctrl-Z ends the text; in GBK and UTF-8 it is never part of a character, so what follows it is not
  // decoded at all.
  const DecodedTable decoded = decodeTable(wide ? bytes : textBeforeEnd(bytes), encoding);
  if (!decoded.text) {
    EditError error(encoding == TableEncoding::Gbk    ? kTableNotGbk
                    : encoding == TableEncoding::Utf8 ? kTableNotUtf8
                                                      : kTableNotUtf16);
    if (!name.empty()) error.addDetail(tableLine(name));
    error.addDetail(formatMessage(kTableBadLine, decoded.badLine));
    if (encoding == TableEncoding::Gbk && isUtf8(bytes))
      error.addDetail(reading.commandLine ? kHintUtf8ForCommandLine : kHintUtf8ForProgram);
    throw error;
  }
  return std::string(textBeforeEnd(*decoded.text));
}

}  // namespace vorandel
