#pragma once
// Errors in a cell of a batch table name the row and column of the cell, also in spreadsheet terms
// (column letters and row number, as in AB7), so that the player finds the cell at once.
//
// The code that finds a bad value does not always know where the value came from (a cell parser, a
// placement rule): it raises a CellFault with the message only. The table code that handed the cell over
// knows its position and turns the fault into the cell error with atCell.
#include <cstdint>
#include <string>
#include <utility>

#include "model/EditError.h"

namespace vorandel {

// The 0-based row (line of the table) and column (cell of that line) of a cell.
struct CellPosition {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
};

// A bad value whose cell is named by the code that catches it. Its text is the bare message.
class CellFault : public EditError {
 public:
  using EditError::EditError;
};

// Spreadsheet letters of the 1-based column n: A..Z, then AA, AB, ...; empty above 675.
std::string columnLetters(std::uint32_t n);

// Raises a CellFault with the message, for the caller's caller to place.
[[noreturn]] void failCell(const std::string& message);

// Raises an EditError whose text names the cell at the position and then gives the message.
[[noreturn]] void raiseCellError(CellPosition at, const std::string& message);

// Runs the action and gives its result; a CellFault it raises comes out as the cell error at the position.
template <class Action>
decltype(auto) atCell(CellPosition at, Action&& action) {
  try {
    return std::forward<Action>(action)();
  } catch (const CellFault& fault) {
    raiseCellError(at, fault.text());
  }
}

}  // namespace vorandel
