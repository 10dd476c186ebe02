#pragma once
// The lines below a cell error that let the player act on it: which table, which cell really is at fault
// (by row, header and spreadsheet letters), what the cell holds and what the column allows. Everything
// a column accepts is read from its description, so a range or a vocabulary is written in one place.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/CellError.h"
#include "model/Message.h"
#include "tables/ColumnInfo.h"

namespace vorandel {

// The cell at fault.
struct CellSubject {
  CellPosition at;                   // 0-based row and column
  std::string_view header;           // the column's header
  std::string_view cell;             // the cell's text as the table holds it
  const ColumnInfo* info = nullptr;  // what the column accepts; null when the table does not say
};

// "第5行「剧本」列 (A5)".
std::string cellPlace(CellPosition at, std::string_view header);

// What the column allows, as the fault asks for it: "允许 0–255", the closest names, the number of
// items; empty when there is nothing to add.
std::string allowedText(const CellSubject& subject, const CellFault& fault);

// One line for the list of a table's problems: the place, the cell, the message and what is allowed.
std::string problemLine(const CellSubject& subject, const CellFault& fault);

// The detail lines of a cell error: the table's name, the place and text of the cell, what is allowed.
Message cellDetails(std::string_view file, const CellSubject& subject, const CellFault& fault);

// Raises the error of a fault met while reading the cell at `written`: its text names that position
// (unless the fault's message stands alone) and gives the message; its details are cellDetails of the
// cell really at fault.
[[noreturn]] void raiseCellFault(std::string_view file, CellPosition written, const CellSubject& subject,
                                 const CellFault& fault);

// Raises a CellFault with the message and a line below it that tells more (another row the fault is
// about); the line follows the cell's own details.
[[noreturn]] void failCellWith(const std::string& message, const std::string& detail);

// A cell's text as the details show it, in 「」 and cut short when long.
std::string quotedCell(std::string_view text);

// The line that names the table.
Message tableLine(std::string_view file);

// Up to `most` names of the dictionary closest to the name (counted in characters), best first;
// none when no name is close.
std::vector<std::string_view> closestNames(const ColumnDictionary& names, std::string_view name, std::size_t most);

// "没有「洛杨」，是不是「洛阳」？", or "没有「X」" when no name is close.
std::string unknownNameText(const ColumnDictionary& names, std::string_view name);

}  // namespace vorandel
