#pragma once
// A batch text table as the player saves it from a spreadsheet (decoded to UTF-8): lines of cells separated by blanks
// and tabs. Line 0 is the header row, line 1 the switch row, and every further line is a data row.
//
// Lines and cells are views into the table's text, taken one at a time, so that reading a table needs
// little memory beyond its text whatever its shape.
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ByteBlocks.h"

namespace vorandel {

// The lines of a table's text without their terminators, in order; empty lines count as rows. A line
// ends at a line feed, and a carriage return right before it belongs to the terminator; a last line
// without a line feed still counts, the end of the text right after a line feed adds none.
class TableLines {
 public:
  explicit TableLines(std::string_view text) : text_(text) {}

  // The next line; nothing after the last.
  std::optional<std::string_view> next();

 private:
  std::string_view text_;
  std::size_t start_ = 0;
};

// Every line of the text, as TableLines gives them.
std::vector<std::string_view> tableLines(std::string_view text);

// The cells of a line one after the other: every maximal run of bytes that are neither blank nor tab.
// No cell is ever empty.
class LineCells {
 public:
  explicit LineCells(std::string_view line) : line_(line) {}

  // The next cell; nothing after the last.
  std::optional<std::string_view> next();

 private:
  std::string_view line_;
  std::size_t pos_ = 0;
};

// How many cells the line has, counting no further than most + 1.
std::size_t countCells(std::string_view line, std::size_t most);

// Every cell of the line, in order.
std::vector<std::string_view> splitCells(std::string_view line);

// The first cells of the line into `cells`, as many as it has room for; the number written. A row is
// split into room for one cell more than its header has, so that a line of far too many cells is never
// split whole.
std::size_t splitCellsInto(std::string_view line, std::span<std::string_view> cells);

// The items of a list cell one after the other: every maximal run of bytes other than the separator. No
// item is ever empty.
class ListItems {
 public:
  ListItems(std::string_view cell, char separator) : cell_(cell), separator_(separator) {}

  // The next item; nothing after the last.
  std::optional<std::string_view> next() {
    std::size_t i = pos_;
    while (i < cell_.size() && cell_[i] == separator_) ++i;
    const std::size_t start = i;
    if (start == cell_.size()) return std::nullopt;
    i = separatorFrom(start + 1);
    pos_ = i;
    return cell_.substr(start, i - start);
  }

 private:
  // The first separator from `at` on, or the end of the cell: a block at a time while the cell has a
  // whole block left, which takes most items in one look, then byte by byte.
  std::size_t separatorFrom(std::size_t at) const {
    for (; cell_.size() - at >= kByteBlock; at += kByteBlock)
      if (const ByteMarks found = bytesEqualTo(cell_.data() + at, separator_, separator_))
        return at + bytesBeforeMark(found);
    while (at < cell_.size() && cell_[at] != separator_) ++at;
    return at;
  }

  std::string_view cell_;
  char separator_;
  std::size_t pos_ = 0;
};

// Every item of the list cell (see ListItems), in order.
std::vector<std::string_view> splitList(std::string_view cell, char separator);

// The first items of the list cell, up to N, into `items`; the count of items, counting no further
// than N + 1. A list cell's items are read this way where they are few, without an allocation.
template <std::size_t N>
std::size_t splitListUpTo(std::string_view cell, char separator, std::array<std::string_view, N>& items) {
  ListItems reader(cell, separator);
  std::size_t count = 0;
  while (count <= N) {
    const std::optional<std::string_view> item = reader.next();
    if (!item) break;
    if (count < N) items[count] = *item;
    ++count;
  }
  return count;
}

// The cells in order, with the separator between neighbours (cells held as views or as strings).
template <class Cells>
std::string joinCells(const Cells& cells, std::string_view separator) {
  std::string joined;
  bool first = true;
  for (std::string_view cell : cells) {
    if (!first) joined += separator;
    joined += cell;
    first = false;
  }
  return joined;
}

// Whether a cell is enclosed in double quotes: longer than two bytes, and both its first and its last
// byte a double quote. "" and a lone " are not; "a" and "a""b" are.
inline bool isQuotedCell(std::string_view cell) { return cell.size() > 2 && cell.front() == '"' && cell.back() == '"'; }

// The value of a cell: without its enclosing double quotes when it is quoted (isQuotedCell), and then
// with each doubled quote inside read as one (a spreadsheet writes the text 张"三 as "张""三");
// otherwise the cell unchanged.
std::string unquoteCell(std::string_view cell);

// The value of a quoted cell, kept in `room`.
std::string_view unquotedInto(std::string_view cell, std::string& room);

// The value of a cell as unquoteCell gives it, without a copy when the cell has no enclosing quotes: the
// cell itself, or the unquoted text kept in `room`.
inline std::string_view unquotedCell(std::string_view cell, std::string& room) {
  return isQuotedCell(cell) ? unquotedInto(cell, room) : cell;
}

// The text as one cell that unquoteCell reads back as the text: the text itself, or, when it holds a
// double quote, the text enclosed in double quotes with each of its quotes doubled, as spreadsheets
// write such a cell. The text must be a cell already (not empty, no blank or tab).
std::string quoteCell(std::string_view text);

}  // namespace vorandel
