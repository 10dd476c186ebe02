#pragma once
// A batch text table as the player saves it from a spreadsheet: GBK lines of cells separated by blanks
// and tabs. Line 0 is the header row, line 1 the switch row, and every further line is a data row.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorandel {

// The lines of a table file without their terminators, exactly as read; empty lines count as rows.
struct BatchTable {
  std::vector<std::string> lines;
};

// Reads the file at the narrow path. A line ends at a line feed, and a carriage return right before it
// belongs to the terminator; a last line without a line feed still counts, the end of the file right after
// a line feed adds none. Raises "cannot open file to read" when the file cannot be opened.
BatchTable readTableLines(const std::string& path);

// Cells and list items are views into the line they come from: they live as long as the table.

// Every maximal run of bytes that are neither blank nor tab, in order. No cell is ever empty.
std::vector<std::string_view> splitCells(std::string_view line);

// Every maximal run of bytes other than the separator, in order. No item is ever empty.
std::vector<std::string_view> splitList(std::string_view cell, char separator);

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

// The cell without one pair of enclosing double quotes, when it is longer than two bytes and both its
// first and its last byte are a double quote; otherwise the cell unchanged.
std::string_view unquoteCell(std::string_view cell);

}  // namespace vorandel
