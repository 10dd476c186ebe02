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

// What is wrong with a cell, for the lines that tell what the cell may hold.
enum class FaultKind {
  Other,        // a rule of the table or of the game
  NotANumber,   // characters left over after the number
  OutOfRange,   // a number outside the column's range
  NotASwitch,   // a switch other than 0 or 1
  UnknownName,  // a name (or list item) the column does not know; the item is kept
  WrongCount,   // a list or a row with the wrong number of items
};

// A bad value whose cell is named by the code that catches it. Its text is the bare message.
class CellFault : public EditError {
 public:
  using EditError::EditError;
  CellFault(std::string text, FaultKind kind, std::string item = {}, bool positionInText = true)
      : EditError(std::move(text)), kind_(kind), item_(std::move(item)), positionInText_(positionInText) {}
  FaultKind kind() const noexcept { return kind_; }
  // The offending item of a list cell, or the bad name; empty when the whole cell is at fault.
  const std::string& item() const noexcept { return item_; }
  // Whether the error's text begins with the cell's position; a few messages have always stood alone,
  // and their cell is named only in the lines below them.
  bool positionInText() const noexcept { return positionInText_; }
  // A line that says what the cell should hold instead, for the lines below the message; empty when the
  // column's description says it.
  const std::string& detail() const noexcept { return detail_; }
  CellFault& withDetail(std::string detail) {
    detail_ = std::move(detail);
    return *this;
  }

 private:
  FaultKind kind_ = FaultKind::Other;
  std::string item_;
  bool positionInText_ = true;
  std::string detail_;
};

// Spreadsheet letters of the 1-based column n: A..Z, then AA, AB, ...; empty above 675.
std::string columnLetters(std::uint32_t n);

// Raises a CellFault with the message, for the caller's caller to place.
[[noreturn]] void failCell(const std::string& message);
[[noreturn]] void failCell(const std::string& message, FaultKind kind, std::string item = {});
// Raises a CellFault whose message stays the error's whole first line, without the cell's position.
[[noreturn]] void failCellKeepingText(const std::string& message, FaultKind kind = FaultKind::Other);
// The same with a line that tells what the cell should hold.
[[noreturn]] void failCellKeepingText(const std::string& message, std::string detail);

// Raises an EditError whose text names the cell at the position and then gives the message.
[[noreturn]] void raiseCellError(CellPosition at, const std::string& message);
// The same with lines of detail below the text.
[[noreturn]] void raiseCellError(CellPosition at, const std::string& message, const Message& details);

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
