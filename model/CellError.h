#pragma once
// Errors in a cell of a batch table name the row and column of the cell, also in spreadsheet terms
// (column letters and row number, as in AB7), so that the player finds the cell at once.
#include <cstdint>
#include <string>

namespace vorandel {

// The 0-based row (line of the table) and column (cell of that line) of the cell being applied.
// Importers set it before they parse a cell; it keeps its value after an import.
struct CellPosition {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
};
extern CellPosition cellPosition;

// Spreadsheet letters of the 1-based column n: A..Z, then AA, AB, ...; empty above 675.
std::string columnLetters(std::uint32_t n);

// Raises an EditError whose text names cellPosition and then gives the message.
[[noreturn]] void failCell(const std::string& message);

}  // namespace vorandel
