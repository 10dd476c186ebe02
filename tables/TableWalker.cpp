#include "tables/TableWalker.h"

#include <algorithm>
#include <optional>

#include "tables/CellParsers.h"
#include "tables/TableMessages.h"

namespace vorandel {

TableWalker::TableWalker(TableText table, const TableLayout& layout, TableReport report)
    : table_(table), layout_(layout), report_(report), reporting_(report.problems), lines_(table.bytes) {}

Message TableWalker::tableDetails() const { return table_.name.empty() ? Message() : tableLine(table_.name); }

void TableWalker::raise(const char* text, const std::string& detail) const {
  EditError error(text);
  error.addDetail(tableDetails().textLine(detail));
  throw error;
}

void TableWalker::readHeader(const ValueColumns& columns) {
  const std::optional<std::string_view> headerLine = lines_.next();
  const std::optional<std::string_view> switchLine = lines_.next();
  if (!switchLine) {
    // A table whose lines end in a carriage return alone reads as one line.
    const std::string_view line = headerLine.value_or(std::string_view());
    const std::size_t cr = line.find('\r');
    require(cr != std::string_view::npos && cr + 1 != line.size(), layout_.tooFewLines);
    raise(layout_.tooFewLines, kHintCrLineEnds);
  }
  headerLine_ = *headerLine;

  // Counting stops at one cell too many, however long the line.
  width_ = countCells(headerLine_, layout_.mostColumns);
  if (width_ < layout_.fewestColumns)
    raise(layout_.tooFewColumns, formatMessage("第1行只有 %zu 列，至少要有 %zu 列", width_, layout_.fewestColumns));
  if (width_ > layout_.mostColumns)
    raise(layout_.tooManyColumns,
          formatMessage("第1行多于 %zu 列，这种表最多 %zu 列", layout_.mostColumns, layout_.mostColumns));
  if (countCells(*switchLine, width_) != width_)
    raise(layout_.unevenSwitchRow, formatMessage("第2行（开关行）有 %zu 个单元格，第1行（表头）有 %zu 个",
                                                 countCells(*switchLine, SIZE_MAX - 1), width_));

  const std::size_t leading = layout_.leadingColumns;
  std::vector<std::string_view> leadingHeader;
  LineCells header(headerLine_);
  for (std::size_t j = 0; j < leading; ++j) leadingHeader.push_back(*header.next());
  const std::string found = joinCells(leadingHeader, " ");
  if (found != layout_.leadingHeader) {
    const Message details = tableDetails().textLine(
        formatMessage("第1行前%zu列应为「%s」，表中是「%s」", leading, layout_.leadingHeader, found.c_str()));
    if (layout_.wrongLeadingHeaderAtCell) raiseCellError({0, 0}, layout_.wrongLeadingHeader, details);
    EditError error(layout_.wrongLeadingHeader);
    error.addDetail(details);
    throw error;
  }

  columns_.clear();
  columns_.reserve(width_ - leading);
  describe_ = columns.describe;
  readValueColumns({table_, headerLine_, *switchLine, leading}, columns, [&](std::size_t, int code, bool on) {
    columns_.push_back(ValueColumn{static_cast<std::uint8_t>(code), on});
  });

  switchCells_.clear();
  LineCells switches(*switchLine);
  for (std::size_t j = 0; j < leading; ++j) switchCells_.push_back(*switches.next());
  cells_.resize(width_ + 1);
}

bool TableWalker::takeWidth() {
  headerLine_ = lines_.next().value_or(std::string_view());
  width_ = countCells(headerLine_, layout_.mostColumns);
  cells_.resize(width_ + 1);
  return lines_.next().has_value() && width_ >= layout_.leadingColumns;
}

std::string_view TableWalker::headerCell(std::size_t j) const {
  LineCells cells(headerLine_);
  std::optional<std::string_view> cell = cells.next();
  for (std::size_t k = 0; k < j && cell; ++k) cell = cells.next();
  return cell.value_or(std::string_view());
}

bool isSwitchedOff(std::string_view cell) {
  std::string room;
  const std::string_view value = unquotedCell(cell, room);
  return !value.empty() && value.find_first_not_of('0') == std::string_view::npos;
}

void TableWalker::warnRow(const std::string& what, std::uint32_t line) const {
  if (report_.warnings != nullptr) report_.warnings->atRow(what, line);
}

void TableWalker::unevenRow(std::uint32_t line, std::string_view text) {
  const std::size_t count = countCells(text, SIZE_MAX - 1);
  const std::string counts = formatMessage("第%u行有 %zu 个单元格，表头有 %zu 个", line + 1, count, width_);
  reporting_.noteOrRaise(
      [&] {
        const std::string missing = count < width_ ? shortRowText(text, count) : std::string();
        return counts + "：" + layout_.unevenRow + (missing.empty() ? "" : "  " + missing);
      },
      [&] {
        // The column where the row falls short, or the last one before its extra cells.
        const std::size_t j = count < width_ ? count : width_ - 1;
        const std::string name(headerCell(j));
        Message details = tableDetails().textLine(counts);
        const std::string missing = count < width_ ? shortRowText(text, count) : std::string();
        details.textLine(!missing.empty()
                             ? missing
                             : formatMessage(count < width_ ? kRowEndsBefore : kRowRunsOnAfter, name.c_str(), j + 1));
        if (layout_.unevenRowAtCell) raiseCellError({line, 0}, layout_.unevenRow, details);
        EditError error(layout_.unevenRow);
        error.addDetail(details);
        throw error;
      });
}

bool TableWalker::fitsColumn(std::size_t j, std::string_view cell) const {
  const std::size_t leading = layout_.leadingColumns;
  // The leading cells are told apart by the kind's own reading; any cell may stand there.
  if (j < leading || j - leading >= columns_.size() || !describe_) return true;
  std::string room;
  return cellFits(describe_(columns_[j - leading].code), unquotedCell(cell, room));
}

std::string TableWalker::shortRowText(std::string_view text, std::size_t count) const {
  if (count == 0) return kRowIsEmpty;
  // A spreadsheet writes an empty cell as nothing between two tabs. The row's first empty cells, as many
  // as it is short of, stand for columns; the cells after the first of them must fit the columns they
  // then stand in for that column to be named.
  const std::size_t shortBy = width_ - count;
  std::size_t column = 0;
  std::size_t gaps = 0;
  std::size_t firstGap = 0;
  bool fits = true;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t tab = std::min(text.find('\t', start), text.size());
    LineCells cells(text.substr(start, tab - start));
    std::optional<std::string_view> cell = cells.next();
    if (!cell) {
      if (gaps < shortBy) {
        if (gaps++ == 0) firstGap = column;
        ++column;
      }
    }
    for (; cell; cell = cells.next(), ++column)
      if (gaps != 0 && !fitsColumn(column, *cell)) fits = false;
    start = tab + 1;
  }
  if (gaps == 0) return std::string();
  if (gaps < shortBy || !fits) return kRowHasEmptyCell;
  return formatMessage(kRowCellEmpty, std::string(headerCell(firstGap)).c_str(), firstGap + 1);
}

}  // namespace vorandel
