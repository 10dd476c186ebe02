#include "app/BatchRun.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "app/AppMessages.h"
#include "app/BatchSummary.h"
#include "app/BatchValidation.h"
#include "app/TableEncoding.h"
#include "app/TableUndo.h"
#include "model/EditError.h"
#include "model/FileOps.h"
#include "model/FileRead.h"
#include "model/GbkText.h"
#include "tables/AppliedRows.h"
#include "tables/BatchTable.h"
#include "tables/CellDetail.h"
#include "tables/CityTable.h"
#include "tables/ForceTable.h"
#include "tables/ImportWarnings.h"
#include "tables/NameList.h"
#include "tables/OfficerTable.h"
#include "tables/TableLimits.h"
#include "tables/TableMessages.h"
#include "tables/TableProblems.h"
#include "tables/TextCharacters.h"
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

// Whether every cell of the first line that is not a number is enclosed in double quotes, as a
// spreadsheet writes the line when it quotes all text cells.
bool firstLineQuoted(std::string_view text) {
  bool quoted = false;
  LineCells cells(TableLines(text).next().value_or(std::string_view()));
  while (const std::optional<std::string_view> cell = cells.next()) {
    if (cell->find_first_not_of("0123456789") == std::string_view::npos) continue;
    if (cell->size() < 2 || cell->front() != '"' || cell->back() != '"') return false;
    quoted = true;
  }
  return quoted;
}

// The first line that holds more than blanks (a name list may begin with empty lines).
std::string_view firstLineWithText(std::string_view text) {
  TableLines lines(text);
  while (const std::optional<std::string_view> line = lines.next())
    if (line->find_first_not_of(" \t\r\n") != std::string_view::npos) return *line;
  return {};
}

// Whether bytes read as GBK were saved as UTF-8 (savedAsUtf8), as far as their text goes.
bool gbkSavedAsUtf8(std::string_view bytes, TableEncoding encoding) {
  return encoding == TableEncoding::Gbk && savedAsUtf8(textBeforeEnd(bytes));
}

// A name list without a byte-order mark read as GBK that was saved as UTF-8: read as GBK its names
// would become other characters (张三 as 寮犱笁), which GBK writes without complaint.
void requireNamesNotUtf8(std::string_view bytes, const std::string& gbkText, const std::string& name,
                         TableReading reading) {
  if (!gbkSavedAsUtf8(bytes, TableEncoding::Gbk)) return;
  const std::string_view text = textBeforeEnd(bytes);
  EditError error(kNameListIsUtf8);
  error.addDetail(tableLine(name));
  const std::string asGbk = firstNonAsciiName(gbkText);
  const std::string asUtf8 = firstNonAsciiName(text);
  if (!asGbk.empty()) error.addDetail(formatMessage(kNameReadAsGbk, asGbk.c_str()));
  if (!asUtf8.empty()) error.addDetail(formatMessage(kNameReadAsUtf8, asUtf8.c_str()));
  error.addDetail(reading.commandLine ? kHintUtf8ForCommandLine : kHintUtf8ForProgram);
  throw error;
}

// The refusal of bytes that do not convert, naming the first line that does not; readsAsUtf8: the bytes
// were read as GBK and were saved as UTF-8.
[[noreturn]] void refuseUndecoded(const DecodedTable& decoded, TableEncoding encoding, TableReading reading,
                                  std::string_view name, bool readsAsUtf8) {
  EditError error(encoding == TableEncoding::Gbk    ? kTableNotGbk
                  : encoding == TableEncoding::Utf8 ? kTableNotUtf8
                                                    : kTableNotUtf16);
  if (!name.empty()) error.addDetail(tableLine(name));
  error.addDetail(formatMessage(kTableBadLine, decoded.badLine));
  // The line as far as its encoding reads it, what does not convert shown as '?'.
  const std::string shown = shortened(decoded.shownBadLine, 40);
  if (encoding == TableEncoding::Gbk)
    error.addDetail(formatMessage(kTableBadLineText, shown.c_str()));
  else
    error.addDetail(
        formatMessage(kTableBadLineAs, encoding == TableEncoding::Utf8 ? "UTF-8" : "UTF-16", shown.c_str()));
  if (readsAsUtf8) error.addDetail(reading.commandLine ? kHintUtf8ForCommandLine : kHintUtf8ForProgram);
  throw error;
}

// The pieces in which a table file's bytes become its text within their own string.
constexpr std::size_t kTablePieceSize = std::size_t{1} << 18;

// tableTextOf for bytes that are given up to their text, which is made within their string; bytes read as
// GBK that were saved as UTF-8 do not come here.
std::string tableTextWithin(std::string bytes, TableEncoding encoding, TableReading reading, std::string_view name) {
  const bool wide = encoding == TableEncoding::Utf16Le || encoding == TableEncoding::Utf16Be;
  const std::size_t end = wide ? bytes.size() : textBeforeEnd(bytes).size();
  // UTF-8 from GBK or UTF-16 is at most half as long again as its bytes: they move up to leave it room.
  const std::size_t room = encoding == TableEncoding::Utf8 ? 0 : end / 2;
  bytes.resize(room + end);
  std::memmove(bytes.data() + room, bytes.data(), end);
  DecodedTable decoded = decodeTableInPlace(bytes, room, room + end, encoding, kTablePieceSize);
  if (!decoded.text) refuseUndecoded(decoded, encoding, reading, name, false);
  std::string text = std::move(*decoded.text);
  text.resize(textBeforeEnd(text).size());
  return text;
}

// A refused cell that holds a field's value from before an earlier table of the run changed it: which
// table and row changed it, and that the row can be switched off.
void addEarlierChange(EditError& error, BatchKind kind, std::string_view text, const TableUndoCheck& earlier) {
  const ErrorContext& at = error.context();
  if (kind == BatchKind::NameList || !at.row || !at.column) return;
  std::optional<AppliedRow> row;
  forEachAppliedRow(kind, text, [&](const AppliedRow& applied) {
    if (applied.line == *at.row) row = applied;
  });
  const std::optional<RowCell> cell = cellOfRow(text, *at.row, *at.column);
  if (!row || !cell || row->scenario < 0) return;
  for (const std::string& line : earlier.earlierChange(kind, static_cast<std::size_t>(row->scenario),
                                                       static_cast<int>(row->record), cell->header, cell->cell))
    error.addDetail(line);
}

// Runs `run` for the table called name; an error it raises gets the hints from what the table's bytes
// look like (a spreadsheet's own file, comma-separated text), below the line naming the table.
template <class Run>
BatchNotes withFormatHints(const std::vector<std::string>& hints, const std::string& name, Run&& run) {
  try {
    return run();
  } catch (EditError& error) {
    if (!hints.empty() && error.details().empty()) error.addDetail(tableLine(name));
    for (const std::string& hint : hints) error.addDetail(hint);
    throw;
  }
}

// Runs a table's text and, when it fails, adds the hints that its text gives, and for bytes read as GBK
// the hint that they were saved as UTF-8, looked for in gbkBytes (empty when they are known not to be).
BatchNotes runTableText(ScenarioSet& current, BatchKind kind, const std::string& text, const std::string& name,
                        const TableReading& reading, ScenarioSet* previous, TableEncoding encoding,
                        std::string_view gbkBytes) {
  try {
    return runBatch(current, kind, TableText{text, name}, previous, reading.earlierTables);
  } catch (EditError& error) {
    if (error.details().empty()) error.addDetail(tableLine(name));
    if (reading.earlierTables != nullptr) addEarlierChange(error, kind, text, *reading.earlierTables);
    if (failsOnFirstLine(error) && firstLineQuoted(text)) error.addDetail(kHintQuotedHeader);
    if (failsOnFirstLine(error) && reading.whereKindGoes) {
      const std::optional<BatchKind> other = batchKindOfFirstLine(firstLineWithText(text));
      if (other && *other != kind)
        error.addDetail(formatMessage(kTableOfOtherKind, batchKindName(*other), reading.whereKindGoes(*other).c_str()));
    }
    if (encoding == TableEncoding::Gbk && failsOnFirstLine(error)) {
      // A table saved as UTF-8 and read as GBK fails on its header; say so when UTF-8 reads it.
      if (gbkSavedAsUtf8(gbkBytes, encoding) &&
          tableHeaderReads(current, kind, TableText{textBeforeEnd(gbkBytes), name}))
        error.addDetail(reading.commandLine ? kHintUtf8ForCommandLine : kHintUtf8ForProgram);
    }
    throw;
  }
}

// runBatchOnBytes for the bytes of a file, which it lets go of once they are text: a large table then
// never takes its bytes and its text in full at once.
BatchNotes runBatchOnFileBytes(ScenarioSet& current, BatchKind kind, std::string bytes, const std::string& name,
                               TableReading reading, ScenarioSet* previous) {
  const TableEncoding encoding = tableEncoding(bytes, reading.utf8);
  // A name list, and GBK bytes saved as UTF-8, keep their bytes to the end: their hints read them all.
  if (kind == BatchKind::NameList || gbkSavedAsUtf8(bytes, encoding))
    return runBatchOnBytes(current, kind, bytes, name, reading, previous);
  return withFormatHints(tableFormatHints(bytes), name, [&] {
    requireTableSize(kind, bytes.size(), name);
    const std::string text = tableTextWithin(std::move(bytes), encoding, reading, name);
    return runTableText(current, kind, text, name, reading, previous, encoding, {});
  });
}

}  // namespace

BatchNotes runBatch(ScenarioSet& current, BatchKind kind, TableText table, ScenarioSet* previous,
                    const TableUndoCheck* earlier) {
  requireTableSize(kind, table.bytes.size(), table.name);
  requireCellLengths(table.bytes, table.name);
  // A header that cannot be read is refused before the set is copied: the import would raise the same
  // error before changing anything, and a list of problems ends at the header.
  requireTableHeader(kind, table);
  ScenarioSet working = current;
  ImportWarnings warnings;
  if (earlier != nullptr)
    warnings.passOver([earlier, kind](std::size_t s, int record, const std::string& header, std::string_view cell) {
      return earlier->holdsValueBefore(kind, s, record, header, cell);
    });
  try {
    importTable(working, kind, table, warnings);
  } catch (EditError& error) {
    // The first problem stays what it is; every cell that cannot be read is listed after it. The listing
    // starts again from the current set, in the storage of the working copy, which is not needed any more.
    ProblemList problems;
    listTableProblems(current, kind, table, problems, &working);
    if (problems.count() != 0) error.setProblems(problems.lines());
    throw;
  }
  validateBatchResult(working, kind, table.bytes);
  if (previous != nullptr) *previous = std::move(current);
  current = std::move(working);
  BatchNotes notes{warnings.lines(), warnings.rowsSwitchedOff(), {}};
  forEachAppliedRow(kind, table.bytes, [&notes](const AppliedRow& row) { notes.rows.push_back(row); });
  return notes;
}

BatchNotes runBatch(ScenarioSet& current, BatchKind kind, const std::string& path, TableReading reading,
                    ScenarioSet* previous) {
  const std::string reason = unreadableReason(path);
  if (!reason.empty()) {
    EditError error(kind == BatchKind::NameList ? "Failed to open file to read." : "cannot open file to read");
    error.addDetail(tableLine(path));
    error.addDetail(reason);
    throw error;
  }
  // A file far larger than any table of its kind is refused after reading no more than that. The string
  // of a table's bytes leaves room for its text, which is made within it; a name list keeps its bytes.
  const bool roomForText = kind != BatchKind::NameList;
  return runBatchOnFileBytes(current, kind, readFileUpTo(path, tableByteLimit(kind), roomForText), path, reading,
                             previous);
}

BatchNotes runBatchOnBytes(ScenarioSet& current, BatchKind kind, std::string_view bytes, const std::string& name,
                           TableReading reading, ScenarioSet* previous) {
  return withFormatHints(tableFormatHints(bytes), name, [&] {
    requireTableSize(kind, bytes.size(), name);
    const TableEncoding encoding = tableEncoding(bytes, reading.utf8);
    const std::string text = tableTextOf(bytes, reading, name);
    if (kind == BatchKind::NameList && encoding == TableEncoding::Gbk) requireNamesNotUtf8(bytes, text, name, reading);
    return runTableText(current, kind, text, name, reading, previous, encoding, bytes);
  });
}

std::string tableTextOf(std::string_view bytes, TableReading reading, std::string_view name) {
  const TableEncoding encoding = tableEncoding(bytes, reading.utf8);
  const bool wide = encoding == TableEncoding::Utf16Le || encoding == TableEncoding::Utf16Be;
  // A Ctrl-Z ends the text; in GBK and UTF-8 it is never part of a character, so what follows it is not
  // decoded at all.
  DecodedTable decoded = decodeTable(wide ? bytes : textBeforeEnd(bytes), encoding);
  if (!decoded.text) refuseUndecoded(decoded, encoding, reading, name, gbkSavedAsUtf8(bytes, encoding));
  std::string text = std::move(*decoded.text);
  text.resize(textBeforeEnd(text).size());
  return text;
}

}  // namespace vorandel
